#include "tests/support/random_project.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace fw {

namespace {

using Words = std::vector<std::string_view>;
using Lines = std::vector<std::string>;

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

// What a reader must take as written: faces that measure differently (and one that is not
// there), styles written the ways resource editors and people write them, and the caption
// bits alone and together.
const Words kFaces = {"MS Sans Serif", "Tahoma", "Courier New", "Liberation Serif", "No Such Face",
                      "Face, Comma",   ""};
const Words kStyles = {"WS_CHILD | WS_VISIBLE",
                       "0x10000000 | 0x00C00000",
                       "0x00C00000",
                       "0x00800000",
                       "0x00400000",
                       "0x10CC0840",
                       "&h10C00000",
                       "268435456",
                       "NOT WS_VISIBLE | 0x1",
                       "\t0x50010000",
                       "0X50010000"};
const Words kDecorations = {"\t", "  ", "   ", "\t\t"};
// Texts that split a statement where a reader splits at commas, quotes or keywords.
const Words kAwkwardTexts = {"a, b",
                             "\"\"quoted\"\"",
                             "say \"\"hi\"\", then",
                             "CONTROL here",
                             "press CONTROL ",
                             "CAPTION x",
                             ",",
                             "\"",
                             "tab\there"};
// Lines that readers may take for statements, between and inside dialogs.
const Words kStrayLines = {"// DIALOGEX in a comment",
                           "",
                           "   ",
                           "#define IDC_INSIDE 77",
                           "  #DEFINE IDC_UPPER 78",
                           "LTEXT \"skipped\",IDC_X,1,1,1,1",
                           "/* CONTROL */",
                           "END"};

// Earlier project files: as the IDE writes them, with LF line ends, and cut after "[File]".
const Words kProjectFiles = {"head\r\n[File]\r\n1=old.bas\r\n[FileInfo]\r\ntail",
                             "head\n[File]\n1=old.bas\n[FileInfo]\ntail\n", "head\r\n[File]",
                             "[FileInfo]x[File]y[FileInfo]z[FileInfo]"};

// Every property of the dialogs and controls printed, and style maps with one name per bit, so
// that what the reader made of a statement shows in the output.
constexpr std::string_view kShowControl =
    "[INITIAL]\nctl ~CTLID~|~CTLTEXT~|~CTLX~|~CTLY~|~CTLW~|~CTLH~|~CTLPX~|~CTLPY~|~CTLPW~|"
    "~CTLPH~|~CTLSTYLE~|~CTLEXSTYLE~\n";
constexpr std::string_view kShowDialog =
    "[DLGPROC]\ndlg ~DLGNAME~|~DLGX~|~DLGY~|~DLGW~|~DLGH~|~DLGPX~|~DLGPY~|~DLGPW~|~DLGPH~|"
    "~DLGTEXT~|~DLGSTYLE~|~DLGEXSTYLE~\n";

std::string BitMap(std::string_view tag) {
  std::string map = std::string(tag) + "\n";
  const char* digits = "0123456789abcdef";
  for (int bit = 0; bit < 32; ++bit) {
    std::string hex;
    for (uint32_t v = 1u << bit; v != 0; v >>= 4) hex.insert(hex.begin(), digits[v & 15]);
    map += "&h" + hex + ",B" + std::to_string(bit / 10) + std::to_string(bit % 10) + "\n";
  }
  return map;
}

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
  std::string Join(const Lines& lines);
  void Dialog(Lines& rc, int index);
  std::string Header(const std::string& name);
  Lines Statements();
  std::string Font(bool usual);
  std::string Style(std::string_view keyword);
  std::string Decorated(std::string line);
  std::string Control();
  std::string ControlText();
  void Shuffle(Lines& lines);

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

void Maker::Shuffle(Lines& lines) {
  for (size_t i = lines.size(); i > 1; --i) {
    std::swap(lines[i - 1], lines[static_cast<size_t>(Below(static_cast<int>(i)))]);
  }
}

// A statement as people write it: indented with blanks or tabs, blanks or a tab after it, its
// keyword in lower case, a tab after the keyword. Mostly as a resource editor writes it.
std::string Maker::Decorated(std::string line) {
  switch (Below(24)) {
    case 0:
    case 1:
      return std::string(Pick(kDecorations)) + line;
    case 2:
    case 3:
      return line + std::string(Pick(kDecorations));
    case 4:
      return "  " + line + "  ";
    case 5: {
      size_t word = std::min(line.find(' '), line.size());
      std::transform(line.begin(), line.begin() + static_cast<long>(word), line.begin(), ::tolower);
      return line;
    }
    case 6:
      if (size_t blank = line.find(' '); blank != std::string::npos) line[blank] = '\t';
      return line;
    default:
      return line;
  }
}

std::string Maker::Font(bool usual) {
  if (usual) return "FONT 8,\"MS Shell Dlg\",400,0,1";
  std::string font =
      "FONT " + std::to_string(6 + Below(9)) + ",\"" + std::string(Pick(kFaces)) + "\"";
  if (!OneIn(3)) font += "," + std::to_string(100 * Below(10)) + ",0,1";
  return font;
}

std::string Maker::Style(std::string_view keyword) {
  return std::string(keyword) + " " + (OneIn(3) ? std::string(Pick(kStyles)) : Hex());
}

std::string Maker::Header(const std::string& name) {
  std::string blank = OneIn(10) ? std::string(Pick({"  ", "\t", " \t"})) : " ";
  std::string keyword = OneIn(20) ? "dialogex" : OneIn(25) ? "DIALOG" : "DIALOGEX";
  std::string comma = OneIn(10) ? std::string(Pick({", ", ",\t", " ,"})) : ",";
  std::string header = name + blank + keyword + " " + std::to_string(Below(20)) + comma +
                       std::to_string(Below(20)) + comma + std::to_string(Below(400)) + comma +
                       std::to_string(Below(300));
  if (OneIn(12)) header = "  " + header;
  if (OneIn(12)) header += "  ";
  return header;
}

// The statements between the header and "BEGIN": mostly one of each in a resource editor's
// order; sometimes repeated, shuffled, or mixed with lines that are no statement.
Lines Maker::Statements() {
  Lines s;
  if (!OneIn(4)) s.push_back("CAPTION \"" + Text(3) + "\"");
  if (!OneIn(5)) s.push_back(Font(!OneIn(6)));
  if (!OneIn(3)) s.push_back(Style("STYLE"));
  if (OneIn(3)) s.push_back(Style("EXSTYLE"));
  if (OneIn(6)) s.push_back("CLASS \"" + Text(1) + "\"");
  if (OneIn(8)) s.push_back("CAPTION \"" + std::string(Pick(kAwkwardTexts)) + Text(1) + "\"");
  if (OneIn(8)) s.push_back(Font(false));
  if (OneIn(8)) s.push_back(Style("STYLE"));  // after FONT, where the first one was before it
  if (OneIn(10)) s.push_back(std::string(Pick(kStrayLines)));
  if (OneIn(4)) Shuffle(s);
  for (std::string& line : s) line = Decorated(line);
  return s;
}

std::string Maker::ControlText() {
  std::string text = Text(3);
  std::erase(text, '"');
  if (OneIn(8)) text += Pick(kAwkwardTexts);
  return text;
}

std::string Maker::Control() {
  std::string cls =
      classes_.empty() || OneIn(8) ? "Missing" : classes_[Below(static_cast<int>(classes_.size()))];
  if (OneIn(6)) std::transform(cls.begin(), cls.end(), cls.begin(), ::toupper);
  std::string style = OneIn(5) ? std::string(Pick(kStyles)) : Hex();
  std::vector<std::string> fields = {"\"" + ControlText() + "\"",
                                     Identifier("IDC_"),
                                     "\"" + cls + "\"",
                                     style,
                                     std::to_string(Below(300) - 20),
                                     std::to_string(Below(200)),
                                     std::to_string(Below(100)),
                                     std::to_string(Below(30))};
  if (!OneIn(4)) fields.push_back(Hex());  // the extended style is optional
  if (OneIn(30)) fields.push_back("0x1");  // a tenth field
  if (OneIn(30)) fields.resize(6);         // too few fields
  std::string line = "CONTROL " + fields[0];
  for (size_t i = 1; i < fields.size(); ++i) {
    line += OneIn(15) ? std::string(Pick({", ", ",\t", " , "})) : ",";
    line += fields[i];
  }
  return line;
}

void Maker::Dialog(Lines& rc, int index) {
  // Repeated names, the project's own name and a device name each take their own paths.
  std::string name = OneIn(8)    ? "IDD_SAME"
                     : OneIn(10) ? "dialogs"
                     : OneIn(20) ? "CON"
                                 : Identifier("IDD_");
  if (OneIn(3)) rc.push_back("#define " + name + " " + std::to_string(1000 + index));
  if (OneIn(15)) rc.push_back("// " + name + " DIALOGEX as a comment");
  rc.push_back(Header(name));
  for (std::string& line : Statements()) rc.push_back(line);
  rc.push_back(OneIn(8) ? Decorated("BEGIN") : "BEGIN");
  for (int n = OneIn(4) ? 0 : Below(7); n > 0; --n) {
    std::string line = OneIn(10) ? std::string(Pick(kStrayLines)) : Control();
    rc.push_back(OneIn(4) ? Decorated(line) : "  " + line);
  }
  rc.push_back(OneIn(8) ? Decorated("END") : "END");
}

// Mostly CR LF as resource editors write them; sometimes LF only, a mix, or CR only, which
// the line reader does not end a line at.
std::string Maker::Join(const Lines& lines) {
  int kind = Below(20);
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kind == 0   ? "\r"
            : kind <= 2 ? "\n"
            : kind <= 4 ? std::string(Pick({"\r\n", "\n", "\r"}))
                        : "\r\n";
  }
  if (OneIn(8) && !text.empty()) text.pop_back();  // the last line without its line end
  return text;
}

