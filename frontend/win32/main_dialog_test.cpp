// The main dialog: its resource as compiled, and its procedure on a real dialog window.
#include "frontend/win32/main_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "frontend/win32/resource.h"
#include "frontend/win32/template_list.h"
#include "platform/display_fixed.h"
#include "textutil/text.h"

namespace fw {
namespace {

// Reads the fields of a DLGTEMPLATEEX resource in order.
class TemplateCursor {
 public:
  explicit TemplateCursor(const BYTE* data) : p_(data) {}

  template <typename T>
  T Read() {
    T value;
    std::memcpy(&value, p_, sizeof value);
    p_ += sizeof value;
    return value;
  }
  // A name or an ordinal; class ordinals are given as the predefined class names.
  std::string NameOrOrdinal() {
    WORD first = Read<WORD>();
    if (first == 0) return "";
    if (first == 0xFFFF) {
      static const char* const kClasses[] = {"button",  "edit",      "static",
                                             "listbox", "scrollbar", "combobox"};
      WORD ordinal = Read<WORD>();
      return ordinal >= 0x80 && ordinal <= 0x85 ? kClasses[ordinal - 0x80]
                                                : "#" + std::to_string(ordinal);
    }
    p_ -= sizeof(WORD);
    return Text();
  }
  // A NUL-terminated UTF-16 text; the dialog's texts are all ASCII.
  std::string Text() {
    std::string text;
    for (WORD c = Read<WORD>(); c != 0; c = Read<WORD>()) text += static_cast<char>(c);
    return text;
  }
  void AlignToDword(const BYTE* base) {
    while ((p_ - base) % 4 != 0) ++p_;
  }

 private:
  const BYTE* p_;
};

struct ItemLayout {
  DWORD id, style, exStyle;
  short x, y, cx, cy;
  std::string className, text;
};

TEST(MainDialogResource, IsTheDialogWithItsFiveControls) {
  HRSRC found =
      FindResourceExA(nullptr, MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(IDD_MAIN),
                      MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  ASSERT_NE(found, nullptr) << "dialog 1000 in language 1041";
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  TemplateCursor c(base);
  EXPECT_EQ(c.Read<WORD>(), 1);       // dlgVer
  EXPECT_EQ(c.Read<WORD>(), 0xFFFF);  // signature: the extended form
  c.Read<DWORD>();                    // help id
  EXPECT_EQ(c.Read<DWORD>(), 0u);     // extended style
  EXPECT_EQ(c.Read<DWORD>(), 0x10CA0840u);
  WORD items = c.Read<WORD>();
  EXPECT_EQ(items, 5);
  short x = c.Read<short>(), y = c.Read<short>(), cx = c.Read<short>(), cy = c.Read<short>();
  EXPECT_EQ(std::vector<short>({x, y, cx, cy}), std::vector<short>({6, 5, 154, 38}));
  EXPECT_EQ(c.NameOrOrdinal(), "");  // no menu
  EXPECT_EQ(c.NameOrOrdinal(), "");  // no class
  EXPECT_EQ(c.Text(), "Formwright");
  EXPECT_EQ(c.Read<WORD>(), 8);  // point size
  EXPECT_EQ(c.Read<WORD>(), 0);  // weight
  EXPECT_EQ(c.Read<BYTE>(), 0);  // italic
  EXPECT_EQ(c.Read<BYTE>(), 0);  // character set
  EXPECT_EQ(c.Text(), "MS Sans Serif");

  const ItemLayout expected[] = {
      {1001, 0x50010000, 0, 0, 0, 40, 13, "button", "rc file"},
      {1002, 0x50210003, 0, 40, 0, 112, 39, "combobox", ""},
      {1003, 0x50010003, 0, 0, 14, 74, 9, "button", "Multiple dialog files"},
      {1005, 0x50010003, 0, 76, 14, 76, 9, "button", "Full resource syntax"},
      {1004, 0x50800000, 0, 0, 25, 152, 11, "static", "Ready"},
  };
  for (int i = 0; i < items && i < 5; ++i) {
    SCOPED_TRACE(i);
    c.AlignToDword(base);
    c.Read<DWORD>();  // help id
    EXPECT_EQ(c.Read<DWORD>(), expected[i].exStyle);
    EXPECT_EQ(c.Read<DWORD>(), expected[i].style);
    EXPECT_EQ(c.Read<short>(), expected[i].x);
    EXPECT_EQ(c.Read<short>(), expected[i].y);
    EXPECT_EQ(c.Read<short>(), expected[i].cx);
    EXPECT_EQ(c.Read<short>(), expected[i].cy);
    EXPECT_EQ(c.Read<DWORD>(), expected[i].id);
    EXPECT_EQ(LowerAscii(c.NameOrOrdinal()), expected[i].className);
    EXPECT_EQ(c.NameOrOrdinal(), expected[i].text);
    EXPECT_EQ(c.Read<WORD>(), 0);  // no creation data
  }
}

// A fresh folder under the system's temporary folder, removed with its files at the end.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    path_ = std::string(base) + "fw_dialog_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++counter);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(path_); }
  const std::string& path() const { return path_; }

  void AddFile(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    std::string full = path_ + "\\" + name;
    HANDLE h = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(h);
    SetFileAttributesA(full.c_str(), attributes);
  }
  void AddFolder(const std::string& name) {
    CreateDirectoryA((path_ + "\\" + name).c_str(), nullptr);
  }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string full = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(full);
        } else {
          SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};

// The main dialog created modeless from its resource, over a template folder of the test's.
class MainDialogTest : public ::testing::Test {
 protected:
  void Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                 MainDialogProc, reinterpret_cast<LPARAM>(&context_));
    ASSERT_NE(dialog_, nullptr) << "windows need a display: run under X (Xvfb)";
  }
  void TearDown() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
  }

  std::vector<std::string> ListEntries() {
    HWND list = GetDlgItem(dialog_, IDC_TEMPLATE_LIST);
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[MAX_PATH] = {};
      SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    return entries;
  }

  INT_PTR Command(WORD id, WORD code) {
    return MainDialogProc(dialog_, WM_COMMAND, MAKEWPARAM(id, code), 0);
  }

  TempFolder templates_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
  FixedDisplay display_{6, 13};
  Session session_;
  RunOptions options_;
  MainDialogContext context_{session_, options_, Platform{*files_, display_}, templates_.path()};
  HWND dialog_ = nullptr;
};

