#include "script/preprocessor.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

class PreprocessorTest : public ::testing::Test {
 protected:
  PreprocessResult Run(const std::string& text, const std::string& path = "proj/app.rc") {
    files.Add(path, text);
    result = Preprocess(files, path, text, options);
    return result;
  }

  // The output tokens separated by spaces.
  std::string Text() const {
    std::string s;
    for (const PpToken& t : result.tokens) s.append(s.empty() ? "" : " ").append(t.text);
    return s;
  }

  // Diagnostics as "file:line: message", errors marked with "E".
  std::string Problems() const {
    std::string s;
    for (const PpDiagnostic& d : result.diagnostics) {
      s +=
          (d.error ? "E " : "W ") + d.file + ":" + std::to_string(d.line) + ": " + d.message + "\n";
    }
    return s;
  }

  PpMemoryFiles files;
  PreprocessOptions options;
  PreprocessResult result;
};

TEST_F(PreprocessorTest, IncludesRelativeToTheIncluderThenTheScriptFolder) {
  files.Add("proj/res/dlg.h", "#include \"Ids.H\"\n#include \"common.h\"\n#define DLG 1\n");
  files.Add("proj/res/ids.h", "#define IDS 2\n");
  files.Add("proj/common.h", "#define COMMON 3\n");
  Run("#include \"RES\\Dlg.h\"\nDLG IDS COMMON\n");
  EXPECT_EQ(Text(), "1 2 3");
  EXPECT_EQ(Problems(), "");
}

TEST_F(PreprocessorTest, AMissingIncludeIsAWarningAndReadingGoesOn) {
  Run("#include \"nothere.h\"\n#include <alsomissing.h>\nA\n");
  EXPECT_EQ(Text(), "A");
  EXPECT_EQ(Problems(),
            "W proj/app.rc:1: cannot find include file \"nothere.h\"\n"
            "W proj/app.rc:2: cannot find include file \"alsomissing.h\"\n");
}

TEST_F(PreprocessorTest, OnlyDirectivesCountInHeaderAndCFiles) {
  files.Add("proj/r.h", "#define X 1\nint junk = X; \"x\"\"y\"\n/*\n#define HIDDEN\n*/\n");
  files.Add("proj/more.c", "void f() {}\n#define Y 2\n");
  files.Add("proj/dlg.rc2", "in rc2 X\n");
  Run("#include \"r.h\"\n#include \"more.c\"\n#include \"dlg.rc2\"\nX Y\n#ifdef "
      "HIDDEN\nbad\n#endif\n");
  EXPECT_EQ(Text(), "in rc2 1 1 2");
}

TEST_F(PreprocessorTest, ResourceScriptStringsMayDoubleTheirQuotes) {
  files.Add("proj/s.h", "#define S \"a\"\"b\"\n");
  Run("#include \"s.h\"\n\"say \"\"hi\"\"\" S\n");
  ASSERT_EQ(result.tokens.size(), 3u);
  EXPECT_EQ(result.tokens[0].text, "\"say \"\"hi\"\"\"");
  EXPECT_EQ(result.tokens[1].text, "\"a\"");  // a C header keeps C's rules
}

TEST_F(PreprocessorTest, SystemHeadersComeFromTheTableUnlessALocalFileExists) {
  Run("#include <WINDOWS.H>\n#include \"winres.h\"\n#include <afxres.h>\nIDOK WS_CHILD\n");
  EXPECT_EQ(Text(), "1 0x40000000L");
  EXPECT_EQ(Problems(), "");
  EXPECT_EQ(result.files.size(), 2u);  // the table is read once
  EXPECT_EQ(result.files[1], "<WINDOWS.H>");
  files.Add("proj/winres.h", "#define IDOK 77\n");
  Run("#include <winres.h>\nIDOK\n");
  EXPECT_EQ(Text(), "77");
}

TEST_F(PreprocessorTest, ResourceCompilerMacros) {
  Run("#ifdef RC_INVOKED\nrc\n#endif\n#ifndef APSTUDIO_INVOKED\nnot_studio\n#endif\n");
  EXPECT_EQ(Text(), "rc not_studio");
}

