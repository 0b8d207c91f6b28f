#pragma once
// GDI objects as small RAII types and a device-context view whose every
// SelectObject is undone by a scoped selection. Pure drawing code takes a
// DeviceContext and touches no globals.
#include <string>
#include <string_view>
#include <utility>

#include "platform/Handles.h"
#include "platform/Window.h"

namespace hv {

// The fields of a LOGFONT, as CreateFont takes them.
struct FontSpec {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName;
};

class Font {
public:
    Font() = default;
    explicit Font(const FontSpec& spec);
    ~Font();
    Font(Font&& other) noexcept : m_handle(other.m_handle) { other.m_handle = FontHandle(); }
    // The old handle goes with `other`, whose destructor releases it.
    Font& operator=(Font&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    FontHandle Handle() const { return m_handle; }

private:
    FontHandle m_handle{};
};

class SolidBrush {
public:
    SolidBrush() = default;
    explicit SolidBrush(Color color);
    ~SolidBrush();
    SolidBrush(SolidBrush&& other) noexcept : m_handle(other.m_handle) { other.m_handle = BrushHandle(); }
    SolidBrush& operator=(SolidBrush&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    BrushHandle Handle() const { return m_handle; }

private:
    BrushHandle m_handle{};
};

// A view of a device context; owns nothing.
class DeviceContext {
public:
    explicit DeviceContext(DcHandle dc) : m_dc(dc) {}
    DcHandle Handle() const { return m_dc; }
    void SetTextColor(Color c) const;
    void SetBkColor(Color c) const;
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
    void* m_paintStruct;  // PAINTSTRUCT on Win32
};

class ScopedSelectFont {
public:
    ScopedSelectFont(const DeviceContext& dc, FontHandle font) : m_dc(dc), m_previous(dc.SelectFont(font)) {}
    ~ScopedSelectFont() { m_dc.SelectFont(m_previous); }
    ScopedSelectFont(const ScopedSelectFont&) = delete;
    ScopedSelectFont& operator=(const ScopedSelectFont&) = delete;

private:
    const DeviceContext& m_dc;
    FontHandle m_previous;
};

int SystemMetric(int index);

// Lets the dialog paint itself the default way (DefWindowProc's WM_PAINT).
void DefaultPaint(const Window& window);

}  // namespace hv
