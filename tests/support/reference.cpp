#include "tests/support/reference.h"

#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

RunResult RunReferenceConversion(Session& session, Platform& platform, const RunOptions& options) {
  bool plain = session.substitution.plain;
  session.substitution.plain = true;
  RunResult result = RunConversion(session, platform, options);
  session.substitution.plain = plain;
  return result;
}

std::string PlainStyleFlagNames(int32_t value, std::string_view map) {
  std::string result;
  int32_t n = FieldCount(map, "\r\n");
  for (int32_t i = 1; i <= n; ++i) {
    std::string entry = FieldAt(map, "\r\n", i);
    auto bits = static_cast<uint32_t>(ParseInteger(FieldAt(entry, ",", 1)));
    if ((bits & static_cast<uint32_t>(value)) != bits) continue;
    std::string name = FieldAt(entry, ",", 2);
    if (!name.empty() && result.find(name) != std::string::npos) continue;
    result += name + " or ";
  }
  while (result.size() >= 4 && result.compare(result.size() - 4, 4, " or ") == 0) {
    result.resize(result.size() - 4);
  }
  return result.empty() ? "0" : result;
}

}  // namespace fw
