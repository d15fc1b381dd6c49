// Natively there is no ANSI code page: UTF-8 stands in for it.
#include "framework/text_codec.h"

namespace fw {

const AnsiCodec& SystemAnsiCodec() {
    static const Utf8Codec codec;
    return codec;
}

}  // namespace fw
