// Data exchange between a dialog's members and its controls.
//
// A dialog's DoDataExchange lists its members once; the same list loads the
// controls (save = false, when the dialog opens) and reads them back
// (save = true, on OK). A validation that refuses a value tells the user,
// puts the focus on the control and stops the exchange.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class Control;

class DataExchange {
  public:
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }
    bool Failed() const { return failed_; }

    // Binds a member control object to a template control (once).
    void Bind(int id, Control& control);

    void Text(int id, std::wstring& value);
    // Text held in the ANSI code page (the data file's encoding).
    void Text(int id, std::string& ansi);
    // A check box: 0 or 1 (2 for the indeterminate state).
    void Check(int id, int& value);
    // An editable combo box: loading selects the first list entry that begins
    // with the text, or else puts the text into the edit field.
    void ComboText(int id, std::wstring& value);
    // Refuses a text longer than maxChars when saving.
    void MaxChars(int id, const std::wstring& value, int maxChars);

  private:
    void Fail(int id);

    HWND dialog_;
    bool save_;
    bool failed_ = false;
};

}  // namespace fw