TEST_F(MainDialogTest, ListsTheVisibleTplFilesCutAtTheirFirstDot) {
  templates_.AddFile("simple.tpl");
  templates_.AddFile("x.old.tpl");
  templates_.AddFile("a_template_set_with_a_long_name.tpl");
  templates_.AddFile("UPPER.TPL", FILE_ATTRIBUTE_READONLY);
  templates_.AddFile("hidden.tpl", FILE_ATTRIBUTE_HIDDEN);
  templates_.AddFile("system.tpl", FILE_ATTRIBUTE_SYSTEM);
  templates_.AddFile("notes.txt");
  templates_.AddFile("simple.tpl.bak");
  templates_.AddFolder("folder.tpl");
  templates_.AddFolder("simple");
  Open();

  // In the order the folder search yields them, which the system decides.
  std::vector<std::string> expected = TemplateSetNames(files_->ListFolder(templates_.path()));
  EXPECT_EQ(ListEntries(), expected);
  std::vector<std::string> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted,
            (std::vector<std::string>{"UPPER", "a_template_set_with_a_long_name", "simple", "x"}));

  HWND list = GetDlgItem(dialog_, IDC_TEMPLATE_LIST);
  EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SelectedTemplateName(dialog_), expected.front());
  // The whole name reaches the run, not only its first 19 characters.
  for (size_t i = 0; i < expected.size(); ++i) {
    SendMessageA(list, CB_SETCURSEL, i, 0);
    EXPECT_EQ(SelectedTemplateName(dialog_), expected[i]);
  }
}

TEST_F(MainDialogTest, EmptyOrMissingTemplateFolderLeavesTheListEmpty) {
  Open();
  EXPECT_TRUE(ListEntries().empty());
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog_, IDC_TEMPLATE_LIST), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SelectedTemplateName(dialog_), "");

  DestroyWindow(dialog_);
  context_.templateFolder = templates_.path() + "\\missing";
  Open();
  EXPECT_TRUE(ListEntries().empty());
}

TEST_F(MainDialogTest, StartsReadyWithTheCheckboxClear) {
  Open();
  char status[64] = {};
  GetDlgItemTextA(dialog_, IDC_STATUS, status, sizeof status);
  EXPECT_STREQ(status, "Ready");
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_MULTI_FILE), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_FULL_SYNTAX), BST_UNCHECKED);
  EXPECT_FALSE(options_.multiFile);
  EXPECT_FALSE(options_.fullSyntax);
}

TEST_F(MainDialogTest, CheckboxClicksToggleTheMode) {
  Open();
  EXPECT_EQ(Command(IDC_MULTI_FILE, BN_CLICKED), 1);
  EXPECT_TRUE(options_.multiFile);
  EXPECT_EQ(Command(IDC_MULTI_FILE, BN_CLICKED), 1);
  EXPECT_FALSE(options_.multiFile);
  // Other notifications from the checkbox are not clicks.
  EXPECT_EQ(Command(IDC_MULTI_FILE, BN_SETFOCUS), 1);
  EXPECT_FALSE(options_.multiFile);
}

TEST_F(MainDialogTest, FullSyntaxCheckboxTogglesTheReader) {
  Open();
  EXPECT_EQ(Command(IDC_FULL_SYNTAX, BN_CLICKED), 1);
  EXPECT_TRUE(options_.fullSyntax);
  EXPECT_FALSE(options_.multiFile);
  EXPECT_EQ(Command(IDC_FULL_SYNTAX, BN_CLICKED), 1);
  EXPECT_FALSE(options_.fullSyntax);
}

TEST_F(MainDialogTest, UnmatchedCommandsAreHandledSoEscapeKeepsTheDialog) {
  Open();
  EXPECT_EQ(Command(IDCANCEL, BN_CLICKED), 1);
  EXPECT_EQ(Command(IDOK, BN_CLICKED), 1);
  EXPECT_EQ(Command(IDC_TEMPLATE_LIST, CBN_SELCHANGE), 1);
  EXPECT_EQ(Command(IDC_TEMPLATE_LIST, CBN_DROPDOWN), 1);
  EXPECT_TRUE(IsWindow(dialog_));
  EXPECT_TRUE(IsWindowVisible(dialog_));
}

TEST_F(MainDialogTest, DispatchResults) {
  Open();
  EXPECT_EQ(MainDialogProc(dialog_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 80)), 1);
  NMHDR header = {};
  EXPECT_EQ(MainDialogProc(dialog_, WM_NOTIFY, 1002, reinterpret_cast<LPARAM>(&header)), 1);
  EXPECT_EQ(MainDialogProc(dialog_, WM_TIMER, 7, 0), 1);
  EXPECT_EQ(MainDialogProc(dialog_, WM_DESTROY, 0, 0), 0);
  EXPECT_EQ(MainDialogProc(dialog_, WM_PAINT, 0, 0), 0);
  EXPECT_EQ(MainDialogProc(dialog_, WM_CLOSE, 0, 0), 1);
}

}  // namespace
}  // namespace fw
