#include "framework/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace fw {

bool AskFileName(HWND owner, FileDialog kind, const wchar_t* filter,
                 const wchar_t* defaultExtension, std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    path.copy(buffer.data(), std::min<size_t>(path.size(), MAX_PATH - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = defaultExtension;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (kind == FileDialog::kSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen =
        kind == FileDialog::kSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return false;
    path = buffer.data();
    return true;
}

}  // namespace fw
