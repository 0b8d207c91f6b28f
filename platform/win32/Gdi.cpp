#include "platform/Gdi.h"

#include <atomic>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32.h"
#include "platform/win32/WideText.h"

namespace hv {
namespace {
// What the wrappers hold now: Wine's GetGuiResources answers 0.
std::atomic<int> g_fonts{0}, g_brushes{0}, g_dcs{0};
}  // namespace

GdiLiveCount LiveGdiObjects() { return {g_fonts.load(), g_brushes.load(), g_dcs.load()}; }

using win32::ToHdc;
using win32::ToHwnd;

Font::Font(const FontSpec& s)
    : m_handle(win32::FromHfont(CreateFontW(s.height, s.width, s.escapement, s.orientation, s.weight, s.italic,
                                            s.underline, s.strikeOut, static_cast<DWORD>(s.charSet),
                                            static_cast<DWORD>(s.outPrecision), static_cast<DWORD>(s.clipPrecision),
                                            static_cast<DWORD>(s.quality), static_cast<DWORD>(s.pitchAndFamily),
                                            win32::WideFromText(s.faceName).c_str()))) {
    if (m_handle) ++g_fonts;
}

void Font::Release() noexcept {
    if (m_handle && DeleteObject(win32::ToHfont(m_handle))) --g_fonts;
    m_handle = FontHandle();
}


SolidBrush::SolidBrush(Colour color) : m_handle(win32::FromHbrush(CreateSolidBrush(color))) {
    if (m_handle) ++g_brushes;
}

void SolidBrush::Release() noexcept {
    if (m_handle && DeleteObject(win32::ToHbrush(m_handle))) --g_brushes;
    m_handle = BrushHandle();
}


void DeviceContext::SetTextColor(Colour c) const { ::SetTextColor(ToHdc(m_dc), c); }

void DeviceContext::SetBkColor(Colour c) const { ::SetBkColor(ToHdc(m_dc), c); }

void DeviceContext::SetBkMode(int mode) const { ::SetBkMode(ToHdc(m_dc), mode); }

FontHandle DeviceContext::SelectFont(FontHandle font) const {
    return win32::FromHfont(static_cast<HFONT>(SelectObject(ToHdc(m_dc), win32::ToHfont(font))));
}

void DeviceContext::TextOut(int x, int y, std::string_view text) const {
    const std::wstring wide = win32::WideFromText(text);
    TextOutW(ToHdc(m_dc), x, y, wide.data(), static_cast<int>(wide.size()));
}

void DeviceContext::DrawIcon(int x, int y, IconHandle icon) const { ::DrawIcon(ToHdc(m_dc), x, y, win32::ToHicon(icon)); }

ClientDc::ClientDc(const Window& window) : DeviceContext(win32::FromHdc(GetDC(ToHwnd(window.Handle())))), m_window(window) {
    if (m_dc) ++g_dcs;
}

ClientDc::~ClientDc() {
    if (m_dc && ReleaseDC(ToHwnd(m_window.Handle()), ToHdc(m_dc))) --g_dcs;
}

static_assert(sizeof(PAINTSTRUCT) <= 72 && alignof(PAINTSTRUCT) <= 8, "PaintDc keeps a PAINTSTRUCT in place");

PaintDc::PaintDc(const Window& window) : DeviceContext(DcHandle()), m_window(window) {
    m_dc = win32::FromHdc(BeginPaint(ToHwnd(m_window.Handle()), reinterpret_cast<PAINTSTRUCT*>(m_paintStruct)));
    if (m_dc) ++g_dcs;
}

PaintDc::~PaintDc() {
    if (!m_dc) return;
    EndPaint(ToHwnd(m_window.Handle()), reinterpret_cast<PAINTSTRUCT*>(m_paintStruct));
    --g_dcs;
}

int SystemMetric(int index) { return GetSystemMetrics(index); }

Colour SysColour(int index) { return GetSysColor(index); }

bool HighContrastOn() {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

int SystemMetricForDpi(int index, int dpi) {
    using ForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = win32::LateBound<ForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void DefaultPaint(const Window& window) {
    // DefWindowProc's painting of a dialog: the background is erased through
    // WM_ERASEBKGND inside BeginPaint, and the update region is validated.
    const HWND hwnd = ToHwnd(window.Handle());
    PAINTSTRUCT ps{};
    if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
}

void PaintMinimised(const Window& window, IconHandle icon) {
    const PaintDc dc(window);
    window.Send(WM_ICONERASEBKGND, dc.Handle().value, 0);
    const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    const Rect client = window.ClientRect();
    dc.DrawIcon((client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, icon);
}

}  // namespace hv
