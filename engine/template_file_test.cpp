#include "engine/template_file.h"

#include <gtest/gtest.h>

#include "platform/line_reader.h"

namespace fw {
namespace {

// The sections of a template text as (tag, body) pairs.
std::vector<std::pair<int, std::string>> Parse(const std::string& text, TemplateKind kind) {
  StringLineReader reader(text);
  std::vector<std::pair<int, std::string>> out;
  for (auto& s : ParseTemplateFile(reader, kind).sections) out.emplace_back(s.tag, s.body);
  return out;
}

TEST(ParseTemplateTest, HeaderOnLastLineAndSingleLineFilesGiveNothing) {
  EXPECT_TRUE(Parse("[OPTION]", TemplateKind::kControl).empty());
  EXPECT_TRUE(Parse("[OPTION]\n", TemplateKind::kControl).empty());
  auto last = Parse("[OPTION]\na\n[EVENT]", TemplateKind::kControl);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_EQ(last[0].second, "a\r\n");
}

TEST(ParseTemplateTest, UnknownTagsAreSkippedWithoutStalling) {
  auto sections = Parse(
      "junk first\n[option]\nlost\n[DLGPROC]\nlost too\n[ OPTION]\n"
      "[OPTION]\nkept\n[OPTION]\nagain\n",
      TemplateKind::kControl);
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].second, "kept\r\nagain\r\n");
  auto dialog = Parse("[WM_COMMAND]\nx\n[DLGPROC]\ny\n", TemplateKind::kDialog);
  ASSERT_EQ(dialog.size(), 1u);
  EXPECT_EQ(dialog[0].second, "y\r\n");
}

TEST(ParseTemplateTest, ABodyEndsAtAnyLineStartingWithABracket) {
  auto sections = Parse("[GLOBAL]\na\n[not a tag\nb\n[GLOBAL]\nc\n", TemplateKind::kControl);
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].second, "a\r\nc\r\n");
}

TEST(ParseTemplateTest, EachKindKeepsItsOwnTags) {
  const char* text = "[INITIAL]\ni\n[CONSTANT]\nc\n[EVENT]\ne\n[STYLE]\ns\n";
  EXPECT_EQ(Parse(text, TemplateKind::kControl),
            (std::vector<std::pair<int, std::string>>{
                {kInitial, "i\r\n"}, {kEvent, "e\r\n"}, {kStyle, "s\r\n"}}));
  EXPECT_EQ(Parse(text, TemplateKind::kDialog),
            (std::vector<std::pair<int, std::string>>{
                {kConstant, "c\r\n"}, {kEvent, "e\r\n"}, {kStyle, "s\r\n"}}));
}

}  // namespace
}  // namespace fw
