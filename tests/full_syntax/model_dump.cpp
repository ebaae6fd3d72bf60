// fw-model-dump: reads a resource script with FullReader and prints its dialogs as JSON, in the
// shape tests/oracle/res_dialogs.py gives an oracle's .res (texts with BASIC's doubled quotes
// undone), so that oracle_compare.py can set the two side by side. Diagnostics go to stderr.
// Test tooling: files are read as UTF-8 (a UTF-8 or UTF-16LE byte order mark is honoured).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "script/full_reader.h"
#include "script/rc_string.h"
#include "textutil/utf8.h"

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Files on disk; each part of a name is matched without regard to case, '\' or '/'.
class DiskFiles : public fw::PpFiles {
 public:
  std::optional<std::string> Find(const std::string& folder, const std::string& name) override {
    std::string unix = name;
    for (char& c : unix) c = c == '\\' ? '/' : c;
    fs::path path = fs::path(unix).is_absolute() || folder.empty() ? fs::path() : fs::path(folder);
    for (const fs::path& part : fs::path(unix)) {
      fs::path next = path / part;
      std::error_code error;
      if (!fs::exists(next, error) && part != "." && part != "..") {
        bool found = false;
        for (const auto& entry : fs::directory_iterator(path.empty() ? "." : path, error)) {
          if (Lower(entry.path().filename().string()) == Lower(part.string())) {
            next = path / entry.path().filename();
            found = true;
            break;
          }
        }
        if (!found) return std::nullopt;
      }
      path = next;
    }
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    return path.string();
  }
  std::optional<std::string> Read(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return Decode(text.str());
  }

 private:
  static std::string Decode(const std::string& bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
    if (bytes.rfind("\xFF\xFE", 0) != 0) return bytes;
    std::string out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      uint32_t u =
          static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
      if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
        uint32_t low = static_cast<unsigned char>(bytes[i + 2]) |
                       (static_cast<unsigned char>(bytes[i + 3]) << 8);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
      fw::AppendUtf8(out, u);
    }
    return out;
  }
};

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// A model text back as the script meant it: BASIC's doubled quotes undone.
std::string Undouble(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    out += s[i];
    if (s[i] == '"' && i + 1 < s.size() && s[i + 1] == '"') ++i;
  }
  return out;
}

std::string NameOrOrdinal(const fw::RcNameOrOrdinal& n) {
  return n.ordinal ? std::to_string(*n.ordinal) : Json(n.text);
}

void PrintDialog(const fw::ScriptDialog& m, const fw::RcDialog& d, std::ostream& out) {
  using Kind = fw::DialogStatement::Kind;
  uint32_t style = 0, exStyle = 0;
  std::string title, className = "null", font = "null";
  for (const fw::DialogStatement& s : m.statements) {
    if (s.kind == Kind::kStyle) style = static_cast<uint32_t>(s.number);
    if (s.kind == Kind::kExStyle) exStyle = static_cast<uint32_t>(s.number);
    if (s.kind == Kind::kCaption) title = Undouble(s.text);
    if (s.kind == Kind::kClass) {
      className = d.windowClass && d.windowClass->ordinal ? NameOrOrdinal(*d.windowClass)
                                                          : Json(Undouble(s.text));
    }
    if (s.kind == Kind::kFont) {
      std::string extra = d.extended ? std::to_string(s.weight) +
                                           ", \"italic\": " + std::to_string(s.italic) +
                                           ", \"charset\": " + std::to_string(s.charSet)
                                     : "null, \"italic\": null, \"charset\": null";
      font = "{\"pointSize\": " + std::to_string(s.number) + ", \"weight\": " + extra +
             ", \"typeface\": " + Json(Undouble(s.text)) + "}";
    }
  }
  out << "{\"name\": " << NameOrOrdinal(d.name) << ", \"modelName\": " << Json(m.name)
      << ", \"language\": " << d.language << ", \"extended\": " << (d.extended ? "true" : "false")
      << ", \"helpId\": " << (d.extended ? std::to_string(d.helpId) : "null")
      << ", \"style\": " << style << ", \"exStyle\": " << exStyle
      << ", \"itemCount\": " << m.controls.size() << ", \"x\": " << m.x << ", \"y\": " << m.y
      << ", \"cx\": " << m.w << ", \"cy\": " << m.h
      << ", \"menu\": " << (d.menu ? NameOrOrdinal(*d.menu) : "null")
      << ", \"class\": " << className << ", \"title\": " << Json(title) << ", \"font\": " << font
      << ", \"items\": [";
  for (size_t i = 0; i < m.controls.size(); ++i) {
    const fw::ControlStatement& c = m.controls[i];
    const fw::RcControl& r = d.controls[i];
    int32_t id = d.extended ? c.idValue : static_cast<int16_t>(static_cast<uint16_t>(c.idValue));
    out << (i ? ",\n  " : "\n  ")
        << "{\"helpId\": " << (d.extended ? std::to_string(r.helpId) : "null")
        << ", \"exStyle\": " << static_cast<uint32_t>(c.exStyle)
        << ", \"style\": " << static_cast<uint32_t>(c.style) << ", \"x\": " << c.x
        << ", \"y\": " << c.y << ", \"cx\": " << c.w << ", \"cy\": " << c.h << ", \"id\": " << id
        << ", \"idWritten\": " << Json(c.id) << ", \"class\": " << Json(c.className)
        << ", \"text\": "
        << (r.textOrdinal ? std::to_string(*r.textOrdinal) : Json(Undouble(c.text))) << "}";
  }
  out << "]}";
}

}  // namespace

int main(int argc, char** argv) {
  fw::FullReaderOptions options;
  std::string path;
  bool items = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--include" && i + 1 < argc) {
      options.includeFolders.push_back(argv[++i]);
    } else if (arg == "--language" && i + 1 < argc) {
      options.language = static_cast<uint16_t>(std::stoul(argv[++i], nullptr, 0));
    } else if (arg == "--define" && i + 1 < argc) {
      std::string d = argv[++i];
      size_t eq = d.find('=');
      options.defines.emplace_back(d.substr(0, eq),
                                   eq == std::string::npos ? "1" : d.substr(eq + 1));
    } else if (arg == "--items") {
      items = true;
    } else {
      path = arg;
    }
  }
  DiskFiles files;
  std::optional<std::string> text = path.empty() ? std::nullopt : files.Read(path);
  if (!text) {
    std::cerr << "usage: fw-model-dump [--include DIR]... [--define NAME[=VALUE]]... [--language "
                 "LANGID] [--items] FILE\n";
    return 2;
  }
  fw::FullReader reader(*text, path, files, options);
  std::cout << "[";
  bool first = true;
  for (fw::ScriptItem item; reader.Next(item);) {
    if (item.kind == fw::ScriptItem::Kind::kDefine) {
      if (items) std::cerr << item.define << '\n';
      continue;
    }
    std::cout << (first ? "\n" : ",\n");
    first = false;
    PrintDialog(item.dialog, reader.LastDialog(), std::cout);
  }
  std::cout << "\n]\n";
  int errors = 0;
  for (const fw::PpDiagnostic& d : reader.Diagnostics()) {
    std::cerr << d.file << ':' << d.line << ": " << (d.error ? "error: " : "warning: ") << d.message
              << '\n';
    errors += d.error;
  }
  return errors ? 1 : 0;
}
