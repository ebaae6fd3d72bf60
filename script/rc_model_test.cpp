#include "script/rc_model.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(RcModelTest, DefineValuesAsBasicWritesThem) {
  EXPECT_EQ(BasicDefineValue("0x1F"), "&h1F");
  EXPECT_EQ(BasicDefineValue("0x1FL"), "&h1F");
  EXPECT_EQ(BasicDefineValue("100UL"), "100");
  EXPECT_EQ(BasicDefineValue("(-1)"), "-1");
  EXPECT_EQ(BasicDefineValue("- 5"), "-5");
  EXPECT_EQ(BasicDefineValue("017"), "&o17");
  EXPECT_EQ(BasicDefineValue("0"), "0");
  EXPECT_EQ(BasicDefineValue("\"text\""), "\"text\"");
  EXPECT_EQ(BasicDefineValue("IDC_A + 1"), "IDC_A + 1");
  EXPECT_EQ(BasicDefineValue("(WS_CHILD | 0x10)"), "(WS_CHILD | 0x10)");
  EXPECT_EQ(BasicDefineValue("1.5"), "1.5");
}

TEST(RcModelTest, StatementsInCanonicalOrderWithFinalValues) {
  RcDialog d;
  d.name.ordinal = 5;
  d.name.text = "5";
  d.nameWritten = "5";
  d.style = 0x80000000;
  d.font = RcFont{9, "Tahoma", 700, 1, 0};
  d.exStyle = 0x100;
  d.caption = "a \"b\"";
  d.windowClass = RcNameOrOrdinal{"MyClass", std::nullopt};
  ScriptDialog m = ToScriptDialog(d);
  EXPECT_EQ(m.name, "IDD_5");
  using Kind = DialogStatement::Kind;
  ASSERT_EQ(m.statements.size(), 5u);
  EXPECT_EQ(m.statements[0].kind, Kind::kCaption);
  EXPECT_EQ(m.statements[0].text, "a \"\"b\"\"");
  EXPECT_EQ(m.statements[1].kind, Kind::kClass);
  EXPECT_EQ(m.statements[2].kind, Kind::kExStyle);
  EXPECT_EQ(m.statements[3].kind, Kind::kFont);
  EXPECT_EQ(m.statements[3].weight, 700);
  EXPECT_EQ(m.statements[4].kind, Kind::kStyle);
  EXPECT_EQ(static_cast<uint32_t>(m.statements[4].number), 0x80C00040u);
}

TEST(RcModelTest, DefaultStyleAndNoFontBit) {
  RcDialog d;
  d.nameWritten = "IDD_A";
  EXPECT_EQ(d.FinalStyle(), 0x80880000u);
  d.style = 0x40 | 0x80000000;  // DS_SETFONT without a FONT: the compiler drops it
  EXPECT_EQ(d.FinalStyle(), 0x80000000u);
  EXPECT_EQ(ToScriptDialog(d).name, "IDD_A");
  ASSERT_EQ(ToScriptDialog(d).statements.size(), 1u);
}

}  // namespace
}  // namespace fw
