#pragma once
// The application object: exactly one static instance; the backend's entry
// point runs InitInstance and ends the process when it returns false.
#include <string>

namespace hv {

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Current();

    virtual bool InitInstance() { return true; }

    // The program file's name without its extension; caption of message boxes.
    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

private:
    std::string m_name;
};

// Caption for message boxes: the application's name, or "Horovant" when no
// application object exists (tests that run a dialog alone).
std::string AppName();

}  // namespace hv
