#include "framework/application.h"

#include <commctrl.h>

namespace fw {

namespace {
Application* g_current = nullptr;
}

Application::Application() {
    g_current = this;
}

Application::~Application() {
    if (g_current == this)
        g_current = nullptr;
}

Application* Application::Current() {
    return g_current;
}

int Application::Run() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return ExitInstance();
}

std::wstring ExecutablePath() {
    // The call cuts a path that does not fit and says so only by filling the
    // buffer: grow it until the path fits, up to the longest path there is.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], size);
        if (length == 0)
            return std::wstring();
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::wstring();
}

}  // namespace fw
