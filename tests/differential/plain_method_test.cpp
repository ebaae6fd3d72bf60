// The fast method against the plain one: generated projects must convert to identical files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "engine/style_names.h"
#include "platform/display_fixed.h"
#include "tests/support/random_project.h"
#include "tests/support/reference.h"
#include "tests/support/temp_folder.h"
#include "textutil/text.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

int CaseCount() {
  const char* n = std::getenv("FW_DIFFERENTIAL_CASES");
  return n != nullptr ? std::atoi(n) : 150;
}

void WriteProject(const TempFolder& folder, const Project& project) {
  for (const auto& [path, content] : project.files) {
    if (path.back() == '/') {
      folder.MakeFolder(path.substr(0, path.size() - 1));
    } else {
      folder.Put(path, content);
    }
  }
  folder.MakeFolder("work");
}

// Every file below `folder`/work, in name order, with the folder's own path taken out.
std::string Snapshot(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder / "work")) {
    if (!e.is_regular_file()) continue;
    files[fs::relative(e.path(), folder.path()).string()] =
        folder.Get(fs::relative(e.path(), folder.path()).string());
  }
  std::string all;
  for (const auto& [path, content] : files) all += "--- " + path + "\n" + content + "\n";
  return all;
}

// The fast method sets long-lived texts aside in scratch files past a size no generated
// project reaches; kSetAside makes it do so after every dialog and "#define", down to a byte.
enum Method : uint8_t { kFast, kPlain, kSetAside };

// Two runs in a row in one state, as the windowed program makes them: the second one finds
// the first one's outputs, backs them up and keeps its project file around the list.
std::string Outcome(const Project& project, Method method, uint8_t mode) {
  TempFolder folder;
  WriteProject(folder, project);
  std::unique_ptr<FileSystem> files = MakePlatformFileSystem();
  FixedDisplay display(6, 13);
  Platform platform{*files, display};
  Session session;
  if (method == kSetAside) session.substitution.spillAbove = 1;
  RunOptions options{folder / "work/dialogs", mode != 0, folder.path(), "set"};
  std::string all;
  for (int run = 1; run <= 2; ++run) {
    RunResult result = method == kPlain ? RunReferenceConversion(session, platform, options)
                                        : RunConversion(session, platform, options);
    all += "=== run " + std::to_string(run) + "\n";
    for (const Diagnostic& d : result.diagnostics.items()) all += d.path + ": " + d.message + "\n";
    all += Snapshot(folder);
  }
  return ReplaceAll(folder.path(), "ROOT", all);
}

bool Differs(const Project& project, Method method, uint8_t mode) {
  return Outcome(project, method, mode) != Outcome(project, kPlain, mode);
}

// The project cut down, a line or a file at a time, as long as the methods still differ.
Project Shrink(Project project, Method method, uint8_t mode) {
  for (bool progress = true; progress;) {
    progress = false;
    for (auto& [path, content] : Project(project).files) {
      Project without = project;
      without.files.erase(path);
      if (Differs(without, method, mode)) project = without, progress = true;
    }
    for (auto& [path, content] : project.files) {
      for (size_t at = 0; at < content.size();) {
        size_t end = content.find('\n', at);
        end = end == std::string::npos ? content.size() : end + 1;
        std::string kept = content;
        content.erase(at, end - at);
        if (Differs(project, method, mode)) {
          progress = true;
        } else {
          content = kept;
          at = end;
        }
      }
    }
  }
  return project;
}

std::string Show(const Project& project) {
  std::string shown;
  for (const auto& [path, content] : project.files) {
    shown += "--- " + path + "\n" + ReplaceAll("\r", "\\r", content) + "\n";
  }
  return shown;
}

// The first place where two outcomes part, with some context.
std::string FirstDifference(const std::string& fast, const std::string& plain) {
  size_t at =
      std::mismatch(fast.begin(), fast.end(), plain.begin(), plain.end()).first - fast.begin();
  size_t from = at < 300 ? 0 : at - 300;
  return "fast:\n" + fast.substr(from, 600) + "\n\nplain:\n" + plain.substr(from, 600);
}

void ExpectRandomProjectsConvertAlike(uint8_t mode, unsigned start) {
  std::mt19937 rng(start);
  for (int i = 0; i < CaseCount(); ++i) {
    Project project = RandomProject(rng);
    std::string plain = Outcome(project, kPlain, mode);
    for (Method method : {kFast, kSetAside}) {
      if (Outcome(project, method, mode) == plain) continue;
      Project smallest = Shrink(project, method, mode);
      FAIL() << "case " << i << ": the methods differ"
             << (method == kSetAside ? " (set aside)" : "") << ". Smallest case:\n"
             << Show(smallest) << "\n"
             << FirstDifference(Outcome(smallest, method, mode), Outcome(smallest, kPlain, mode));
    }
  }
}