TEST_F(PreprocessorTest, DefinesAreListedInReadingOrderWithTheirOrigin) {
  files.Add("proj/resource.h", "#define IDD_MAIN   100 // main\n#define EMPTY\n#define F(x) x\n");
  Run("#include <windows.h>\n#include \"resource.h\"\n#if 0\n#define SKIPPED 1\n#endif\n"
      "#define IDC_OK (IDOK + /* c */ 1)\n");
  std::vector<std::string> local;
  size_t system = 0;
  for (const PpDefine& d : result.defines) {
    if (d.fromSystem) {
      ++system;
      EXPECT_EQ(result.files.at(d.file), "<windows.h>");
    } else {
      local.push_back(d.name + "=" + d.value + "@" + result.files.at(d.file) + ":" +
                      std::to_string(d.line));
    }
  }
  EXPECT_GT(system, 600u);
  EXPECT_EQ(local, (std::vector<std::string>{"IDD_MAIN=100@proj/resource.h:1",
                                             "IDC_OK=(IDOK + 1)@proj/app.rc:6"}));
  EXPECT_TRUE(result.defines.front().fromSystem);  // windows.h came first
}

TEST_F(PreprocessorTest, CodePagesAreReportedWhereTheyChange) {
  Run("a\n#pragma code_page(65001)\nb c\n#pragma code_page(DEFAULT)\nd\n#pragma code_page(x)\n");
  ASSERT_EQ(result.codePages.size(), 2u);
  EXPECT_EQ(result.codePages[0].tokenIndex, 1u);
  EXPECT_EQ(result.codePages[0].codePage, 65001u);
  EXPECT_EQ(result.codePages[0].line, 2u);
  EXPECT_EQ(result.codePages[1].tokenIndex, 3u);
  EXPECT_EQ(result.codePages[1].codePage, 0u);
  EXPECT_EQ(Problems(), "E proj/app.rc:6: #pragma code_page expects a number or DEFAULT in ()\n");
}

TEST_F(PreprocessorTest, ConditionalsTakeTheFirstTrueBranch) {
  Run("#define V 2\n#if V == 1\none\n#elif defined V && defined(V) && V == 2\ntwo\n"
      "#elif 1 / 0\nnever\n#else\nelse\n#endif\n#if 0\n#if garbage (\n#else\n#endif\n"
      "#bogus directive\n#endif\nend\n");
  EXPECT_EQ(Text(), "two end");
  EXPECT_EQ(Problems(), "");
}

TEST_F(PreprocessorTest, MisplacedConditionalsAreErrorsWithTheirLines) {
  files.Add("proj/open.h", "#if 1\n#ifdef X\n");
  Run("#include \"open.h\"\n#endif\n#if 1\n#else\n#elif 1\n#endif\n#else\n#if 1 +\n#endif\n");
  EXPECT_EQ(Problems(),
            "E proj/open.h:2: unterminated conditional directive\n"
            "E proj/open.h:1: unterminated conditional directive\n"
            "E proj/app.rc:2: #endif without #if\n"
            "E proj/app.rc:5: #elif after #else\n"
            "E proj/app.rc:7: #else without #if\n"
            "E proj/app.rc:8: #if with no expression\n");
}

TEST_F(PreprocessorTest, TokensKnowTheirFilesAndLines) {
  files.Add("proj/h.rc2", "\n\nX\n");
  Run("#define X x\\\ny\n#define F(a) a\nF(\n1\n)\n#include \"h.rc2\"\nlast\n");
  EXPECT_EQ(Text(), "1 xy last");
  ASSERT_EQ(result.tokens.size(), 3u);
  EXPECT_EQ(result.tokens[0].line, 4u);  // where the call began
  EXPECT_EQ(result.files[result.tokens[1].file], "proj/h.rc2");
  EXPECT_EQ(result.tokens[1].line, 3u);
  EXPECT_EQ(result.files[result.tokens[2].file], "proj/app.rc");
  EXPECT_EQ(result.tokens[2].line, 8u);
  EXPECT_TRUE(result.tokens[2].lineStart);
}

