#include "frontend/win32/status_line.h"

#include "textutil/text.h"

namespace fw {

namespace {

std::string Describe(const Diagnostic& d) {
  // The message first: the status line is narrow and paths are long.
  return d.path.empty() ? d.message : d.message + ": " + d.path;
}

// "1 file not written: ..." or "3 files not written, first: ...".
std::string Summary(size_t count, const char* singular, const char* plural,
                    const std::string& first) {
  if (count == 1) return std::string("1 ") + singular + ": " + first;
  return std::to_string(count) + " " + plural + ", first: " + first;
}

}  // namespace

std::string StatusLineText(const RunResult& result, const Diagnostics& diagnostics) {
  const std::vector<Diagnostic>& items = diagnostics.items();
  if (!result.made) {
    for (const Diagnostic& d : items) {
      if (d.severity == Severity::kError) return "Nothing written: " + Describe(d);
    }
    return items.empty() ? "Nothing written" : "Nothing written: " + Describe(items.front());
  }
  if (size_t notWritten = diagnostics.NotWrittenCount(); notWritten > 0) {
    for (const Diagnostic& d : items) {
      if (!d.outputNotWritten) continue;
      // The summary says it already.
      Diagnostic shown = d;
      if (StartsWith(shown.message, "not written: ")) shown.message.erase(0, 13);
      return Summary(notWritten, "file not written", "files not written", Describe(shown));
    }
  }
  if (!items.empty()) return Summary(items.size(), "warning", "warnings", Describe(items.front()));
  return "Ready";
}

}  // namespace fw
