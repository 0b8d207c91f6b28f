#include "platform/App.h"

namespace hv {
namespace {
Application* g_current = nullptr;
}

Application::Application() { g_current = this; }

Application::~Application() {
    if (g_current == this) g_current = nullptr;
}

Application* Application::Current() { return g_current; }

std::string AppName() {
    if (g_current && !g_current->Name().empty()) return g_current->Name();
    return "Horovant";
}

}  // namespace hv
