// Text at the boundary between the program and Win32.
//
// The program's own texts (data file, clipboard text, report file) are bytes
// in the system ANSI code page; Japanese resource strings and literals are
// shown through the wide calls so that they read correctly whatever the
// system code page is. The conversions live here, in one place.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowAnsi(const std::wstring& wide);
// The comparison's texts are UTF-8, so that its exports carry every
// character whatever the code page.
std::wstring WidenUtf8(const std::string& utf8);
std::string NarrowUtf8(const std::wstring& wide);

// Puts the text on the clipboard (PutUnicodeText of clipboard.h); false when
// the clipboard could not be opened or filled.
bool SetClipboardText(HWND owner, const std::wstring& text);

// A string resource of this module; empty when it does not exist.
std::wstring LoadResourceString(UINT id);

}  // namespace fw