TEST_F(PreprocessorTest, DirectivesBetweenAMacroNameAndItsArguments) {
  Run("#define F(a) [a]\nF\n#define G 1\n(G) F(\n#undef G\nG)\n");
  EXPECT_EQ(Text(), "F ( 1 ) [ G ]");
}

TEST_F(PreprocessorTest, LineDirectiveRenumbers) {
  Run("#line 100 \"other.rc\"\na\nb\n#error stop here\n");
  ASSERT_EQ(result.tokens.size(), 2u);
  EXPECT_EQ(result.tokens[0].line, 100u);
  EXPECT_EQ(result.files[result.tokens[1].file], "other.rc");
  EXPECT_EQ(Problems(), "E other.rc:102: #error stop here\n");
}

TEST_F(PreprocessorTest, PragmaOnceAndGuardedCyclesEnd) {
  files.Add("proj/once.h", "#pragma once\n#define ONCE\n#include \"once.h\"\n");
  files.Add("proj/a.h", "#ifndef A_H\n#define A_H\n#include \"b.h\"\n#endif\n");
  files.Add("proj/b.h", "#include \"a.h\"\n#define B 2\n");
  Run("#include \"once.h\"\n#include \"once.h\"\n#include \"a.h\"\nB\n");
  EXPECT_EQ(Text(), "2");
  EXPECT_EQ(Problems(), "");
}

TEST_F(PreprocessorTest, AnIncludeCycleStopsWithAnErrorNamingTheLine) {
  files.Add("proj/loop.h", "\n#include \"LOOP.H\"\n");
  Run("#include \"loop.h\"\nafter\n");
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(Problems(), "E proj/loop.h:2: #include cycle: \"proj/loop.h\" includes itself\n");
}

// Each inclusion reads and holds its file again: a cycle of big files, or files that include
// the next one twice each (2^30 inclusions), stop at the run's bounds on bytes and files.
TEST_F(PreprocessorTest, IncludedBytesAndFilesAreBounded) {
  options.maxIncludedBytes = 1 << 20;
  files.Add("proj/big.h", "#include \"big.h\"\n/*" + std::string(100000, 'x') + "*/\n");
  Run("#include \"big.h\"\n");
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(Problems(),
            "E proj/big.h:1: #include cycle: \"proj/big.h\" includes itself (more than 1 MiB of "
            "files included)\n");
  for (int i = 0; i < 30; ++i) {
    std::string next = "#include \"f" + std::to_string(i + 1) + ".h\"\n";
    files.Add("proj/f" + std::to_string(i) + ".h", next + next);
  }
  options.maxIncludes = 1000;
  Run("#include \"f0.h\"\nafter\n");
  EXPECT_TRUE(result.stopped);
  EXPECT_NE(Problems().find(".h:1: more than 1000 files included\n"), std::string::npos);
  EXPECT_EQ(Text(), "");
}

TEST_F(PreprocessorTest, TenThousandNestedIfsStopWithAnError) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "#if 1\n";
  Run(text);
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(Problems(), "E proj/app.rc:4097: #if nested too deeply (more than 4096 levels)\n");
}

TEST_F(PreprocessorTest, RecursiveAndRunawayMacrosEnd) {
  Run("#define R R + R\nR\n#define F(x) F(x x)\nF(1)\n");
  EXPECT_EQ(Text(), "R + R F ( 1 1 )");
  options.expansion.tokensPerExpansion = 10000;
  Run("#define a0 x\n#define a1 a0 a0\n#define a2 a1 a1\n#define a3 a2 a2\n#define a4 a3 a3\n"
      "#define a5 a4 a4\n#define a6 a5 a5\n#define a7 a6 a6\n#define a8 a7 a7\n#define a9 a8 a8\n"
      "#define b a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9 a9\n"
      "ok\nb\nnever\n");
  EXPECT_TRUE(result.stopped);
  EXPECT_NE(Problems().find("E proj/app.rc:13: macro expansion too large"), std::string::npos);
  EXPECT_EQ(result.tokens.front().text, "ok");
  EXPECT_NE(result.tokens.back().text, "never");
}

