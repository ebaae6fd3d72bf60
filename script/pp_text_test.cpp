#include "script/pp_text.h"

#include <gtest/gtest.h>

#include "script/preprocessor.h"

namespace fw {
namespace {

TEST(PpTextTest, LinesMarkersAndSpacesThatKeepTokensApart) {
  PpMemoryFiles files;
  files.Add("h.rc2", "H\n");
  PreprocessResult r = Preprocess(files, "a.rc",
                                  "#define C(a, b) a b\n#define P(a, b) a+b\nC(x, 1) P(y, 2)\n\n"
                                  "next\n#include \"h.rc2\"\n\n\n\n\n\n\n\n\n\n\n\nfar\n");
  EXPECT_EQ(PpTokensToText(r.tokens, r.files),
            "#line 3 \"a.rc\"\nx 1 y+ 2\n\nnext\n#line 1 \"h.rc2\"\nH\n#line 18 \"a.rc\"\nfar\n");
}

}  // namespace
}  // namespace fw
