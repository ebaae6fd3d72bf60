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

}  // namespace
}  // namespace fw
