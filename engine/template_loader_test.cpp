#include "engine/template_loader.h"

#include <gtest/gtest.h>

#include "platform/display_fixed.h"
#include "platform/line_reader.h"
#include "tests/support/conversion_test.h"

namespace fw {
namespace {

// The sections of a template text as (tag header, body) pairs.
std::vector<std::pair<int, std::string>> Parse(const std::string& text, TemplateKind kind) {
  StringLineReader reader(text);
  std::vector<std::pair<int, std::string>> out;
  for (auto& s : ParseTemplateFile(reader, kind).sections) out.emplace_back(s.tag, s.body);
  return out;
}

class LoaderTest : public ConversionTest {
 protected:
  void SetUp() override { state_.TemplateDir = folder_ / "set"; }
  void LoadControl(const std::string& className) {
    state_.CurrentControl.className = className;
    LoadControlTemplate(state_, platform_);
  }
};

TEST_F(LoaderTest, SectionsGetTheirPrefixesAndShortenedSpaces) {
  folder_.Put("set/Button.tpl", "[DIM]\na  =  1\n\n[WM_CLOSE]\nb");
  LoadControl("Button");
  EXPECT_EQ(state_.DimText.text(), "\ta = 1\r\n");
  EXPECT_EQ(state_.WmCloseText.text(), "\t\t\tb\r\n");
}

TEST_F(LoaderTest, BodyLinesKeepTabsAndBlankLinesAreDropped) {
  folder_.Put("set/Edit.tpl",
              "[WM_COMMAND]\r\n\tif x then\r\n    \r\n\t\r\n  lead\r\n [EVENT]\r\n[EVENT]\r\n"
              "\"a    b\"\r\nend\r\n");
  LoadControl("Edit");
  EXPECT_EQ(state_.WmCommandText.text(),
            "\t\t\t\tif x then\r\n\t\t\t\t\r\n\t\t\t lead\r\n\t\t\t [EVENT]\r\n");
  EXPECT_EQ(state_.EventText.text(), "\"a b\"\r\nend\r\n");
}

TEST_F(LoaderTest, ControlClassesFindTheirTemplateIgnoringCase) {
  folder_.Put("set/Button.tpl", "[OPTION]\nbutton ~CTLID~\n");
  state_.CurrentControl.name = "IDC_1";
  LoadControl("BUTTON");
  EXPECT_EQ(state_.OptionText.text(), "button IDC_1\r\n");
  EXPECT_TRUE(state_.diagnostics.items().empty());
}

TEST_F(LoaderTest, MissingTemplatesAndUnsafeClassNamesAreReportedOncePerClass) {
  folder_.Put("Button.tpl", "[OPTION]\noutside\n");
  LoadControl("../Button");
  LoadControl("../Button");
  LoadControl("Nothing");
  LoadControl("nothing");
  EXPECT_EQ(state_.OptionText.text(), "");
  EXPECT_EQ(state_.diagnostics.items().size(), 2u);
}

TEST_F(LoaderTest, StyleSectionsFillTheMapOfTheirKind) {
  folder_.Put("set/Button.tpl", "[STYLE]\n&h1,BS_A\n");
  folder_.Put("set/dialogex.tpl", "[STYLE]\n&h2,DS_B\n[CONSTANT]\nc\n[INITIAL]\nnot here\n");
  LoadControl("Button");
  LoadDialogTemplate(state_, platform_);
  EXPECT_EQ(state_.CtlStyleMap, "&h1,BS_A\r\n");
  EXPECT_EQ(state_.DlgStyleMap, "&h2,DS_B\r\n");
  EXPECT_EQ(state_.ConstantText.text(), "c\r\n");
  EXPECT_EQ(state_.InitialText.text(), "");
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

TEST_F(LoaderTest, TemplatesAreAppendedOncePerControlButReadOncePerRun) {
  folder_.Put("set/Static.tpl", "[OPTION]\nopt ~CTLID~\n");
  for (const char* id : {"A", "B", "C"}) {
    state_.CurrentControl.name = id;
    state_.CurrentControl.className = "Static";
    LoadControlTemplate(state_, platform_);
    folder_.Put("set/Static.tpl", "[OPTION]\nchanged\n");  // not seen within the run
  }
  EXPECT_EQ(state_.OptionText.text(), "opt A\r\nopt B\r\nopt C\r\n");
}

}  // namespace
}  // namespace fw
