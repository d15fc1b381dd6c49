// The About box: everything it does is the plain dialog's (OK and Esc close it).
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CAboutDlg : public fw::Dialog {
  public:
    CAboutDlg() : fw::Dialog(IDD_ABOUT) {}
};

// Appends a separator and the About item (command 16, string 101) to a
// window's system menu, when the menu and the string exist.
void AppendAboutItem(HWND window);
