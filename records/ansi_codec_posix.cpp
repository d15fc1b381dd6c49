// Natively there is no ANSI code page: UTF-8 stands in for it.
#include "records/ansi_codec.h"

namespace records {

const AnsiCodec& SystemAnsiCodec() {
    static const Utf8Codec codec;
    return codec;
}

}  // namespace records
