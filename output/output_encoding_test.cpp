#include "output/output_encoding.h"

#include <gtest/gtest.h>

#include "textutil/utf8.h"

namespace fw {
namespace {

class OutputEncodingTest : public ::testing::Test {
 protected:
  std::unique_ptr<CodePages> pages_ = MakePlatformCodePages();
};

TEST_F(OutputEncodingTest, TheScriptsPageWhileEveryTextFits) {
  OutputEncodingChoice choice(932, "", *pages_);
  choice.Add("Caption");
  choice.Add("日本語のダイアログ");
  const OutputEncoding result = choice.Result();
  EXPECT_EQ(result.codePage, 932);
  EXPECT_EQ(result.warning, "");
  EXPECT_EQ(EncodeOutput("\"日本\"", result, *pages_), "\"\x93\xFA\x96\x7B\"");
}

TEST_F(OutputEncodingTest, OneTextThatDoesNotFitMakesEverythingUtf8) {
  OutputEncodingChoice choice(1252, "", *pages_);
  choice.Add("café");
  choice.Add("Привет\r\nмир");
  choice.Add("日本");  // only the first misfit is named
  const OutputEncoding result = choice.Result();
  EXPECT_EQ(result.codePage, 65001);
  EXPECT_EQ(result.warning,
            "outputs are UTF-8: a text does not fit code page 1252: \"Привет  мир\"");
  EXPECT_EQ(EncodeOutput("café", result, *pages_), "caf\xC3\xA9");
}

TEST_F(OutputEncodingTest, NoSinglePageWarnsOnlyWhenATextIsNotAscii) {
  OutputEncodingChoice ascii(std::nullopt, "the script mixes code pages 932 and 1252", *pages_);
  ascii.Add("OK");
  EXPECT_EQ(ascii.Result().codePage, 65001);
  EXPECT_EQ(ascii.Result().warning, "");
  OutputEncodingChoice mixed(std::nullopt, "the script mixes code pages 932 and 1252", *pages_);
  mixed.Add("日本");
  EXPECT_EQ(mixed.Result().warning, "outputs are UTF-8: the script mixes code pages 932 and 1252");
}

TEST_F(OutputEncodingTest, LongMisfitsAreShortenedAndKeptBytesGoBackAsTheyWere) {
  OutputEncodingChoice choice(1251, "", *pages_);
  std::string kept;
  AppendKeptByte(kept, 0x98);  // invalid in 1251, kept: it fits, as the byte it was
  choice.Add("Текст" + kept);
  EXPECT_EQ(choice.Result().codePage, 1251);
  EXPECT_EQ(EncodeOutput("Т" + kept, choice.Result(), *pages_), "\xD2\x98");
  choice.Add(std::string(50, 'x') + "日");
  EXPECT_EQ(choice.Result().warning, "outputs are UTF-8: a text does not fit code page 1251: \"" +
                                         std::string(40, 'x') + "...\"");
}

TEST_F(OutputEncodingTest, Utf8ScriptsAndUnsupportedPagesWriteUtf8) {
  OutputEncodingChoice utf8(65001, "", *pages_);
  utf8.Add("日本 café");
  EXPECT_EQ(utf8.Result().codePage, 65001);
  EXPECT_EQ(utf8.Result().warning, "");
  OutputEncodingChoice unknown(20127, "", *pages_);
  unknown.Add("é");
  EXPECT_EQ(unknown.Result().warning, "outputs are UTF-8: code page 20127 is not supported");
}

}  // namespace
}  // namespace fw
