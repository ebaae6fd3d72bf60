#include "engine/template_set.h"

#include <gtest/gtest.h>

#include "engine/substitute.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

// A control's template through the set, into fresh buffers.
class TemplateSetTest : public ::testing::Test {
 protected:
  void LoadControl(const std::string& className, const std::string& id = "") {
    ControlRecord c;
    c.name = id;
    c.className = className;
    AppendControl(buffers_, set_.ForClass(className), c, "DLG", styles_);
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
  Diagnostics diagnostics_;
  TemplateSet set_{*files_, folder_ / "set", diagnostics_};
  bool overflow_ = false;
  SectionBuffers buffers_{&overflow_};
  StyleMapCache styles_;
};

TEST_F(TemplateSetTest, SectionsGetTheirPrefixesAndShortenedSpaces) {
  folder_.Put("set/Button.tpl", "[DIM]\na  =  1\n\n[WM_CLOSE]\nb");
  LoadControl("Button");
  EXPECT_EQ(buffers_[kDim].text(), "\ta = 1\r\n");
  EXPECT_EQ(buffers_[kWmClose].text(), "\t\t\tb\r\n");
}

TEST_F(TemplateSetTest, BodyLinesKeepTabsAndBlankLinesAreDropped) {
  folder_.Put("set/Edit.tpl",
              "[WM_COMMAND]\r\n\tif x then\r\n    \r\n\t\r\n  lead\r\n [EVENT]\r\n[EVENT]\r\n"
              "\"a    b\"\r\nend\r\n");
  LoadControl("Edit");
  EXPECT_EQ(buffers_[kWmCommand].text(),
            "\t\t\t\tif x then\r\n\t\t\t\t\r\n\t\t\t lead\r\n\t\t\t [EVENT]\r\n");
  EXPECT_EQ(buffers_[kEvent].text(), "\"a b\"\r\nend\r\n");
}

TEST_F(TemplateSetTest, ControlClassesFindTheirTemplateIgnoringCase) {
  folder_.Put("set/Button.tpl", "[OPTION]\nbutton ~CTLID~\n");
  LoadControl("BUTTON", "IDC_1");
  EXPECT_EQ(buffers_[kOption].text(), "button IDC_1\r\n");
  EXPECT_TRUE(diagnostics_.items().empty());
}

TEST_F(TemplateSetTest, MissingTemplatesAndUnsafeClassNamesAreReportedOncePerClass) {
  folder_.Put("Button.tpl", "[OPTION]\noutside\n");
  LoadControl("../Button");
  LoadControl("../Button");
  LoadControl("Nothing");
  LoadControl("nothing");
  EXPECT_EQ(buffers_[kOption].text(), "");
  EXPECT_EQ(diagnostics_.items().size(), 2u);
}

TEST_F(TemplateSetTest, StyleSectionsFillTheMapOfTheirTemplate) {
  folder_.Put("set/Button.tpl", "[STYLE]\n&h1,BS_A\n[OPTION]\n~CTLSTYLE~\n");
  folder_.Put("set/dialogex.tpl", "[STYLE]\n&h2,DS_B\n[CONSTANT]\nc\n[INITIAL]\nnot here\n");
  ControlRecord c;
  c.style = 3;
  AppendControl(buffers_, set_.ForClass("Button"), c, "DLG", styles_);
  StyleMaps dialogMaps;
  AppendDialogSections(buffers_, dialogMaps, set_.Dialog());
  EXPECT_EQ(buffers_[kOption].text(), "BS_A\r\n");
  EXPECT_EQ(dialogMaps.style, "&h2,DS_B\r\n");
  EXPECT_EQ(buffers_[kConstant].text(), "c\r\n");
  EXPECT_EQ(buffers_[kInitial].text(), "");
}

TEST_F(TemplateSetTest, TemplatesAreAppendedOncePerControlButReadOncePerRun) {
  folder_.Put("set/Static.tpl", "[OPTION]\nopt ~CTLID~\n");
  for (const char* id : {"A", "B", "C"}) {
    LoadControl("Static", id);
    folder_.Put("set/Static.tpl", "[OPTION]\nchanged\n");  // not seen within the run
  }
  EXPECT_EQ(buffers_[kOption].text(), "opt A\r\nopt B\r\nopt C\r\n");
}

}  // namespace
}  // namespace fw
