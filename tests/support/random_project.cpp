#include "tests/support/random_project.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace fw {

namespace {

using Words = std::vector<std::string_view>;

// Whole placeholders of every kind, halves that join into one, and plain text, split at "|".
// Halves are what a value must complete with its neighbours.
constexpr std::string_view kPieceList =
    "~DLGNAME~|~CTLID~|~CTLTEXT~|~CTLX~|~CTLY~|~CTLW~|~CTLH~|~CTLPX~|~CTLPY~|~CTLPW~|~CTLPH~|"
    "~CTLSTYLE~|~CTLEXSTYLE~|~DIM~|~DLGX~|~DLGY~|~DLGW~|~DLGH~|~DLGPX~|~DLGPH~|~DLGTEXT~|"
    "~DLGSTYLE~|~DLGEXSTYLE~|~WM_INITDIALOG~|~WM_COMMAND~|~WM_CLOSE~|~WM_NOTIFY~|~WM_TIMER~|"
    "~WM_DESTROY~|~OPTION~|~DECLARE~|~DIALOG~|~PROJNAME~|~DLGMAIN~|~FOO~|~|~|~~|~CTL|~DLG|"
    "~WM_|~CTLP|~DLGP|~CTLEX|~CTLST|~DIA|~OPT|ID~|X~|TEXT~|NAME~|STYLE~|INITDIALOG~|COMMAND~|"
    "PX~|H~|LOG~|ION~|a|b|x = 1| |  |\t|(|)";

Words Split(std::string_view list) {
  Words words;
  for (size_t start = 0;;) {
    size_t bar = list.find('|', start);
    words.push_back(list.substr(start, bar - start));
    if (bar == std::string_view::npos) return words;
    start = bar + 1;
  }
}

const Words kPieces = Split(kPieceList);

const Words kControlTags = {"[OPTION]",     "[INCLUDE]",  "[GLOBAL]",    "[INITIAL]",
                            "[SAMPLE]",     "[EVENT]",    "[DIM]",       "[WM_INITDIALOG]",
                            "[WM_COMMAND]", "[WM_CLOSE]", "[WM_NOTIFY]", "[WM_TIMER]",
                            "[WM_DESTROY]", "[STYLE]",    "[EXSTYLE]"};
const Words kDialogTags = {"[OPTION]",  "[INCLUDE]", "[CONSTANT]", "[GLOBAL]", "[EVENT]",
                           "[DLGPROC]", "[DLGPROC]", "[STYLE]",    "[EXSTYLE]"};
// Lines where a header is expected that no kind of template accepts as one.
const Words kJunkTags = {"[JUNK]", " [EVENT]", "[event]", "[CONSTANT]", "plain line"};
const Words kClasses = {"Button", "Edit", "Static", "ComboBox", "ListBox", "SysListView32"};
const Words kFlagValues = {"&h1", "&h2",  "&h4",        "&h10",       "&h3", "0",
                           "0x1", "junk", "&h50000000", "&h80000000", "8"};
const Words kMainPlaceholders = {"~OPTION~",  "~INCLUDE~", "~CONSTANT~", "~GLOBAL~",  "~DECLARE~",
                                 "~INITIAL~", "~DLGMAIN~", "~DIALOG~",   "~PROJNAME~"};

class Maker {
 public:
  explicit Maker(std::mt19937& rng) : rng_(rng) {}

  Project Make();

 private:
  int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }
  std::string_view Pick(const Words& words) { return words[Below(static_cast<int>(words.size()))]; }

  std::string Text(int maxPieces);
  std::string Identifier(std::string_view stem);
  std::string Hex() { return "0x" + std::to_string(rng_() % 0x7fffffff); }
  std::string TemplateFile(const Words& tags, bool withStyles);
  std::string Section(std::string_view tag);
  std::string MainTemplate();
  std::string Script();
  void Dialog(std::string& rc, int index);
  std::string Control();

  std::mt19937& rng_;
  std::vector<std::string> classes_;  // control classes that have a template
};

std::string Maker::Text(int maxPieces) {
  std::string text;
  for (int n = Below(maxPieces + 1); n > 0; --n) text += Pick(kPieces);
  return text;
}

std::string Maker::Identifier(std::string_view stem) {
  std::string id = std::string(stem) + std::to_string(Below(50));
  if (OneIn(3)) id += Text(2);
  // Some are nothing but pieces, such as "ID~", to finish a placeholder begun before them.
  if (std::string pieces = Text(2); OneIn(5) && !pieces.empty()) id = pieces;
  // No blank, comma or quote: those would split the statement elsewhere.
  std::erase_if(id, [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '"'; });
  return id;
}

