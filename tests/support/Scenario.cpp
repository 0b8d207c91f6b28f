#include "tests/support/Scenario.h"

#include <gtest/gtest.h>

#include "model/SettingsRecord.h"

namespace hv::test {

namespace {
// Sunday 2026-12-06 12:00:00 in Berlin (CET, UTC+1).
constexpr std::int64_t kStartWallMs = 1796554800000LL;
}  // namespace

std::string RecordWith(std::initializer_list<std::pair<std::size_t, std::string>> changes) {
    std::string bytes = SettingsRecord::Default().Bytes();
    for (const auto& [offset, text] : changes) bytes.replace(offset, text.size(), text);
    return bytes;
}

Scenario::Scenario() {
    auto& w = World();
    w.Reset();
    w.moduleFileName = std::string(kInstallDir) + "Horovant.exe";
    w.currentDirectory = "C:\\windows\\system32\\";
    w.SetTimeZone(headless::kEuropeBerlin);
    w.SetWallClockMs(kStartWallMs);
}

Scenario::~Scenario() {
    // A handler that threw fails the scenario, whatever else it checked.
    EXPECT_EQ(World().handlerFailures, std::vector<std::string>{});
    if (m_dlg && m_dlg->Wnd().IsValid()) World().Close(*m_dlg);
    m_dlg.reset();
    World().Reset();
}

Scenario& Scenario::WithSettings(const std::string& bytes) {
    World().files[World().ResolvePath(kSettingsPath)].bytes = bytes;
    return *this;
}

Scenario& Scenario::WithProductDir(const std::string& value) {
    World().registry["HKLM\\Software\\VeltranoSoftware\\Horovant"]["ProductDir"] = {1, value};
    return *this;
}

Scenario& Scenario::Start() {
    m_dlg = std::make_unique<HauptDlg>();
    World().Open(*m_dlg);
    World().Pump();
    World().PaintInvalidWindows();
    return *this;
}

bool Scenario::Click(int id) { return World().Click(Wnd(), id); }
bool Scenario::Type(int id, const std::string& text) { return World().Type(Wnd(), id, text); }
void Scenario::PressEscape() { World().PressEscape(Wnd()); }
void Scenario::Advance(std::int64_t ms) { World().Advance(ms); }

std::string Scenario::Text(int id) const { return Wnd().Item(id).Text(); }
int Scenario::Check(int id) const { return Wnd().Item(id).Check(); }
bool Scenario::Enabled(int id) const { return Wnd().Item(id).IsEnabled(); }

int Scenario::FocusId() const {
    const auto* node = World().Find(World().Focus());
    if (!node || node->parent != Wnd().Handle().value) return 0;
    return node->id;
}

std::optional<std::string> Scenario::FileBytes(const std::string& path) const {
    auto* file = World().FindFile(path);
    if (!file) return std::nullopt;
    return file->bytes;
}

}  // namespace hv::test
