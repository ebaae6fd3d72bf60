#include "engine/substitute.h"

#include <gtest/gtest.h>

#include "platform/line_reader.h"

namespace fw {
namespace {

class SubstituteTest : public ::testing::Test {
 protected:
  bool overflow_ = false;
  SectionBuffers b_{&overflow_};
  StyleMapCache styles_;
};

TEST_F(SubstituteTest, ControlFieldsInOrderWithCascades) {
  StringLineReader file(
      "[OPTION]\n~DLGNAME~.~CTLID~ \"~CTLTEXT~\" ~CTLPW~ ~CTLSTYLE~ ~CTLEXSTYLE~ ~OTHER~\n"
      "[STYLE]\n&h1,FLAG_A\n&h2,FLAG_B\n&h4,FLAG_C\n");
  ParsedTemplate parsed = ParseTemplateFile(file, TemplateKind::kControl);
  ControlRecord c;
  c.name = "IDC_1";
  c.text = "at ~CTLX~";
  c.x = -4;
  c.pw = 96;
  c.style = 5;
  AppendControl(b_, &parsed, c, "IDD_MAIN", styles_);
  EXPECT_EQ(b_[kOption].text(), "IDD_MAIN.IDC_1 \"at -4\" 96 FLAG_A or FLAG_C 0 ~OTHER~\r\n");
}

TEST_F(SubstituteTest, DialogFieldsFillDimFirstAndWmTextsLast) {
  DialogRecord d;
  d.name = "DLG";
  d.x = 6;
  d.text = "T";
  b_[kDim].Append("\tdim ~DLGX~\r\n");
  b_[kWmCommand].Append("\t\t\tcase ~DLGX~\r\n");
  b_[kWmInitDialog].Append("\tinit\r\n");
  b_[kDlgProc].Append("~DIM~~WM_COMMAND~~WM_INITDIALOG~~DLGTEXT~ ~DLGSTYLE~\r\n");
  b_[kEvent].Append("~WM_INITDIALOG~~DLGNAME~ ~WM_COMMAND~\r\n");
  StyleMaps maps;
  SubstituteDialogFields(b_, nullptr, d, maps, styles_);
  EXPECT_EQ(b_[kDlgProc].text(), "\tdim 6\r\n\t\t\tcase ~DLGX~\r\n\tinit\r\nT 0\r\n");
  EXPECT_EQ(b_[kEvent].text(), "\tinit\r\nDLG ~WM_COMMAND~\r\n");

  // The next dialog's pass fills what the first one left in the procedure text.
  d.x = 99;
  b_.EmptyScope(Scope::kDialog);
  SubstituteDialogFields(b_, nullptr, d, maps, styles_);
  EXPECT_EQ(b_[kDlgProc].text(), "\tdim 6\r\n\t\t\tcase 99\r\n\tinit\r\nT 0\r\n");
}

}  // namespace
}  // namespace fw
