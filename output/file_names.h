// Which dialog names may become file names.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// Empty when `name` can name a file on every platform; otherwise why it cannot. Refused:
// empty, ".", "..", a trailing "." or blank, control bytes, any of / \ : < > " | ? *, and
// device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9) before the first ".".
std::string UnsafeFileNameReason(std::string_view name);

}  // namespace fw
