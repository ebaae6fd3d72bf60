// make_script N OUT.rc [SET_FOLDER]: writes a resource script of N dialogs of about twenty
// controls each, in the form a resource editor writes (CR LF, "#define" lines first, one
// statement per line, every number identifier within 16 bits). The controls cycle through the
// classes that have a template in SET_FOLDER, or through the common classes when none is given.
// Same N, same script.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct ClassStyle {
  const char* name;
  const char* prefix;  // of the control identifiers
  unsigned style;
  unsigned exStyle;
  unsigned weight;  // how often it appears, as in real dialogs: labels and buttons most
};

constexpr ClassStyle kKnown[] = {
    {"Button", "BTN", 0x50010000, 0, 6},
    {"Edit", "EDT", 0x50010080, 0x200, 4},
    {"Static", "STC", 0x50000000, 0, 6},
    {"ComboBox", "CBO", 0x50210042, 0, 2},
    {"ListBox", "LST", 0x50A10003, 0x200, 2},
    {"SysListView32", "LSV", 0x50010001, 0x200, 1},
    {"SysTreeView32", "TRV", 0x50010027, 0x200, 1},
    {"SysTabControl32", "TAB", 0x50010000, 0, 1},
    {"msctls_progress32", "PGB", 0x50000000, 0, 1},
    {"msctls_trackbar32", "TRB", 0x50010001, 0, 1},
    {"msctls_updown32", "UDN", 0x50000026, 0, 1},
    {"msctls_hotkey32", "HKY", 0x50010000, 0x200, 1},
    {"SysDateTimePick32", "DTP", 0x50010000, 0, 1},
    {"SysMonthCal32", "MCL", 0x50010000, 0, 1},
    {"SysIPAddress32", "IPA", 0x50010000, 0, 1},
    {"SysAnimate32", "ANI", 0x50010000, 0, 1},
    {"RichEdit20A", "RED", 0x50010044, 0x200, 1},
    {"ScrollBar", "SCB", 0x50000000, 0, 1},
};

ClassStyle StyleOf(const std::string& name) {
  for (const ClassStyle& c : kKnown) {
    if (name == c.name) return c;
  }
  return {nullptr, "CTL", 0x50010000, 0, 1};
}

// The control classes of a set (its *.tpl files but the dialog template), each repeated as
// often as it weighs.
std::vector<std::string> ClassesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().extension() != ".tpl" || e.path().filename() == "dialogex.tpl") continue;
    names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> classes;
  for (const std::string& n : names) classes.insert(classes.end(), StyleOf(n).weight, n);
  return classes;
}

std::vector<std::string> CommonClasses() {
  std::vector<std::string> classes;
  for (const ClassStyle& c : kKnown) classes.insert(classes.end(), c.weight, c.name);
  return classes;
}

// A small fixed generator, so that scripts are the same on every machine.
struct Lcg {
  unsigned long long s = 88172645463325252ull;
  unsigned Next(unsigned n) {
    s = s * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<unsigned>(s >> 33) % n;
  }
};

std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

// Appends "," and the field. (A chain of "," + text makes GCC 12 warn falsely.)
void AddField(std::string& line, const std::string& field) {
  line += ',';
  line += field;
}

struct Control {
  std::string id;
  std::string line;
};

Control MakeControl(const std::string& cls, int dialog, int index, Lcg& rng) {
  ClassStyle s = StyleOf(cls);
  Control c;
  c.id = "IDC_" + std::string(s.prefix) + std::to_string(index) + "_" + std::to_string(dialog);
  std::string text = cls == "Edit" || cls == "ComboBox" ? "" : cls + " " + std::to_string(index);
  int x = 7 + static_cast<int>(index % 2) * 150, y = 7 + static_cast<int>(index / 2) * 18;
  c.line = "  CONTROL \"" + text + "\"";
  for (const std::string& field : {c.id, "\"" + cls + "\"", Hex(s.style)}) AddField(c.line, field);
  for (int v : {x, y, 60 + static_cast<int>(rng.Next(80)), 10 + static_cast<int>(rng.Next(6))}) {
    AddField(c.line, std::to_string(v));
  }
  if (s.exStyle != 0 || rng.Next(2) == 0) AddField(c.line, Hex(s.exStyle));
  return c;
}

// A compiled resource holds an identifier in 16 bits. Dialog d is numbered d up to 65535 (no two
// dialogs may share a number); later ones are named by their name alone. Control identifiers
// count up from 1000 and wrap within 1000..65535: a number met again in another dialog is
// harmless to a converter and to a compiler alike.
constexpr int kLastId = 65535;

struct ControlIds {
  int count = 0;
  std::string Next() { return std::to_string(1000 + count++ % (kLastId - 999)); }
};

void WriteScript(std::ostream& out, int dialogs, const std::vector<std::string>& classes) {
  Lcg rng;
  std::vector<std::string> defines;
  std::string body;
  ControlIds ids;
  for (int d = 1; d <= dialogs; ++d) {
    std::string name = "IDD_DLG" + std::to_string(d);
    if (d <= kLastId) defines.push_back("#define " + name + " " + std::to_string(d));
    body += "\r\n" + name + " DIALOGEX 6,6," + std::to_string(300 + rng.Next(40)) + "," +
            std::to_string(200 + rng.Next(40)) + "\r\nCAPTION \"Dialog " + std::to_string(d) +
            "\"\r\nFONT 8,\"MS Sans Serif\",0,0,0\r\nSTYLE 0x10CA0840\r\n"
            "EXSTYLE 0x00000000\r\nBEGIN\r\n";
    int count = 18 + static_cast<int>(rng.Next(5));  // about twenty
    for (int i = 1; i <= count; ++i) {
      Control c = MakeControl(classes[rng.Next(classes.size())], d, i, rng);
      defines.push_back("#define " + c.id + " " + ids.Next());
      body += c.line + "\r\n";
    }
    body += "END\r\n";
  }
  for (const std::string& line : defines) out << line << "\r\n";
  out << body;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4 || std::atoi(argv[1]) < 0) {
    std::cerr << "usage: make_script N OUT.rc [SET_FOLDER]\n";
    return 1;
  }
  std::vector<std::string> classes = argc == 4 ? ClassesOf(argv[3]) : CommonClasses();
  if (classes.empty()) {
    std::cerr << "make_script: no control template in " << argv[3] << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  WriteScript(out, std::atoi(argv[1]), classes);
  return out ? 0 : 1;
}
