#pragma once
#include "platform/App.h"

namespace hv {

// The application object: prepares the platform, runs the main window
// modally and lets the process end when it closes.
class ZeitApp : public Application {
public:
    // Always false: the process ends after the main window, with no message
    // loop of the application's own.
    bool InitInstance() override;

private:
    static constexpr const char* kOneCopyName = "Horovant.EineKopie";
    static void ShowRunningCopy();
};

}  // namespace hv
