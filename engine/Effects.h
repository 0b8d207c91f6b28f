#pragma once
// What a decision asks of the world beyond the model, in order: sounds, the
// window's return from the notification area, message boxes, the
// stopwatch's worker and display tick, the focus.
#include <cstdint>
#include <optional>
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
        Message,        // text, with `icon`; titled with the program's name
        HourlyBox,      // "Stundensignal!", titled "Horovant", modal, in front; HourlyBoxClosed after
        FileFailed,     // the settings file's error message for `error`
        LaunchWorker,   // a stopwatch worker for run `run`
    };
    Kind kind;
    std::string text{};
    unsigned icon = 0;
    FileError error = FileError::None;
    std::uint64_t run = 0;
    bool operator==(const Step&) const = default;

    // The steps that carry more than their kind.
    static Step Play(std::string wave, bool loop) { return {loop ? PlayLoop : PlayOnce, std::move(wave)}; }
    static Step Tell(std::string text, unsigned icon) { return {Message, std::move(text), icon}; }
    static Step Hourly(std::string text) { return {HourlyBox, std::move(text)}; }
    static Step ReportFile(FileError error) { return {FileFailed, {}, 0, error}; }
    static Step Worker(std::uint64_t run) { return {LaunchWorker, {}, 0, FileError::None, run}; }
};

// Where the keyboard focus goes, as a control id; 0 leaves it where it is.
struct FocusMove {
    int control = 0;
    bool selectText = false;  // select the field's text, to be typed over
    bool operator==(const FocusMove&) const = default;
};

struct Effects {
    std::vector<Step> steps;
    bool redrawLabels = false;
    std::optional<FocusMove> focus;  // afterwards

    void Add(Step step) { steps.push_back(std::move(step)); }
    void Add(Step::Kind kind) { steps.push_back({kind}); }
    bool Has(Step::Kind kind) const {
        for (const Step& s : steps)
            if (s.kind == kind) return true;
        return false;
    }
};

}  // namespace hv
