// Texts from data files made safe for where an export puts them. A data
// file may come from anyone, so every name, file name and machine text in an
// export is hostile input: a CSV cell must not become a formula in a
// spreadsheet, and a Markdown cell must carry no markup, no HTML and no
// control sequence to the renderer or terminal that shows it.
#pragma once

#include <string>

namespace compare {

// A CSV field as RFC 4180 quotes it (when it holds a comma, a quote or a
// line break). A text that begins with '=', '+', '-', '@', a tab or a CR
// and is not a number gets a leading apostrophe, which spreadsheets show as
// text instead of reading a formula.
std::string CsvField(const std::string& text);

// A UTF-8 text as one Markdown table cell or heading: '|' and '\' escaped
// (a '|' would end the cell), '<', '>' and '&' as HTML entities, line
// breaks and tabs as blanks, every other C0 control character and DEL as
// its visible symbol (U+2400 + code, U+2421), and the C1 controls
// (U+0080-U+009F, which terminals read as escape sequences) as U+FFFD.
std::string MarkdownText(const std::string& text);

}  // namespace compare
