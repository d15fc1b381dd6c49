// Text at the boundary between the program and Win32: the clipboard and the
// string resources. The conversions between the code pages and the wide
// strings of the W calls are text_codec.h's.
#pragma once

#include <windows.h>

#include <string>

#include "framework/text_codec.h"

namespace fw {

// Puts the text on the clipboard (PutUnicodeText of clipboard.h); false when
// the clipboard could not be opened or filled.
bool SetClipboardText(HWND owner, const std::wstring& text);

// A string resource of this module; empty when it does not exist.
std::wstring LoadResourceString(UINT id);

}  // namespace fw
