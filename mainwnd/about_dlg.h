// The About box: everything it does is the plain dialog's (OK and Esc close it).
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CAboutDlg : public fw::Dialog {
  public:
    CAboutDlg() : fw::Dialog(IDD_ABOUT) {}
};
