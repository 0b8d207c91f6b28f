// The process entry point: the static application object runs the program
// from InitInstance; whatever it returns, the process ends afterwards.
#include <string>

#include "platform/App.h"
#include "platform/Diagnostics.h"
#include "platform/Services.h"
#include "platform/win32/Win32.h"

namespace {

// "C:\Programme\Horovant\Horovant.exe" -> "Horovant": without a title in the
// string table, the program file's name is the application's name.
std::string ProgramName(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        hv::Application* app = hv::Application::Current();
        if (!app) return 0;
        app->SetName(ProgramName(hv::ModuleFileName()));
        app->InitInstance();
    } catch (...) {
        // Nothing is left to show it to: the window is gone by now.
        hv::ReportFailure(hv::Window(), 0, "the program's start");
    }
    return 0;
}
