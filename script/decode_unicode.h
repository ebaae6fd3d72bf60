// Scripts in a Unicode form: UTF-8 after its byte order mark, UTF-16 in either byte order.
#pragma once

#include <string_view>

#include "script/decode.h"

namespace fw {

// Decodes `bytes` into `out` (text, encoding, one span, notes) when they start with a byte order
// mark, or look like UTF-16LE without one; false, leaving `out` alone, otherwise.
bool DecodeUnicode(std::string_view bytes, DecodedScript& out);

}  // namespace fw
