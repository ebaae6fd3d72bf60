// dlgsample writes wxWidgets' style numbers out by value; each must be the flag it stands for.
#include "styles.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/defs.h>
#include <wx/listbase.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

namespace dlgsample {
namespace {

TEST(Styles, AreWxWidgetsOwnFlags) {
  EXPECT_EQ(kFrameStyle, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
  EXPECT_EQ(kFrameStyle & wxRESIZE_BORDER, 0);
  EXPECT_EQ(kNoBorder, wxBORDER_NONE);
  EXPECT_EQ(kSimpleBorder, wxBORDER_SIMPLE);
  EXPECT_EQ(kRaisedBorder, wxBORDER_RAISED);
  EXPECT_EQ(kSunkenBorder, wxBORDER_SUNKEN);
  EXPECT_EQ(kComboDropDown, wxCB_DROPDOWN);
  EXPECT_EQ(kListReport, wxLC_REPORT);
  EXPECT_EQ(kTextMultiLine, wxTE_MULTILINE);
  EXPECT_EQ(kTextCentred, wxTE_CENTRE);
  EXPECT_EQ(kCentreBoth, wxBOTH);
}

// The combined values the dialog's controls are created with.
TEST(Styles, CombinationsGiveTheDialogsNumbers) {
  EXPECT_EQ(kSimpleBorder | kNoBorder, 0x02200000);
  EXPECT_EQ(kRaisedBorder | kListReport, 0x04000020);
  EXPECT_EQ(kRaisedBorder | kTextCentred | kTextMultiLine, 0x04000120);
}

// A list view without the report flag is in none of wxWidgets' list modes: wxWidgets then
// shows it as a plain list, the mode that has no columns.
TEST(Styles, ListView1012HasNoListMode) {
  EXPECT_EQ(kRaisedBorder & wxLC_MASK_TYPE, 0);
}

}  // namespace
}  // namespace dlgsample