TEST(PlainMethodTest, RandomProjectsConvertAlikeInSingleFileMode) {
  ExpectRandomProjectsConvertAlike(0, 20240601);
}

TEST(PlainMethodTest, RandomProjectsConvertAlikeInMultiFileMode) {
  ExpectRandomProjectsConvertAlike(1, 20240602);
}

// The shapes the settled mark must allow for, each spelled out once so that a change of the
// random generator cannot lose them: a value completing a placeholder that the next control
// fills, a dialog placeholder pasted late that the next dialog fills, and a dialog without
// controls whose placeholder waits for a later dialog's control.
TEST(PlainMethodTest, PlaceholdersThatWaitForTheNextControlOrDialog) {
  Project p;
  // The last line joins into "~DIALOG~" once its empty "~INITIAL~" is gone.
  p.files["set.tpl"] = "~OPTION~|~DIALOG~\n~DIA~INITIAL~LOG~\n";
  p.files["set/dialogex.tpl"] = "[OPTION]\nopt ~DLGNAME~\n[DLGPROC]\nproc ~DLGNAME~ ~WM_COMMAND~\n";
  p.files["set/Button.tpl"] = "[OPTION]\nid ~CTL~CTLTEXT~\n[WM_COMMAND]\nx ~DLGX~\n";
  p.files["work/dialogs.rc"] =
      CrLf({"EMPTY DIALOGEX 1,0,0,0", "BEGIN", "END", "D1 DIALOGEX 2,0,0,0", "BEGIN",
            "CONTROL \"ID~\",FIRST,\"Button\",0x0,0,0,0,0",
            "CONTROL \"b\",SECOND,\"Button\",0x0,0,0,0,0", "END", "D2 DIALOGEX 3,0,0,0", "BEGIN",
            "CONTROL \"c\",THIRD,\"Button\",0x0,0,0,0,0", "END"});
  for (uint8_t mode : {0, 1}) {
    std::string plain = Outcome(p, kPlain, mode);
    EXPECT_EQ(Outcome(p, kFast, mode), plain);
    EXPECT_EQ(Outcome(p, kSetAside, mode), plain);
    EXPECT_NE(plain.find("opt D1\r\nopt D1\r\n"), std::string::npos);  // EMPTY's too
    EXPECT_NE(plain.find("id SECOND\r\nid ~CTLb\r\n"), std::string::npos);
    EXPECT_NE(plain.find("proc D1 \t\t\tx 3\r\n"), std::string::npos);  // D2's x
    EXPECT_NE(plain.find("proc D2 \t\t\tx ~DLGX~\r\n"), std::string::npos);
    EXPECT_EQ(OccurrenceCount(plain.substr(0, plain.find("--- work/dialogs.fbp")), "proc D2"), 2);
  }
}

// Long maps take the result past the size where the engine starts indexing it; names that are
// pieces of earlier names, or span a join, must still be found in it.
TEST(PlainMethodTest, StyleFlagNamesMatchThePlainSearchOnLongResults) {
  std::mt19937 rng(7);
  auto word = [&](size_t length) {
    std::string w;
    while (w.size() < length) w += "abc"[rng() % 3];
    return w;
  };
  for (int round = 0; round < 6; ++round) {
    std::vector<std::string> names;
    std::string map;
    for (int i = 0; i < 1500; ++i) {
      std::string name = word(6 + rng() % 30);
      if (!names.empty() && rng() % 3 == 0) {
        const std::string& a = names[rng() % names.size()];
        const std::string& b = names[rng() % names.size()];
        name = rng() % 2 ? a.substr(rng() % a.size()) + " or " + b.substr(0, rng() % b.size())
                         : a.substr(rng() % a.size(), 1 + rng() % 8);
      }
      names.push_back(name);
      map += (rng() % 5 ? "0" : "&h" + std::to_string(1 + rng() % 8)) + "," + name + "\r\n";
    }
    for (int32_t value : {0, 5, 7}) {
      ASSERT_EQ(StyleFlagNames(value, map), PlainStyleFlagNames(value, map)) << round;
    }
  }
}

}  // namespace
}  // namespace fw
