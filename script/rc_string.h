// The texts of resource statements: string tokens ("..." and L"...") read as the resource
// compiler reads them, and texts written for BASIC.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// The characters of a string token, as UTF-8: "" is one quote; \n \r \t \\ \" \a (0x08, as
// llvm-rc has it), \x with up to two hex digits (four in L"") and up to three octal digits
// stand for their character; a NUL ends the text; any other escape stays as it is (in L"" it is
// dropped, as llvm-rc does). Narrow \x bytes above 0x7F are read as Latin-1.
std::string DecodeRcString(std::string_view token);

// A text as BASIC writes it between quotes: each quote doubled.
std::string BasicQuoted(std::string_view text);

}  // namespace fw
