#include "compare/export_escape.h"

#include <cctype>

namespace compare {

namespace {

// A decimal number as a spreadsheet reads one: an optional sign, digits
// with at most one point, and an optional exponent.
bool IsNumber(const std::string& text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            ++digits;
        else if (text[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i == start)
            return false;
    }
    return i == text.size();
}

}  // namespace

std::string CsvField(const std::string& text) {
    std::string field = text;
    if (!field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos &&
        !IsNumber(field))
        field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string out = "\"";
    for (char ch : field) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + "\"";
}

std::string MarkdownText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '|' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '\r' || c == '\n' || c == '\t') {
            out += ' ';
        } else if (c < 0x20) {
            // U+2400 + c: E2 90 80+c.
            out += "\xE2\x90";
            out += static_cast<char>(0x80 + c);
        } else if (c == 0x7F) {
            out += "\xE2\x90\xA1";  // ␡
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace compare
