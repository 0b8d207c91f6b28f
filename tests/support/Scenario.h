#pragma once
// Scenario harness: the real main window, headless, from given settings
// bytes, with fake clocks. Tests click and type by control id, advance time,
// answer message boxes and read back controls, records and the settings file.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/headless/World.h"
#include "ui/HauptDlg.h"

namespace hv::test {

constexpr const char* kInstallDir = "C:\\Programme\\Horovant\\";
constexpr const char* kSettingsPath = "C:\\Programme\\Horovant\\config.dat";

// A settings record from the default one with some bytes replaced.
std::string RecordWith(std::initializer_list<std::pair<std::size_t, std::string>> changes);

class Scenario {
public:
    // Resets the world: the program lives in kInstallDir, the current
    // directory is elsewhere, no registry value; the wall clock stands at
    // Sunday 2026-12-06 12:00:00 local time in Berlin. A handler that throws
    // fails the scenario.
    Scenario();
    ~Scenario();
    Scenario(const Scenario&) = delete;
    Scenario& operator=(const Scenario&) = delete;

    headless::World& World() const { return headless::World::Get(); }

    // Before Start: a settings file with these bytes beside the program.
    Scenario& WithSettings(const std::string& bytes);
    Scenario& WithProductDir(const std::string& value);

    // Opens the main window (WM_INITDIALOG) and lets the first paint happen.
    Scenario& Start();
    HauptDlg& Dlg() { return *m_dlg; }
    const Window& Wnd() const { return m_dlg->Wnd(); }

    bool Click(int id);
    bool Type(int id, const std::string& text);
    void PressEscape();
    void Advance(std::int64_t ms);

    std::string Text(int id) const;
    int Check(int id) const;
    bool Enabled(int id) const;
    int FocusId() const;  // 0 when the focus is not on a control of the window
    bool Ended() const { return m_dlg->IsEnded(); }

    std::optional<std::string> FileBytes(const std::string& path = kSettingsPath) const;

private:
    std::unique_ptr<HauptDlg> m_dlg;
};

}  // namespace hv::test
