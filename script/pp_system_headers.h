// The system headers a resource script may include (windows.h, winres.h, commctrl.h, ...):
// not read from anywhere, but stood for by one table of the definitions scripts use from them.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// True when `name`, as written in an #include (any letter case, '\' or '/'), is a system header
// the table stands for.
bool IsPpSystemHeader(std::string_view name);

// The table as "#define" lines, one per definition.
const std::string& PpSystemHeaderText();

// True when the table defines `name`.
bool IsPpSystemHeaderName(std::string_view name);

}  // namespace fw
