// Fuzzes a whole conversion run on real files in a temporary folder. The input is a flags
// byte, then the script, the main template, dialogex.tpl, Button.tpl, Edit.tpl, the previous
// project file and the previous main source, separated by lines "@@".
//
// Flags: bit 0 multi-file mode, bit 1 a "bak" folder, bit 2 a "bak" that is a file.
//
// Each input runs twice, with the settled and with the plain substitution method, and both must
// write the same bytes. After each run: nothing is written outside the script's folder, no
// temporary file is left, the templates are unchanged, an output not written keeps its old
// content and is named in the diagnostics, the backup holds the old main source, and every font
// is released.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "generator/run.h"
#include "platform/display_fixed.h"
#include "textutil/text.h"

namespace fs = std::filesystem;

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

struct Input {
  uint8_t flags = 0;
  std::string script, mainTemplate, dialog, button, edit, project, source;
};

Input Unpack(const uint8_t* data, size_t size) {
  Input in;
  in.flags = data[0];
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string* parts[] = {&in.script, &in.mainTemplate, &in.dialog, &in.button,
                          &in.edit,   &in.project,      &in.source};
  for (int i = 0; i < 7; ++i) *parts[i] = fw::FieldAt(rest, "\n@@\n", i + 1);
  return in;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write(const fs::path& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

// The folder of this process, on a memory file system when there is one.
const fs::path& Base() {
  static fs::path base = [] {
    std::string pattern = (fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
    pattern += "/fw-fuzz-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr);
    return fs::path(pattern);
  }();
  return base;
}

void Prepare(const Input& in) {
  fs::path box = Base() / "box";
  fs::remove_all(box);
  fs::create_directories(box / "root" / "set");
  fs::create_directories(box / "work");
  Write(box / "root" / "set.tpl", in.mainTemplate);
  Write(box / "root" / "set" / "dialogex.tpl", in.dialog);
  Write(box / "root" / "set" / "Button.tpl", in.button);
  Write(box / "root" / "set" / "Edit.tpl", in.edit);
  Write(box / "work" / "dialogs.rc", in.script);
  if (!in.project.empty()) Write(box / "work" / "dialogs.fbp", in.project);
  if (!in.source.empty()) Write(box / "work" / "dialogs.bas", in.source);
  if (in.flags & 2) {
    fs::create_directories(box / "work" / "bak");
  } else if (in.flags & 4) {
    Write(box / "work" / "bak", "not a folder");
  }
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every file of the script's folder, by name relative to it, with its content. Aborts on any
// entry the run must not make.
std::map<std::string, std::string> Outputs(const Input& in) {
  fs::path box = Base() / "box";
  for (const auto& e : fs::directory_iterator(Base())) Check(e.path().filename() == "box");
  for (const auto& e : fs::directory_iterator(box)) {
    Check(e.path().filename() == "root" || e.path().filename() == "work");
  }
  Check(Read(box / "root" / "set.tpl") == in.mainTemplate);
  Check(Read(box / "root" / "set" / "Button.tpl") == in.button);
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(box / "work")) {
    std::string name = fs::relative(e.path(), box / "work").string();
    Check(name.find(".fwtmp") == std::string::npos);
    if (e.is_directory()) {
      Check(name == "bak");
      continue;
    }
    bool inBak = name.rfind("bak/", 0) == 0;
    Check(name == "dialogs.rc" || name == "dialogs.bas" || name == "dialogs.fbp" || name == "bak" ||
          (inBak && EndsWith(name, ".bak")) || (!inBak && EndsWith(name, ".bi")));
    files[name] = Read(e.path());
  }
  return files;
}

bool Named(const fw::RunResult& result, const std::string& path) {
  for (const fw::Diagnostic& d : result.diagnostics.items()) {
    if (d.outputNotWritten && d.path == path) return true;
  }
  return false;
}

bool Wrote(const fw::RunResult& result, const std::string& path) {
  for (const std::string& p : result.written) {
    if (p == path) return true;
  }
  return false;
}

std::map<std::string, std::string> RunOnce(const Input& in, bool plain) {
  Prepare(in);
  std::unique_ptr<fw::FileSystem> files = fw::MakePlatformFileSystem();
  fw::FixedDisplay display(6, 13);
  fw::Platform platform{*files, display};
  fw::Session session;
  session.substitution.plain = plain;
  session.substitution.textLimit = size_t{64} << 10;  // runaway placeholders stop early
  std::string work = (Base() / "box" / "work").string();
  fw::RunOptions options{work + "/dialogs", (in.flags & 1) != 0, (Base() / "box" / "root").string(),
                         "set"};
  fw::RunResult result = fw::RunConversion(session, platform, options);
  Check(result.made);
  Check(display.LiveFonts() == 0);

  std::map<std::string, std::string> out = Outputs(in);
  std::string bas = options.scriptBase + ".bas";
  std::string fbp = options.scriptBase + ".fbp";
  Check(Wrote(result, bas) != Named(result, bas));
  Check(Wrote(result, fbp) != Named(result, fbp));
  if (!Wrote(result, bas)) Check(out.count("dialogs.bas") == !in.source.empty());
  if (!Wrote(result, bas) && !in.source.empty()) Check(out["dialogs.bas"] == in.source);
  if (Wrote(result, bas) && (in.flags & 2) && !in.source.empty()) {
    Check(out["bak/dialogs.bak"] == in.source);
  }
  if (Wrote(result, fbp)) {
    Check(out["dialogs.fbp"].rfind(fw::FieldAt(in.project, "[File]", 1), 0) == 0);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  Input in = Unpack(data, size);
  std::map<std::string, std::string> settled = RunOnce(in, false);
  Check(RunOnce(in, true) == settled);
  return 0;
}
