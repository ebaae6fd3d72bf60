#include "script/narrow_skips.h"

#include <gtest/gtest.h>

#include "platform/line_reader.h"
#include "script/narrow_reader.h"

namespace fw {
namespace {

TEST(NarrowSkipsTest, WhatCountsAsPassedOver) {
  EXPECT_TRUE(IsShortControlForm("LTEXT \"a\",IDC_A,1,2,3,4"));
  EXPECT_TRUE(IsShortControlForm("defpushbutton\t\"OK\",IDOK,1,2,3,4"));
  EXPECT_FALSE(IsShortControlForm("LTEXTS \"a\",1"));
  EXPECT_FALSE(IsShortControlForm("ICON"));
  EXPECT_TRUE(IsDialogHeader("IDD_ABOUT DIALOG 0, 0, 100, 50"));
  EXPECT_TRUE(IsDialogHeader("100 DIALOG\tDISCARDABLE 0,0,1,1"));
  EXPECT_FALSE(IsDialogHeader("IDD_ABOUT DIALOGEX 0,0,1,1"));
  EXPECT_FALSE(IsDialogHeader("DIALOG"));
  for (const char* name : {"WS_CHILD | 0x1", "BS_PUSHBUTTON", " _X", "0x1 | NOT WS_TABSTOP"}) {
    EXPECT_TRUE(IsSymbolicStyle(name)) << name;
  }
  for (const char* number : {"0x50010000", "0XABCDEF", " 12", "0x1 | 0x2", "0x10L", ""}) {
    EXPECT_FALSE(IsSymbolicStyle(number)) << number;
  }
  EXPECT_FALSE(HeaderHasBlanks("IDD_DLG1 DIALOGEX 6,6,194,106"));
  EXPECT_TRUE(HeaderHasBlanks("IDD_DLG1 DIALOGEX 6, 6, 194, 106"));
  EXPECT_TRUE(HeaderHasBlanks("B  DIALOGEX 1,2,3,4"));
  EXPECT_TRUE(HeaderHasBlanks("B DIALOGEX DISCARDABLE 1,2,3,4"));
  EXPECT_FALSE(HeaderHasBlanks("// DIALOGEX in a comment"));
}

TEST(NarrowSkipsTest, TheReaderTalliesWhatItPassesOver) {
  StringLineReader lines(
      "IDD_A DIALOG 0, 0, 10, 10\r\nBEGIN\r\nLTEXT \"x\",1,1,1,1,1\r\nEND\r\n"
      "IDD_B DIALOGEX 0, 0, 10, 10\r\nSTYLE DS_SETFONT | WS_POPUP\r\nEXSTYLE 0x8\r\nBEGIN\r\n"
      "PUSHBUTTON \"OK\",IDOK,1,1,1,1\r\nCONTROL \"c\",1,\"Button\",BS_CHECKBOX,1,1,1,1\r\n"
      "CONTROL \"d\",2,\"Button\",0x1,1,1,1,1\r\nEND\r\n");
  NarrowReader reader(lines);
  ScriptItem item;
  while (reader.Next(item)) {
  }
  const NarrowSkips& s = reader.skips();
  EXPECT_EQ(s.dialogs, 1u);
  EXPECT_EQ(s.headersWithBlanks, 1u);
  EXPECT_EQ(s.symbolicStyles, 2u);
  EXPECT_EQ(s.shortForms, 1u);  // the LTEXT of a DIALOG is not in any dialog the reader reads
  EXPECT_EQ(s.Message(),
            "the narrow reading passed over 1 short control statement, 1 DIALOG dialog, 2 styles "
            "written with names (read as 0), 1 dialog header with blanks; --full-syntax reads "
            "them");
  EXPECT_EQ(NarrowSkips{}.Message(), "");
}

}  // namespace
}  // namespace fw
