#pragma once
// GDI objects as small RAII types and a device-context view whose every
// SelectObject is undone by a scoped selection. Pure drawing code takes a
// DeviceContext and touches no globals.
#include <string>
#include <string_view>

#include "model/Colour.h"
#include "model/FontSpec.h"
#include "platform/Handles.h"
#include "platform/Window.h"

namespace hv {

class Font {
public:
    Font() = default;
    explicit Font(const FontSpec& spec);
    ~Font() { Release(); }
    Font(Font&& other) noexcept : m_handle(other.m_handle) { other.m_handle = FontHandle(); }
    // The old font is deleted at once, not when `other` goes.
    Font& operator=(Font&& other) noexcept {
        if (this != &other) {
            Release();
            m_handle = other.m_handle;
            other.m_handle = FontHandle();
        }
        return *this;
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    FontHandle Handle() const { return m_handle; }

private:
    void Release() noexcept;  // deletes the font, if any (backend)
    FontHandle m_handle{};
};

class SolidBrush {
public:
    SolidBrush() = default;
    explicit SolidBrush(Colour color);
    ~SolidBrush() { Release(); }
    SolidBrush(SolidBrush&& other) noexcept : m_handle(other.m_handle) { other.m_handle = BrushHandle(); }
    SolidBrush& operator=(SolidBrush&& other) noexcept {
        if (this != &other) {
            Release();
            m_handle = other.m_handle;
            other.m_handle = BrushHandle();
        }
        return *this;
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    BrushHandle Handle() const { return m_handle; }

private:
    void Release() noexcept;
    BrushHandle m_handle{};
};

// A view of a device context; owns nothing.
class DeviceContext {
public:
    explicit DeviceContext(DcHandle dc) : m_dc(dc) {}
    DcHandle Handle() const { return m_dc; }
    void SetTextColor(Colour c) const;
    void SetBkColor(Colour c) const;
    void SetBkMode(int mode) const;
    FontHandle SelectFont(FontHandle font) const;  // returns the previous font
    void TextOut(int x, int y, std::string_view text) const;
    void DrawIcon(int x, int y, IconHandle icon) const;

protected:
    DcHandle m_dc{};
};

// GetDC/ReleaseDC of a window's whole client area.
class ClientDc : public DeviceContext {
public:
    explicit ClientDc(const Window& window);
    ~ClientDc();
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;

private:
    Window m_window;
};

// BeginPaint/EndPaint.
class PaintDc : public DeviceContext {
public:
    explicit PaintDc(const Window& window);
    ~PaintDc();
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

private:
    Window m_window;
    // The PAINTSTRUCT on Win32, kept in place: painting allocates nothing.
    alignas(8) unsigned char m_paintStruct[72] = {};
};

// Selects a font into a device context and the previous one back at the end.
// It holds the context's view by value, so a temporary cannot dangle.
class ScopedSelectFont {
public:
    ScopedSelectFont(DeviceContext dc, FontHandle font) : m_dc(dc), m_previous(dc.SelectFont(font)) {}
    ~ScopedSelectFont() { m_dc.SelectFont(m_previous); }
    ScopedSelectFont(const ScopedSelectFont&) = delete;
    ScopedSelectFont& operator=(const ScopedSelectFont&) = delete;

private:
    DeviceContext m_dc;
    FontHandle m_previous;
};

int SystemMetric(int index);
Colour SysColour(int index);  // GetSysColor
bool HighContrastOn();       // SPI_GETHIGHCONTRAST, HCF_HIGHCONTRASTON
// At a screen's DPI (Windows 10 1607 and later); before, the system's.
int SystemMetricForDpi(int index, int dpi);

// The fonts, brushes and device contexts the wrappers above hold right now.
struct GdiLiveCount {
    int fonts = 0, brushes = 0, dcs = 0;
};
GdiLiveCount LiveGdiObjects();

// Lets the dialog paint itself the default way (DefWindowProc's WM_PAINT).
void DefaultPaint(const Window& window);
// A minimised window's painting: its icon in the middle of the client area.
void PaintMinimised(const Window& window, IconHandle icon);

}  // namespace hv