std::string Maker::Section(std::string_view tag) {
  std::string body(tag);
  body += "\n";
  bool styles = tag == "[STYLE]" || tag == "[EXSTYLE]";
  for (int n = Below(5); n > 0; --n) {
    if (styles) {
      body += std::string(Pick(kFlagValues)) + "," + Text(2) + (OneIn(6) ? ",extra" : "");
    } else {
      body += OneIn(6) ? "sub " + Text(2) + "()" : Text(6);
    }
    body += "\n";
  }
  return body;
}

std::string Maker::TemplateFile(const Words& tags, bool withStyles) {
  std::string file = OneIn(4) ? std::string(Pick(kJunkTags)) + "\n" : "";
  for (int n = Below(7); n > 0; --n) {
    std::string_view tag = OneIn(8) ? Pick(kJunkTags) : Pick(tags);
    if (!withStyles && (tag == "[STYLE]" || tag == "[EXSTYLE]")) continue;
    file += Section(tag);
  }
  if (OneIn(3)) file += Section(Pick(tags)) + "[STYLE]\n" + Section("[STYLE]");
  if (OneIn(4) && !file.empty()) file.pop_back();  // last line without a line end
  return file;
}

std::string Maker::MainTemplate() {
  std::string text;
  for (std::string_view p : kMainPlaceholders) {
    if (OneIn(8)) continue;
    text += Text(2) + std::string(p) + Text(1) + "\n";
  }
  return text;
}

std::string Maker::Control() {
  std::string cls =
      classes_.empty() || OneIn(8) ? "Missing" : classes_[Below(static_cast<int>(classes_.size()))];
  if (OneIn(6)) std::transform(cls.begin(), cls.end(), cls.begin(), ::toupper);
  std::string text = Text(3);
  std::erase(text, '"');
  std::string line = "CONTROL \"" + text + "\"," + Identifier("IDC_") + ",\"" + cls + "\"," +
                     Hex() + "," + std::to_string(Below(300) - 20) + "," +
                     std::to_string(Below(200)) + "," + std::to_string(Below(100)) + "," +
                     std::to_string(Below(30));
  if (!OneIn(4)) line += "," + Hex();
  return line;
}

void Maker::Dialog(std::string& rc, int index) {
  // Repeated names, the project's own name and a device name each take their own paths.
  std::string name = OneIn(8)    ? "IDD_SAME"
                     : OneIn(10) ? "dialogs"
                     : OneIn(20) ? "CON"
                                 : Identifier("IDD_");
  if (OneIn(3)) rc += "#define " + name + " " + std::to_string(1000 + index) + "\r\n";
  rc += name + " DIALOGEX " + std::to_string(Below(20)) + "," + std::to_string(Below(20)) + "," +
        std::to_string(Below(400)) + "," + std::to_string(Below(300)) + "\r\n";
  if (!OneIn(4)) rc += "CAPTION \"" + Text(3) + "\"\r\n";
  if (!OneIn(5)) rc += "FONT 8,\"MS Shell Dlg\",400,0,1\r\n";
  if (!OneIn(3)) rc += "STYLE " + Hex() + "\r\n";
  if (OneIn(3)) rc += "EXSTYLE " + Hex() + "\r\n";
  if (OneIn(6)) rc += "CLASS \"" + Text(1) + "\"\r\n";
  rc += "BEGIN\r\n";
  for (int n = OneIn(4) ? 0 : Below(7); n > 0; --n) {
    rc += (OneIn(10) ? "  LTEXT \"skipped\",IDC_X,1,1,1,1" : "  " + Control()) + "\r\n";
  }
  rc += "END\r\n";
}

std::string Maker::Script() {
  std::string rc = "// generated\r\n#define IDC_ONE 1001\r\n";
  int dialogs = Below(5);
  for (int i = 0; i < dialogs; ++i) Dialog(rc, i);
  // Sometimes the last dialog's block runs to the end of the script.
  if (dialogs > 0 && OneIn(5)) rc.resize(rc.size() - 5);
  if (OneIn(3)) rc += "#define IDC_LAST 1999\r\n";
  return rc;
}

Project Maker::Make() {
  Project p;
  for (std::string_view c : kClasses) {
    if (OneIn(2)) classes_.emplace_back(c);
  }
  for (const std::string& c : classes_) {
    // Some templates are named in another letter case than the class.
    std::string file = c;
    if (OneIn(5)) std::transform(file.begin(), file.end(), file.begin(), ::tolower);
    p.files["set/" + file + ".tpl"] = TemplateFile(kControlTags, true);
  }
  p.files["set/dialogex.tpl"] = TemplateFile(kDialogTags, true);
  p.files["set.tpl"] = MainTemplate();
  p.files["work/dialogs.rc"] = Script();
  if (OneIn(3)) p.files["work/bak/"] = "";
  if (OneIn(4)) p.files["work/dialogs.fbp"] = "head\r\n[File]\r\n1=old.bas\r\n[FileInfo]\r\ntail";
  return p;
}

}  // namespace

Project RandomProject(std::mt19937& rng) {
  return Maker(rng).Make();
}

}  // namespace fw