TEST_F(PreprocessorTest, AChainOfMacrosTooDeepNamesTheBodyWhereItStopped) {
  // Each macro's context stays open while the next one is entered; the fifth is too many, and
  // the message names where its body was written, whether the macro has one token or more.
  options.expansion.contextDepth = 4;
  for (std::string fifth : {"#define A5 A6\n", "#define A5 A6 +\n"}) {
    Run("#define A1 A2\n#define A2 A3\n#define A3 A4\n#define A4 A5\n" + fifth +
        "#define A6 1\nok A1\n");
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(Problems(), "E proj/app.rc:5: macro expansion nested too deeply\n") << fifth;
  }
  options.expansion.contextDepth = 6;  // one for each macro
  Run("#define A1 A2\n#define A2 A3\n#define A3 A4\n#define A4 A5\n#define A5 A6\n"
      "#define A6 1\nok A1\n");
  EXPECT_EQ(Text(), "ok 1");
}

TEST_F(PreprocessorTest, ComputedAndBareIncludeNames) {
  files.Add("proj/resource.h", "#define R 1\n");
  files.Add("proj/other.h", "#define O 2\n");
  Run("#define HDR \"other.h\"\n#include HDR\n#include resource.h\nR O\n#include\n");
  EXPECT_EQ(Text(), "1 2");
  EXPECT_EQ(Problems(), "E proj/app.rc:5: #include expects \"FILENAME\" or <FILENAME>\n");
}

TEST_F(PreprocessorTest, StreamingGivesTheSameTokens) {
  std::string text = "#define A 1\nA b \"c\"\n";
  files.Add("x.rc", text);
  Preprocessor pp(files);
  pp.Start("x.rc", text);
  std::vector<std::string> got;
  for (PpToken t; pp.Next(t);) got.emplace_back(t.text);
  EXPECT_EQ(got, (std::vector<std::string>{"1", "b", "\"c\""}));
  EXPECT_FALSE(pp.Stopped());
}

TEST_F(PreprocessorTest, DiagnosticsStopPilingUp) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "'\n";
  text += "#error last\n";
  Run(text);
  ASSERT_EQ(result.diagnostics.size(), 1001u);
  EXPECT_EQ(result.diagnostics[999].line, 1000u);
  EXPECT_EQ(result.diagnostics.back().message, "4001 more diagnostics left out");
  EXPECT_EQ(result.tokens.size(), 5000u);
}

// Tokens view the texts they came from: a header closed long ago, a line without its splice,
// a pasted or stringized spelling, a script given as a temporary. All must outlive the run
// (the sanitizer build catches a view left dangling).
TEST(PreprocessorTextsTest, TokensOutliveTheTextsTheyCameFrom) {
  PpMemoryFiles files;
  files.Add("defs.h",
            "#define GLUE(a, b) a ## b\n#define NAME name_from_a_header_that_is_\\\nclosed\n"
            "#define STR(x) #x\n");
  PreprocessResult r =
      Preprocess(files, "a.rc",
                 std::string("#include \"defs.h\"\nNAME GLUE(abcdefghijklmnop, qrstuvwxyz_0123)\n"
                             "STR(a   \"b\") a_long_name_read_from_the_script_itself\n"));
  std::string text;
  for (const PpToken& t : r.tokens) text.append(text.empty() ? "" : " ").append(t.text);
  EXPECT_EQ(text,
            "name_from_a_header_that_is_closed abcdefghijklmnopqrstuvwxyz_0123 \"a \\\"b\\\"\" "
            "a_long_name_read_from_the_script_itself");

  std::string script =
      "#include \"defs.h\"\nGLUE(x_long_enough_to_need_memory, _y) NAME "
      "spl\\\nit_over_a_line_end\n";
  std::vector<PpToken> kept;
  std::shared_ptr<PpTextStore> texts;  // kept beyond the preprocessor, as its tokens are
  {
    Preprocessor pp(files);
    pp.Start("a.rc", script);
    for (PpToken t; pp.Next(t);) kept.push_back(t);
    texts = pp.Texts();
  }
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].text, "x_long_enough_to_need_memory_y");
  EXPECT_EQ(kept[1].text, "name_from_a_header_that_is_closed");
  EXPECT_EQ(kept[2].text, "split_over_a_line_end");
}

