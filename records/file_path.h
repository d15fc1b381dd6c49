// A file's path as the platform spells it. On Windows that is UTF-16: the
// ANSI code page cannot spell every folder name (a Japanese system has no
// "é" or "✓"), so a path that passed through it would name another file or
// none. Elsewhere it is the bytes the system takes.
#pragma once

#include <string>

namespace records {

#ifdef _WIN32
using FilePath = std::wstring;
#else
using FilePath = std::string;
#endif

}  // namespace records
