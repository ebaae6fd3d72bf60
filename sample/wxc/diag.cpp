#include "diag.h"

#include <wx/debug.h>
#include <wx/log.h>

#include <cstdarg>
#include <cstdio>

namespace wxc {

void Note(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::fputs("wx-c: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
}

namespace {

void AssertToStderr(const wxString& file, int line, const wxString& func, const wxString& cond,
                    const wxString& msg) {
  Note("wxWidgets assertion \"%s\" failed in %s() at %s:%d: %s", cond.utf8_str().data(),
       func.utf8_str().data(), file.utf8_str().data(), line, msg.utf8_str().data());
}

}  // namespace

void QuietenWxDiagnostics() {
  wxSetAssertHandler(AssertToStderr);
  delete wxLog::SetActiveTarget(new wxLogStderr());
}

}  // namespace wxc