TEST(PreprocessBytesTest, SurvivesHostileBytes) {
  std::string junk;
  for (int i = 0; i < 4000; ++i) junk += static_cast<char>((i * 7919) % 256);
  PreprocessBytes(junk);
  PreprocessBytes("#include \"fuzz.h\"\n#define F(x) F(x x)\nF(F(F(1)))\n\"\xff\xfe\n/*");
  PreprocessBytes("#if\n#elif (\n#define\n#define F(\n#undef\n#line x\n#pragma code_page(\n");
  SUCCEED();
}

}  // namespace
}  // namespace fw

namespace fw {
namespace {

// Each token says which macro call of the text made it, and the call is kept as written, so
// that a reader can name a control's id as the script does.
TEST(PreprocessorCallsTest, TokensNameTheCallOfTheTextThatMadeThem) {
  PpMemoryFiles files;
  std::string text =
      "#define IDC_A 100\n#define F(a, b) ((a) + (b))\n#define G F\n#define H(x) x\n"
      "1 IDC_A, F(IDC_A,  2) G (3,4) H 5 , H(IDC_A)\n";
  files.Add("a.rc", text);
  Preprocessor pp(files);
  pp.Start("a.rc", text);
  std::vector<std::string> seen;
  for (PpToken t; pp.Next(t);) {
    const PpExpander::Call* call = t.expansion ? pp.FindCall(t.expansion) : nullptr;
    std::string from = call ? call->text : "-";
    if (seen.empty() || seen.back() != from) seen.push_back(from);
  }
  // "H 5": H without a parenthesis is no call; the 5 read while looking for one is not part
  // of a call either.
  EXPECT_EQ(seen, (std::vector<std::string>{"-", "IDC_A", "-", "F(IDC_A, 2)", "G (3,4)", "-",
                                            "H(IDC_A)"}));
}

// The last sixteen calls are kept: an older call is no longer found, a newer one always.
TEST(PreprocessorCallsTest, OnlyTheLastCallsAreKept) {
  PpMemoryFiles files;
  std::string text = "#define ID(n) n\n";
  for (int i = 0; i < 20; ++i) text += "ID( " + std::to_string(i) + " )\n";
  files.Add("a.rc", text);
  Preprocessor pp(files);
  pp.Start("a.rc", text);
  std::vector<uint32_t> calls;
  for (PpToken t; pp.Next(t);) calls.push_back(t.expansion);
  ASSERT_EQ(calls.size(), 20u);
  EXPECT_EQ(pp.FindCall(calls[3]), nullptr);
  ASSERT_NE(pp.FindCall(calls[4]), nullptr);
  EXPECT_EQ(pp.FindCall(calls[4])->text, "ID( 4 )");
  EXPECT_EQ(pp.FindCall(calls[19])->text, "ID( 19 )");
  EXPECT_EQ(pp.FindCall(0), nullptr);
}

// Holding at defines: each "#define" of a value stops the reading, so a reader can hand it
// over first; one inside a macro call's arguments waits for the call.
TEST(PreprocessorHoldTest, StopsAfterEachDefineOutsideMacroCalls) {
  PpMemoryFiles files;
  std::string text =
      "#define A 1\n#define F(x) x\n#if 1\n#define B A\n#endif\nA F(\n#define C 3\nC) B\n";
  files.Add("a.rc", text);
  Preprocessor pp(files);
  pp.Start("a.rc", text);
  pp.HoldAtDefines(true);
  std::vector<std::string> seen;
  for (PpToken t;;) {
    if (pp.Next(t)) {
      seen.emplace_back(t.text);
    } else if (pp.Held()) {
      for (const PpDefine& d : pp.Defines()) seen.push_back("[" + d.name + "]");
      pp.ClearDefines();
    } else {
      break;
    }
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"[A]", "[B]", "1", "3", "1"}));
  ASSERT_EQ(pp.Defines().size(), 1u);
  EXPECT_EQ(pp.Defines()[0].name, "C");
}

}  // namespace
}  // namespace fw
