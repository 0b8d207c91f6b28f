// GDI of the model: fonts and brushes are counted while they exist, device
// contexts remember their window and selected font, every drawing call is
// recorded.
#include "platform/Gdi.h"

#include "platform/Constants.h"
#include "platform/headless/WorldImpl.h"

namespace hv {
using headless::DrawCall;
using headless::State;
using headless::World;

namespace headless {
void World::Impl::Record(DrawCall call) { World::Get().drawCalls.push_back(std::move(call)); }
}  // namespace headless

namespace {

DrawCall CallOn(DcHandle dc, DrawCall::Kind kind) {
    DrawCall call;
    call.kind = kind;
    call.dc = dc.value;
    const auto& dcs = State().dcs;
    const auto it = dcs.find(dc.value);
    if (it != dcs.end()) call.window = it->second.window;
    return call;
}

DcHandle OpenDc(const Window& window, DrawCall::Kind kind) {
    auto& s = State();
    const DcHandle dc(s.NewGdiHandle());
    s.dcs[dc.value] = {window.Handle().value, FontHandle(headless::win::kStockSystemFont)};
    s.Record(CallOn(dc, kind));
    return dc;
}

void CloseDc(DcHandle dc, DrawCall::Kind kind) {
    auto& s = State();
    DrawCall call = CallOn(dc, kind);
    const auto it = s.dcs.find(dc.value);
    if (it != s.dcs.end()) call.font = it->second.font;
    s.Record(call);
    s.dcs.erase(dc.value);
}

}  // namespace

Font::Font(const FontSpec& spec) : m_handle(State().NewGdiHandle()) { World::Get().liveFonts[m_handle.value] = spec; }

// DeleteObject fails on a font still selected into a device context: the
// font stays, leaked.
void Font::Release() noexcept {
    bool selected = false;
    for (const auto& [dc, state] : State().dcs) selected = selected || state.font == m_handle;
    if (m_handle && !selected) World::Get().liveFonts.erase(m_handle.value);
    m_handle = FontHandle();
}

SolidBrush::SolidBrush(Color color) {
    m_handle = BrushHandle(State().NewGdiHandle());
    World::Get().liveBrushes[m_handle.value] = color;
}

void SolidBrush::Release() noexcept {
    if (m_handle) World::Get().liveBrushes.erase(m_handle.value);
    m_handle = BrushHandle();
}


namespace {
void RecordState(DcHandle dc, DrawCall::Kind kind, Color color, int mode) {
    DrawCall call = CallOn(dc, kind);
    call.color = color;
    call.mode = mode;
    State().Record(call);
}
}  // namespace

void DeviceContext::SetTextColor(Color c) const { RecordState(m_dc, DrawCall::SetTextColor, c, 0); }
void DeviceContext::SetBkColor(Color c) const { RecordState(m_dc, DrawCall::SetBkColor, c, 0); }
void DeviceContext::SetBkMode(int mode) const { RecordState(m_dc, DrawCall::SetBkMode, 0, mode); }

FontHandle DeviceContext::SelectFont(FontHandle font) const {
    auto& s = State();
    DrawCall call = CallOn(m_dc, DrawCall::SelectFont);
    call.font = font;
    s.Record(call);
    const auto it = s.dcs.find(m_dc.value);
    if (it == s.dcs.end()) return FontHandle(headless::win::kStockSystemFont);
    const FontHandle previous = it->second.font;
    if (font) it->second.font = font;  // SelectObject(NULL) fails and selects nothing
    return font ? previous : FontHandle();
}

void DeviceContext::TextOut(int x, int y, std::string_view text) const {
    DrawCall call = CallOn(m_dc, DrawCall::TextOut);
    call.x = x;
    call.y = y;
    call.text.assign(text.data(), text.size());
    State().Record(call);
}

void DeviceContext::DrawIcon(int x, int y, IconHandle icon) const {
    DrawCall call = CallOn(m_dc, DrawCall::DrawIcon);
    call.x = x;
    call.y = y;
    call.icon = icon;
    State().Record(call);
}

ClientDc::ClientDc(const Window& window) : DeviceContext(OpenDc(window, DrawCall::GetDc)), m_window(window) {}

ClientDc::~ClientDc() { CloseDc(m_dc, DrawCall::ReleaseDc); }

// BeginPaint validates the window: what it paints now is painted.
PaintDc::PaintDc(const Window& window)
    : DeviceContext(OpenDc(window, DrawCall::BeginPaint)), m_window(window) {
    State().Validate(window.Handle().value);
}

PaintDc::~PaintDc() { CloseDc(m_dc, DrawCall::EndPaint); }

GdiLiveCount LiveGdiObjects() {
    return {static_cast<int>(World::Get().liveFonts.size()), static_cast<int>(World::Get().liveBrushes.size()),
            static_cast<int>(State().dcs.size())};
}

int SystemMetric(int index) {
    if (index == sm::kCxIcon || index == sm::kCyIcon) return 32;
    return 0;
}

void DefaultPaint(const Window& window) {
    DrawCall call;
    call.kind = DrawCall::DefaultPaint;
    call.window = window.Handle().value;
    State().Record(call);
    State().Validate(window.Handle().value);
}

}  // namespace hv