std::string Maker::Script() {
  Lines rc = {"// generated", "#define IDC_ONE 1001"};
  if (OneIn(10)) rc.push_back(std::string(Pick(kStrayLines)));
  int dialogs = Below(5);
  for (int i = 0; i < dialogs; ++i) Dialog(rc, i);
  // Sometimes the last dialog's block runs to the end of the script.
  if (dialogs > 0 && OneIn(5)) rc.pop_back();
  if (OneIn(3)) rc.push_back("#define IDC_LAST 1999");
  return Join(rc);
}

Project Maker::Make() {
  Project p;
  for (std::string_view c : kClasses) {
    if (OneIn(2)) classes_.emplace_back(c);
  }
  bool show = !OneIn(3);
  std::string bitMaps = BitMap("[STYLE]") + BitMap("[EXSTYLE]");
  for (const std::string& c : classes_) {
    // Some templates are named in another letter case than the class.
    std::string file = c;
    if (OneIn(5)) std::transform(file.begin(), file.end(), file.begin(), ::tolower);
    std::string shown = show ? std::string(kShowControl) + bitMaps : "";
    p.files["set/" + file + ".tpl"] = shown + TemplateFile(kControlTags, true);
  }
  std::string shown = show ? std::string(kShowDialog) + bitMaps : "";
  p.files["set/dialogex.tpl"] = shown + TemplateFile(kDialogTags, true);
  p.files["set.tpl"] = MainTemplate();
  p.files["work/dialogs.rc"] = Script();
  if (OneIn(3)) p.files["work/bak/"] = "";
  if (OneIn(4)) p.files["work/dialogs.fbp"] = Pick(kProjectFiles);
  return p;
}

}  // namespace

Project RandomProject(std::mt19937& rng) {
  return Maker(rng).Make();
}

}  // namespace fw
