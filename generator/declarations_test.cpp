#include "generator/declarations.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(DeclarationsTest, ProcedureHeadersAtTheStartOfALine) {
  EXPECT_EQ(BuildDeclarations("Sub Main()\r\n  print 1\r\nEnd Sub\r\n"), "declare Sub Main()\r\n");
  EXPECT_EQ(BuildDeclarations("FUNCTION Area(byval w as integer) as integer"),
            "declare FUNCTION Area(byval w as integer) as integer\r\n");
  EXPECT_EQ(BuildDeclarations(" sub a()\r\n\tsub b()\r\nprivate sub c()\r\nsub\td\r\nsub\r\n"), "");
  EXPECT_EQ(BuildDeclarations(std::string("sub a()\r\n\0sub b()\r\n", 20)), "declare sub a()\r\n");
  EXPECT_EQ(BuildDeclarations("sub x()\r\nsub x()\r\n"), "declare sub x()\r\ndeclare sub x()\r\n");
  EXPECT_EQ(BuildDeclarations(""), "");
}

// The scan reads 16 bytes at a time: line ends on each side of a block's edge, lone CRs and LFs,
// and "sub" split across blocks must give what reading line by line gives.
TEST(DeclarationsTest, BlockScanAgreesWithReadingLineByLine) {
  auto byLines = [](std::string_view code) {
    std::string out;
    for (size_t start = 0;;) {
      size_t end = code.find("\r\n", start);
      std::string_view line = code.substr(start, end == std::string_view::npos ? end : end - start);
      if (OpensProcedure(line)) out += "declare " + std::string(line) + "\r\n";
      if (end == std::string_view::npos) return out;
      start = end + 2;
    }
  };
  const std::string_view pieces[] = {"\r\n", "\n",       "\r",     "sub ", "SUB a", "Function f()",
                                     "x",    "function", " sub b", "s",    "fun"};
  uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string code;
    int count = static_cast<int>(seed % 40);
    for (int i = 0; i < count; ++i) {
      seed = seed * 1103515245 + 12345;
      code += pieces[(seed >> 16) % std::size(pieces)];
    }
    seed = seed * 1103515245 + 12345;
    ASSERT_EQ(BuildDeclarations(code), byLines(code)) << testing::PrintToString(code);
  }
}

}  // namespace
}  // namespace fw
