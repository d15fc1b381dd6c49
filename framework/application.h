// The one application object: constructed during static initialisation,
// started from WinMain, destroyed at process exit.
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace fw {

class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Current();

    // Sets up the common controls, then InitInstance; a dialog program
    // returns false from it and the process ends with ExitInstance's code.
    int Run();

    // The window that owns dialogs opened without a parent.
    void SetMainWindow(const Window* window) { mainWindow_ = window; }
    HWND MainWindowHandle() const {
        return mainWindow_ != nullptr ? mainWindow_->Handle() : nullptr;
    }

  protected:
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

  private:
    const Window* mainWindow_ = nullptr;
};

// The full path of this program's executable, however long and whatever
// characters its folders have; empty when the system cannot tell.
std::wstring ExecutablePath();

}  // namespace fw
