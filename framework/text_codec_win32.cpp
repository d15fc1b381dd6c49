// The system ANSI code page (CP_ACP): the one place the program converts
// through the platform.
#include "framework/text_codec.h"

#include <windows.h>

namespace fw {

namespace {

class SystemCodec : public AnsiCodec {
  public:
    SystemCodec() {
        for (int b = 0; b < 256; ++b)
            lead_[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE;
    }

    bool IsLeadByte(unsigned char byte) const override { return lead_[byte]; }

    std::u16string ToUtf16(std::string_view ansi) const override {
        if (ansi.empty())
            return std::u16string();
        int n =
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
        if (n <= 0)
            return std::u16string();
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], n);
        return std::u16string(wide.begin(), wide.end());
    }

    std::string FromUtf16(std::u16string_view text) const override {
        if (text.empty())
            return std::string();
        std::wstring wide(text.begin(), text.end());
        int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
        if (n <= 0)
            return std::string();
        std::string ansi(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], n,
                            nullptr, nullptr);
        return ansi;
    }

  private:
    bool lead_[256];
};

// wchar_t is a UTF-16 unit on Windows.
std::wstring ToWide(const std::u16string& units) {
    return std::wstring(units.begin(), units.end());
}

std::u16string ToUnits(const std::wstring& wide) {
    return std::u16string(wide.begin(), wide.end());
}

}  // namespace

const AnsiCodec& SystemAnsiCodec() {
    static const SystemCodec codec;
    return codec;
}

std::wstring WidenAnsi(const std::string& ansi) {
    return ToWide(SystemAnsiCodec().ToUtf16(ansi));
}

std::string NarrowAnsi(const std::wstring& wide) {
    return SystemAnsiCodec().FromUtf16(ToUnits(wide));
}

std::wstring WidenUtf8(const std::string& utf8) {
    return ToWide(Utf8ToUtf16(utf8));
}

std::string NarrowUtf8(const std::wstring& wide) {
    return Utf16ToUtf8(ToUnits(wide));
}

}  // namespace fw
