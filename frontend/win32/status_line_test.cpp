#include "frontend/win32/status_line.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

RunResult Made() {
  RunResult r;
  r.made = true;
  return r;
}

TEST(StatusLineText, ReadyOnlyAfterACleanRun) {
  Diagnostics none;
  EXPECT_EQ(StatusLineText(Made(), none), "Ready");
}

TEST(StatusLineText, RunNotMadeNamesTheFirstError) {
  Diagnostics d;
  d.Warn("", "an earlier warning");
  d.Error("C:\\work\\dialogs.rc", "cannot read the resource script");
  d.Error("C:\\t\\simple.tpl", "cannot read the template set's main template");
  EXPECT_EQ(StatusLineText(RunResult{}, d),
            "Nothing written: cannot read the resource script: C:\\work\\dialogs.rc");
  EXPECT_EQ(StatusLineText(RunResult{}, Diagnostics{}), "Nothing written");
}

TEST(StatusLineText, OutputsNotWrittenComeBeforeWarnings) {
  Diagnostics d;
  d.Warn("C:\\t\\simple\\Foo.tpl", "no template for control class \"Foo\"");
  d.NotWritten("C:\\work\\dialogs.bas", "not written: the file cannot be created or replaced");
  EXPECT_EQ(StatusLineText(Made(), d),
            "1 file not written: the file cannot be created or replaced: "
            "C:\\work\\dialogs.bas");
  d.NotWritten("C:\\work\\dialogs.fbp", "not written: the file cannot be created or replaced");
  EXPECT_EQ(StatusLineText(Made(), d),
            "2 files not written, first: the file cannot be created or replaced: "
            "C:\\work\\dialogs.bas");
}

TEST(StatusLineText, WarningsAreCountedAndTheFirstShown) {
  Diagnostics d;
  d.Warn("", "control class \"a/b\" cannot name a template file");
  EXPECT_EQ(StatusLineText(Made(), d),
            "1 warning: control class \"a/b\" cannot name a template file");
  d.Warn("C:\\t\\simple\\Foo.tpl", "no template for control class \"Foo\"");
  d.Warn("C:\\t\\simple\\Bar.tpl", "no template for control class \"Bar\"");
  EXPECT_EQ(StatusLineText(Made(), d),
            "3 warnings, first: control class \"a/b\" cannot name a template file");
}

}  // namespace
}  // namespace fw
