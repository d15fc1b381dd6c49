// The system ANSI code page (CP_ACP) for the data-file store.
#include "records/ansi_codec.h"

#include <windows.h>

namespace records {

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

}  // namespace

const AnsiCodec& SystemAnsiCodec() {
    static const SystemCodec codec;
    return codec;
}

}  // namespace records
