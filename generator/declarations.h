// Forward declarations for generated procedures.
#pragma once

#include <string>
#include <string_view>

#include "engine/buffer.h"

namespace fw {

// One "declare " line for every line of `code` that begins with "sub " or "function " (any
// letter case), in order. The code is taken up to its first zero byte.
std::string BuildDeclarations(std::string_view code);

// The same lines appended to `out`: a std::string or a text with the same append().
template <typename Out>
void AppendDeclarations(std::string_view code, Out& out);

// The same lines appended to a buffer (which the run may set aside as it grows).
void AppendDeclarations(std::string_view code, Buffer& out);

// Whether `line` opens a procedure: it begins with "sub " or "function " in any letter case.
bool OpensProcedure(std::string_view line);

// The first line start at or after `from` (itself a line start) whose line opens a procedure,
// or npos. Lines end at CR LF only.
size_t NextProcedureLine(std::string_view code, size_t from);

template <typename Out>
void AppendDeclarations(std::string_view code, Out& out) {
  code = code.substr(0, code.find('\0'));
  for (size_t start = NextProcedureLine(code, 0); start != std::string_view::npos;) {
    size_t end = code.find("\r\n", start);
    out.append("declare ");
    out.append(code.substr(start, end == std::string_view::npos ? end : end - start));
    out.append("\r\n");
    if (end == std::string_view::npos) break;
    start = NextProcedureLine(code, end + 2);
  }
}

}  // namespace fw
