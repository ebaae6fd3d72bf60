#include "script/pp_system_headers.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "script/preprocessor.h"

namespace fw {
namespace {

// True when `condition` holds after including windows.h.
bool Holds(const std::string& condition) {
  PpMemoryFiles files;
  PreprocessResult r =
      Preprocess(files, "t.rc", "#include <windows.h>\n#if " + condition + "\nyes\n#endif\n");
  EXPECT_FALSE(r.HasErrors()) << condition;
  return r.tokens.size() == 1 && r.tokens[0].text == "yes";
}

TEST(PpSystemHeadersTest, KnowsTheHeadersInAnySpelling) {
  EXPECT_TRUE(IsPpSystemHeader("windows.h"));
  EXPECT_TRUE(IsPpSystemHeader("WinRes.H"));
  EXPECT_TRUE(IsPpSystemHeader("afxres.h"));
  EXPECT_TRUE(IsPpSystemHeader("CommCtrl.h"));
  EXPECT_FALSE(IsPpSystemHeader("resource.h"));
  EXPECT_FALSE(IsPpSystemHeader("sys\\windows.h"));
}

TEST(PpSystemHeadersTest, EveryLineDefinesANameOnce) {
  std::istringstream in(PpSystemHeaderText());
  std::map<std::string, int> seen;
  for (std::string line; std::getline(in, line);) {
    ASSERT_EQ(line.rfind("#define ", 0), 0u) << line;
    std::string name = line.substr(8, line.find_first_of(" (", 8) - 8);
    EXPECT_EQ(++seen[name], 1) << name;
  }
  EXPECT_GT(seen.size(), 600u);
}

TEST(PpSystemHeadersTest, ValuesOfTheWindowsHeaders) {
  EXPECT_TRUE(Holds("WS_OVERLAPPEDWINDOW == 0x00CF0000 && WS_POPUPWINDOW == 0x80880000"));
  EXPECT_TRUE(Holds("WS_CHILD + WS_VISIBLE + WS_TABSTOP == 0x50010000"));
  EXPECT_TRUE(Holds("WS_EX_CLIENTEDGE == 0x200 && WS_EX_OVERLAPPEDWINDOW == 0x300"));
  EXPECT_TRUE(Holds("DS_SHELLFONT == 0x48 && DS_MODALFRAME == 0x80 && DS_CENTER == 0x800"));
  EXPECT_TRUE(Holds("BS_AUTOCHECKBOX == 3 && BS_GROUPBOX == 7 && BS_PUSHLIKE == 0x1000"));
  EXPECT_TRUE(Holds("ES_AUTOHSCROLL == 0x80 && ES_NUMBER == 0x2000"));
  EXPECT_TRUE(Holds("SS_ETCHEDHORZ == 0x10 && SS_SUNKEN == 0x1000"));
  EXPECT_TRUE(Holds("LBS_STANDARD == 0xA00003 && CBS_DROPDOWNLIST == 3 && SBS_VERT == 1"));
  EXPECT_TRUE(Holds("IDOK == 1 && IDCANCEL == 2 && IDABORT == 3 && IDRETRY == 4"));
  EXPECT_TRUE(Holds("IDIGNORE == 5 && IDYES == 6 && IDNO == 7 && IDCLOSE == 8 && IDHELP == 9"));
  EXPECT_TRUE(Holds("IDC_STATIC == -1"));
  EXPECT_TRUE(Holds("TBS_AUTOTICKS == 1 && UDS_SETBUDDYINT == 2 && PBS_SMOOTH == 1"));
  EXPECT_TRUE(Holds("LVS_REPORT == 1 && TVS_HASLINES == 2 && TCS_MULTILINE == 0x200"));
  EXPECT_TRUE(Holds("CCS_RIGHT == 0x83 && TBSTYLE_FLAT == 0x800 && SBARS_SIZEGRIP == 0x100"));
  EXPECT_TRUE(Holds("VS_VERSION_INFO == 1 && VS_FFI_FILEFLAGSMASK == 0x3F"));
  EXPECT_TRUE(Holds("VOS_NT_WINDOWS32 == 0x40004 && VFT_APP == 1 && VFT2_UNKNOWN == 0"));
  EXPECT_TRUE(Holds("MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) == 0x409"));
  EXPECT_TRUE(Holds("MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN) == 0x407"));
  EXPECT_TRUE(Holds("VK_F1 == 0x70 && VK_F24 == 0x87 && VK_RETURN == 13"));
  EXPECT_TRUE(Holds("RT_MANIFEST == 24 && ID_FILE_NEW == 0xE100 && ID_APP_EXIT == 0xE141"));
}

TEST(PpSystemHeadersTest, ClassNamesAreNarrowStrings) {
  PpMemoryFiles files;
  PreprocessResult r = Preprocess(files, "t.rc",
                                  "#include <commctrl.h>\nWC_BUTTON WC_LISTVIEW "
                                  "TRACKBAR_CLASS WC_EDITW\n");
  ASSERT_EQ(r.tokens.size(), 4u);
  EXPECT_EQ(r.tokens[0].text, "\"Button\"");
  EXPECT_EQ(r.tokens[1].text, "\"SysListView32\"");
  EXPECT_EQ(r.tokens[2].text, "\"msctls_trackbar32\"");
  EXPECT_EQ(r.tokens[3].text, "L\"Edit\"");
}

}  // namespace
}  // namespace fw
