// The system's open and save dialogs, asked for one file name.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

enum class FileDialog { kOpen, kSave };

// Asks for a file with the dialog owned by owner (so the owner waits for the
// answer), starting from path's name; filter is a double-NUL-terminated
// list of pairs and defaultExtension (or null) is added to a name without
// one. A save asks before replacing a file; an open takes only an existing
// file. True with the chosen path in path; false when the user cancelled.
bool AskFileName(HWND owner, FileDialog kind, const wchar_t* filter,
                 const wchar_t* defaultExtension, std::wstring& path);

}  // namespace fw
