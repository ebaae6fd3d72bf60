#include "frontend/cli_options.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(CliOptionsTest, EveryOptionInBothSpellings) {
  ParsedOptions p =
      ParseCliOptions({"--template", "winapi", "--template-root=/t", "--multi", "--base-units",
                       "6,13", "--metrics=3,3,18", "--dry-run", "x.rc"});
  ASSERT_EQ(p.error, "");
  EXPECT_EQ(p.options.templateName, "winapi");
  EXPECT_EQ(p.options.templateRoot, "/t");
  EXPECT_TRUE(p.options.multi);
  EXPECT_TRUE(p.options.dryRun);
  EXPECT_EQ(p.options.baseUnits->second, 13);
  EXPECT_EQ(p.options.metrics->cyCaption, 18);
  EXPECT_EQ(p.options.script, "x.rc");
  EXPECT_EQ(ParseCliOptions({"--", "--odd.rc"}).options.script, "--odd.rc");
  EXPECT_FALSE(p.options.fullSyntax);
  EXPECT_EQ(p.options.codePage, 1252);
  EXPECT_EQ(p.options.language, -1);
  ParsedOptions full =
      ParseCliOptions({"--full-syntax", "--code-page", "932", "--language=0x411", "x.rc"});
  ASSERT_EQ(full.error, "");
  EXPECT_TRUE(full.options.fullSyntax);
  EXPECT_EQ(full.options.codePage, 932);
  EXPECT_EQ(full.options.language, 0x411);
  EXPECT_EQ(ParseCliOptions({"--language", "1033", "x.rc"}).options.language, 1033);
}

TEST(CliOptionsTest, UsageErrors) {
  for (std::vector<std::string> bad :
       std::vector<std::vector<std::string>>{{},
                                             {"a.rc", "b.rc"},
                                             {"--bogus", "a.rc"},
                                             {"--template"},
                                             {"--base-units", "6", "a.rc"},
                                             {"--base-units", "6,x", "a.rc"},
                                             {"--metrics", "1,2,3,4", "a.rc"},
                                             {"--base-units", "99999999999,1", "a.rc"},
                                             {"--base-units", "40518560,1", "a.rc"},
                                             {"--code-page", "0", "a.rc"},
                                             {"--code-page", "cp1252", "a.rc"},
                                             {"--language", "0x10000", "a.rc"},
                                             {"--language", "-1", "a.rc"},
                                             {"--language", "0x", "a.rc"}}) {
    EXPECT_NE(ParseCliOptions(bad).error, "") << (bad.empty() ? "" : bad[0]);
  }
  EXPECT_EQ(ParseCliOptions({"--help"}).error, "");
  ParsedOptions list = ParseCliOptions({"--list-templates", "--template-root", "/t"});
  EXPECT_EQ(list.error, "");
  EXPECT_TRUE(list.options.listTemplates);
  EXPECT_EQ(ParseCliOptions({"--base-units", "40518559,-5", "a.rc"}).error, "");
}

}  // namespace
}  // namespace fw
