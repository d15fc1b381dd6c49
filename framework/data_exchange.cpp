#include "framework/data_exchange.h"

#include <cstdio>

#include "framework/combo_box.h"
#include "framework/control.h"
#include "framework/text.h"
#include "framework/window.h"

namespace fw {

void DataExchange::Bind(int id, Control& control) {
    if (failed_ || control.IsBound())
        return;
    control.Bind(GetDlgItem(dialog_, id));
}

void DataExchange::Text(int id, std::wstring& value) {
    if (failed_)
        return;
    Window dialog(dialog_);
    if (save_)
        value = dialog.ItemText(id);
    else
        dialog.SetItemText(id, value);
}

void DataExchange::Text(int id, std::string& ansi) {
    if (failed_)
        return;
    std::wstring wide = WidenAnsi(ansi);
    Text(id, wide);
    if (save_)
        ansi = NarrowAnsi(wide);
}

void DataExchange::Check(int id, int& value) {
    if (failed_)
        return;
    if (save_)
        value = static_cast<int>(IsDlgButtonChecked(dialog_, id));
    else
        CheckDlgButton(dialog_, id, static_cast<UINT>(value));
}

void DataExchange::ComboText(int id, std::wstring& value) {
    if (failed_)
        return;
    Window dialog(dialog_);
    if (save_) {
        value = dialog.ItemText(id);
        return;
    }
    if (ComboBox(dialog.Item(id)).SelectString(value) == CB_ERR)
        dialog.SetItemText(id, value);
}

void DataExchange::MaxChars(int id, const std::wstring& value, int maxChars) {
    if (failed_ || !save_)
        return;
    if (value.size() <= static_cast<size_t>(maxChars))
        return;
    wchar_t text[128];
    std::swprintf(text, 128, L"%d 文字以内で入力してください。", maxChars);
    MessageBoxW(dialog_, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    Fail(id);
}

void DataExchange::Fail(int id) {
    failed_ = true;
    HWND control = GetDlgItem(dialog_, id);
    if (control == nullptr)
        return;
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace fw
