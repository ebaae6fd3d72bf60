#include "script/decode.h"

#include <gtest/gtest.h>

#include "textutil/utf8.h"

namespace fw {
namespace {

class DecodeTest : public ::testing::Test {
 protected:
  DecodedScript Decode(std::string_view bytes, int defaultCodePage = 1252) {
    return DecodeScript(bytes, defaultCodePage, *pages_);
  }
  // The decoded text written back span by span in the page each was read in.
  std::string Reencode(const DecodedScript& script) {
    std::string bytes;
    for (size_t i = 0; i < script.spans.size(); ++i) {
      const size_t end =
          i + 1 < script.spans.size() ? script.spans[i + 1].offset : std::string::npos;
      const std::string_view part =
          std::string_view(script.text)
              .substr(script.spans[i].offset, end - script.spans[i].offset);
      bytes += pages_->Encode(script.spans[i].codePage, part).bytes;
    }
    return bytes;
  }
  std::unique_ptr<CodePages> pages_ = MakePlatformCodePages();
};

std::vector<int> NotedLines(const DecodedScript& script) {
  std::vector<int> lines;
  for (const DecodeNote& note : script.notes) lines.push_back(note.line);
  return lines;
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST_F(DecodeTest, ByteOrderMarksDecideAndPragmasDoNotChangeUnicode) {
  const std::u16string text = u"#pragma code_page(932)\r\nCAPTION \"é 日 😀\"\r\n";
  for (bool bigEndian : {false, true}) {
    const DecodedScript script = Decode(Utf16(text, bigEndian));
    EXPECT_EQ(script.encoding, bigEndian ? ScriptEncoding::kUtf16Be : ScriptEncoding::kUtf16Le);
    EXPECT_EQ(script.text, "#pragma code_page(932)\r\nCAPTION \"é 日 😀\"\r\n");
    ASSERT_EQ(script.spans.size(), 1u);
    EXPECT_EQ(script.spans[0].codePage, bigEndian ? kUtf16BeCodePage : kUtf16LeCodePage);
    EXPECT_FALSE(script.singleCodePage);
    EXPECT_TRUE(script.notes.empty());
  }
  const DecodedScript utf8 = Decode("\xEF\xBB\xBF#pragma code_page(1252)\n\xC3\xA9");
  EXPECT_EQ(utf8.encoding, ScriptEncoding::kUtf8Bom);
  EXPECT_EQ(utf8.text, "#pragma code_page(1252)\né");
  EXPECT_EQ(utf8.CodePageAtLine(2), 65001);
  EXPECT_EQ(NoSingleCodePageReason(utf8), "the script is UTF-8 (byte order mark)");
  const DecodedScript bare = Decode(std::string("L\0T\0\n\0", 6));
  EXPECT_EQ(bare.encoding, ScriptEncoding::kUtf16Le);
  EXPECT_EQ(bare.text, "LT\n");
}

TEST_F(DecodeTest, BrokenUtf16BecomesReplacementCharactersWithTheirLines) {
  std::string bytes = Utf16(u"a\n\xD800z\n", false) + "x";  // a lone surrogate, an odd byte
  const DecodedScript script = Decode(bytes);
  EXPECT_EQ(script.text, "a\n\uFFFDz\n\uFFFD");
  EXPECT_EQ(NotedLines(script), (std::vector<int>{2, 3}));
}

// A note per line that holds invalid bytes, up to a bound, then one count: a script of invalid
// bytes on every line must not fill the memory and the terminal. The UTF-8 lines are counted in
// one pass (counting from the start for each invalid byte took minutes for 100 MB).
TEST_F(DecodeTest, NotesOnInvalidBytesAreBoundedInEveryForm) {
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += "x\xFF\n";
  for (const std::string& bytes : {"\xEF\xBB\xBF" + lines, lines}) {
    const DecodedScript script = Decode(bytes, bytes[0] == 'x' ? 65001 : 1252);
    ASSERT_EQ(script.notes.size(), DecodedScript::kMaxNotes + 1);
    EXPECT_EQ(script.notes[99].line, 100);
    EXPECT_EQ(script.notes.back().line, 0);
    EXPECT_EQ(script.notes.back().message, "900 more notes on decoding left out");
  }
  std::string wide = Utf16(u"", false);
  for (int i = 0; i < 1000; ++i) wide += Utf16(u"\xD800\n", false).substr(2);
  EXPECT_EQ(Decode(wide).notes.size(), DecodedScript::kMaxNotes + 1);
  const std::string many(size_t{8} << 20, '\xFF');  // one line: one note, found in one pass
  EXPECT_EQ(Decode("\xEF\xBB\xBF\n" + many).notes.size(), 1u);
}

TEST_F(DecodeTest, PragmasSwitchFromTheNextLineAndDefaultGoesBack) {
  const std::string bytes =
      "A \xE9\r\n#pragma code_page(932)\r\nB \x93\xFA\r\n# pragma code_page(DEFAULT)\r\nC \xE9\r\n";
  const DecodedScript script = Decode(bytes);
  EXPECT_EQ(script.text,
            "A é\r\n#pragma code_page(932)\r\nB 日\r\n# pragma code_page(DEFAULT)\r\nC é\r\n");
  ASSERT_EQ(script.spans.size(), 3u);
  EXPECT_EQ(script.CodePageAtLine(2), 1252);  // the pragma's own line is in the old page
  EXPECT_EQ(script.CodePageAtLine(3), 932);
  EXPECT_EQ(script.CodePageAtLine(4), 932);
  EXPECT_EQ(script.CodePageAtLine(5), 1252);
  EXPECT_EQ(script.CodePageAt(script.text.find("日")), 932);
  EXPECT_EQ(script.CodePageAt(script.text.find("C é")), 1252);
  EXPECT_FALSE(script.singleCodePage);
  EXPECT_EQ(script.mixedCodePages, (std::vector<int>{1252, 932}));
  EXPECT_EQ(NoSingleCodePageReason(script), "the script mixes code pages 1252 and 932");
  EXPECT_EQ(script.endCodePage, 1252);
  EXPECT_EQ(Reencode(script), bytes);
  // DEFAULT is the run's page, not the page the script started in
  const DecodedScript russian =
      Decode("#pragma code_page(1252)\n#pragma code_page(DEFAULT)\n\xCF", 1251);
  EXPECT_EQ(russian.text.substr(russian.text.size() - 2), "П");
  EXPECT_EQ(russian.singleCodePage, 1251);
}

TEST_F(DecodeTest, PragmasInCommentsAndStringsAndUnknownPagesChangeNothing) {
  const DecodedScript script = Decode(
      "/*\n#pragma code_page(932)\n*/\n\"#pragma code_page(932)\\r\\n\"\n"
      "#pragma code_page(12345)\n#pragma code_page(x)\n\x93\xFA\n");
  EXPECT_EQ(script.spans.size(), 1u);
  EXPECT_EQ(script.singleCodePage, 1252);
  EXPECT_NE(script.text.find("“ú"), std::string::npos);  // read as 1252
  EXPECT_EQ(NotedLines(script), (std::vector<int>{5, 6}));
  EXPECT_NE(script.notes[0].message.find("code page 1252 stays"), std::string::npos);
}

TEST_F(DecodeTest, InvalidBytesAreKeptAndReportedByLine) {
  const std::string bytes =
      "ok\n\x81 in 1252\n#pragma code_page(932)\nlead at end \x93\n#pragma code_page(65001)\n"
      "\xA9 2020\n";
  const DecodedScript script = Decode(bytes);
  EXPECT_EQ(NotedLines(script), (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(script.notes[1].message, "1 byte not valid in code page 932 kept as they are");
  std::string kept;
  AppendKeptByte(kept, 0xA9);
  EXPECT_NE(script.text.find(kept + " 2020"), std::string::npos);
  EXPECT_EQ(Reencode(script), bytes);
}

TEST_F(DecodeTest, AsciiOnlyStretchesDoNotMakeAScriptMixed) {
  const DecodedScript ascii =
      Decode("#pragma code_page(1251)\nLTEXT \"a\"\n#pragma code_page(1252)\nLTEXT \"b\"\n");
  EXPECT_EQ(ascii.spans.size(), 3u);
  EXPECT_TRUE(ascii.mixedCodePages.empty());
  EXPECT_EQ(ascii.singleCodePage, 1252);
  const DecodedScript oneText =
      Decode("#pragma code_page(932)\nLTEXT \"\x93\xFA\"\n#pragma code_page(1252)\nLTEXT \"b\"\n");
  EXPECT_EQ(oneText.singleCodePage, 932);
  const DecodedScript comment =
      Decode("// \x93\xFA\n#pragma code_page(932)\nLTEXT \"\x93\xFA\"\n");  // a header comment
  EXPECT_EQ(comment.singleCodePage, 932);
}

TEST_F(DecodeTest, AsciiScriptsReadAsThemselvesInThePageGiven) {
  // With and without the word "pragma" (the one a page switch needs), a line end at the end
  // and without: the same account.
  for (const std::string text :
       {"#define A 1\r\nA DIALOG 0, 0, 1, 1\r\n/* x */", "LTEXT \"pragma\"\n"}) {
    const DecodedScript script = Decode(text, 932);
    EXPECT_EQ(script.text, text);
    ASSERT_EQ(script.spans.size(), 1u);
    EXPECT_EQ(script.spans[0].codePage, 932);
    EXPECT_FALSE(script.spans[0].nonAscii);
    EXPECT_EQ(script.singleCodePage, 932);
    EXPECT_EQ(script.endCodePage, 932);
    EXPECT_TRUE(script.notes.empty());
  }
}

TEST_F(DecodeTest, IncludedFilesStartInTheIncludersPage) {
  const DecodedScript included = DecodeIncludedScript("\x93\xFA\n", 932, 1252, *pages_);
  EXPECT_EQ(included.text, "日\n");
  EXPECT_EQ(included.endCodePage, 932);
  const DecodedScript switching =
      DecodeIncludedScript("#pragma code_page(DEFAULT)\n\xE9", 932, 1252, *pages_);
  EXPECT_EQ(switching.text, "#pragma code_page(DEFAULT)\né");
  EXPECT_EQ(switching.endCodePage, 1252);
  const DecodedScript unicode = DecodeIncludedScript(Utf16(u"x", false), 932, 1252, *pages_);
  EXPECT_EQ(unicode.endCodePage, 932);
}

TEST_F(DecodeTest, Utf8ReadInAnotherPageIsPointedOut) {
  const DecodedScript script = Decode("// plain\nCAPTION \"\xE6\x97\xA5\"\n");
  ASSERT_EQ(script.notes.size(), 1u);
  EXPECT_EQ(script.notes[0].line, 2);
  EXPECT_NE(script.notes[0].message.find("65001"), std::string::npos);
  EXPECT_TRUE(Decode("#pragma code_page(65001)\n\xE6\x97\xA5").notes.empty());
  EXPECT_TRUE(Decode("caf\xE9").notes.empty());  // not UTF-8
}

}  // namespace
}  // namespace fw
