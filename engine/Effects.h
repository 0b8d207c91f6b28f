#pragma once
// What a decision asks of the world beyond the model, in order: sounds, the
// window's return from the notification area, message boxes, the
// stopwatch's worker and display tick, the focus.
#include <cstdint>
#include <string>
#include <vector>

#include "model/FileError.h"

namespace hv {

struct Step {
    enum Kind {
        PlayOnce,       // text: the wave file beside the program
        PlayLoop,
        Silence,
        BringBack,      // show the window, remove the tray icon
        Alert,          // as BringBack, not taking the keyboard from the active
                        // program, and the taskbar button flashes until it comes to the front
        HideToTray,     // add the tray icon for the model; the window answers with TrayIconAnswered
        HideWindow,     // the icon is there: hide
        WaitForTray,    // the shell took no icon: minimised in the taskbar, the add tried again
        UpdateTrayIcon, // the hidden window's icon and tip anew
        Message,        // text, with `icon`; titled with the program's name
        HourlyBox,      // "Stundensignal!", titled "Horovant", modal, in front; HourlyBoxClosed after
        FileFailed,     // the settings file's error message for `error`
        LaunchWorker,   // a stopwatch worker for run `run`
    };
    Kind kind;
    std::string text;
    unsigned icon = 0;
    FileError error = FileError::None;
    std::uint64_t run = 0;
    bool operator==(const Step&) const = default;
};

struct Effects {
    std::vector<Step> steps;
    bool redrawLabels = false;
    int focus = 0;  // control id to focus afterwards, 0 none
    bool selectFocusText = false;

    void Add(Step::Kind kind, std::string text = {}) { steps.push_back({kind, std::move(text)}); }
    bool Has(Step::Kind kind) const {
        for (const Step& s : steps)
            if (s.kind == kind) return true;
        return false;
    }
};

}  // namespace hv
