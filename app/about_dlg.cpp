#include "app/about_dlg.h"

#include "framework/text.h"

void AppendAboutItem(HWND window) {
    const std::wstring text = fw::LoadResourceString(IDS_ABOUTBOX);
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu == nullptr || text.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text.c_str());
}
