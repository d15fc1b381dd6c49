// The clipboard: one way to put data on it, for the text and the pictures
// the windows copy. Each call opens the clipboard, empties it, hands it the
// data and closes it; once set, the data belongs to the clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "framework/gdi.h"

namespace fw {

enum class ClipboardResult {
    kSet,
    kNotOpened,  // another program holds the clipboard
    kNotSet,     // opened, but the data could not be made or handed over
};

// Text as CF_UNICODETEXT (the system offers it as CF_TEXT too).
ClipboardResult PutUnicodeText(HWND owner, const std::wstring& text);
// Bytes in the ANSI code page as CF_TEXT, as the data file holds them.
ClipboardResult PutAnsiText(HWND owner, const std::string& text);
// A device-dependent bitmap as CF_BITMAP.
ClipboardResult PutBitmap(HWND owner, Bitmap bitmap);

}  // namespace fw
