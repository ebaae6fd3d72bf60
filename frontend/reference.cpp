#include "frontend/reference.h"

#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

// Switches a state to the plain method for as long as it lives.
class PlainScope {
 public:
  explicit PlainScope(GenerationState& state) : state_(state) { state_.SetPlainSubstitution(true); }
  ~PlainScope() { state_.SetPlainSubstitution(false); }
  PlainScope(const PlainScope&) = delete;
  PlainScope& operator=(const PlainScope&) = delete;

 private:
  GenerationState& state_;
};

}  // namespace

RunResult RunReferenceConversion(GenerationState& state, Platform& platform,
                                 const std::string& templateRoot, const std::string& templateName) {
  PlainScope plain(state);
  return RunConversion(state, platform, templateRoot, templateName);
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
