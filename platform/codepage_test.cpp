// Code pages: the same bytes give the same text on every platform (this test runs on Linux and,
// in the Windows build, under Wine, with the same expectations).
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/codepage_catalog.h"
#include "textutil/utf8.h"

namespace fw {
namespace {

std::string Kept(unsigned char b) {
  std::string out;
  AppendKeptByte(out, b);
  return out;
}

struct DecodeCase {
  int codePage;
  std::string bytes;
  std::string utf8;
  std::vector<size_t> invalid;
};

TEST(CodePagesTest, DecodesTheSameOnEveryPlatform) {
  auto pages = MakePlatformCodePages();
  const DecodeCase cases[] = {
      {1252, "caf\xE9 \x80 \xA9", "café € ©", {}},
      {1252, "a\x81z\x9D", "a" + Kept(0x81) + "z" + Kept(0x9D), {1, 3}},  // undefined in 1252
      {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", "Привет", {}},
      {1251, "\x98", Kept(0x98), {0}},
      {1250, "\xB9\xEA\xB3", "ąęł", {}},
      {1253, "\xC5\xEB\xEB\xDC\xE4\xE1", "Ελλάδα", {}},
      {1255, "\xCA", "\u05BA", {}},  // glibc lacks it; Windows has it
      {437, "\xC9\xCD\xBB", "╔═╗", {}},
      {932, "\x93\xFA\x96\x7B\x8C\xEA", "日本語", {}},
      {932, "\xB1\x5C\x7E", "ｱ\\~", {}},  // half-width kana; 0x5C and 0x7E stay ASCII
      {932, "\x80\xA0\xFD", Kept(0x80) + Kept(0xA0) + Kept(0xFD), {0, 1, 2}},
      {932, "\x81 x\x93", Kept(0x81) + " x" + Kept(0x93), {0, 3}},  // bad trail, cut short
      {932, "\xF0\x40", Kept(0xF0) + "@", {0}},  // user-defined area: no standard character
      {936, "\xD6\xD0\xCE\xC4", "中文", {}},
      {936, "\xA1\x40", Kept(0xA1) + "@", {0}},  // user-defined area
      {949, "\xC7\xD1\xB1\xDB\x81\x41", "한글갂", {}},
      {949, "\xC9\xA1", Kept(0xC9) + Kept(0xA1), {0, 1}},  // user-defined area
      {950, "\xA4\xA4\xA4\xE5\xF9\xF9\xA2\xA4", "中文══", {}},
      {950, "\x81\x40", Kept(0x81) + "@", {0}},  // user-defined area
      {65001, "\xC3\xA9\xA9\xE6\x97", "é" + Kept(0xA9) + Kept(0xE6) + Kept(0x97), {2, 3, 4}},
  };
  for (const DecodeCase& c : cases) {
    ASSERT_TRUE(pages->Supports(c.codePage)) << c.codePage;
    const DecodedBytes got = pages->Decode(c.codePage, c.bytes);
    EXPECT_EQ(got.utf8, c.utf8) << c.codePage << " " << c.bytes;
    EXPECT_EQ(got.invalid, c.invalid) << c.codePage << " " << c.bytes;
  }
}

struct EncodeCase {
  int codePage;
  std::string utf8;
  std::string bytes;
  std::vector<size_t> unfit;
};

TEST(CodePagesTest, EncodesTheSameOnEveryPlatformWithoutBestFit) {
  auto pages = MakePlatformCodePages();
  const EncodeCase cases[] = {
      {1252, "café €", "caf\xE9 \x80", {}},
      {1252, "日ā", "??", {0, 3}},  // ā would best-fit to a
      {1252, "x" + Kept(0x81), "x\x81", {}},
      {932, "日本語ｱ", "\x93\xFA\x96\x7B\x8C\xEA\xB1", {}},
      {932, "¥¢—", "???", {0, 2, 4}},  // glibc would write 0x5C, 0x8191, 0x815C
      {936, "中文", "\xD6\xD0\xCE\xC4", {}},
      {949, "한글", "\xC7\xD1\xB1\xDB", {}},
      {950, "中══", "\xA4\xA4\xF9\xF9\xF9\xF9", {}},  // box drawing at Windows' place
      {1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2", {}},
      {1255, "\u05BA", "\xCA", {}},
      {1258, "Ã", "?", {0}},  // glibc would write A and a combining tilde
      {65001, "é" + Kept(0xA9), "\xC3\xA9\xA9", {}},
  };
  for (const EncodeCase& c : cases) {
    const EncodedText got = pages->Encode(c.codePage, c.utf8);
    EXPECT_EQ(got.bytes, c.bytes) << c.codePage << " " << c.utf8;
    EXPECT_EQ(got.unfit, c.unfit) << c.codePage << " " << c.utf8;
  }
}

TEST(CodePagesTest, SupportsTheCatalogOnly) {
  auto pages = MakePlatformCodePages();
  for (int codePage : CatalogCodePages()) EXPECT_TRUE(pages->Supports(codePage)) << codePage;
  for (int codePage : {0, 1, 858, 1200, 20127, 54936, 65000}) {
    EXPECT_FALSE(pages->Supports(codePage)) << codePage;
  }
}

// Every character a page reads is written back as bytes that read as it again, and no byte
// sequence is lost: what decodes as invalid is kept and written back as it was.
TEST(CodePagesTest, EveryCharacterReadIsWrittenBackAndReadAgain) {
  auto pages = MakePlatformCodePages();
  for (int codePage : {932, 936, 949, 950, 1250, 1251, 1252, 1253, 1255, 1258, 437, 866}) {
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
      const bool dbcs = IsLeadByte(codePage, static_cast<unsigned char>(lead));
      for (int trail = dbcs ? 0x40 : 0x100; trail <= 0x100; ++trail) {
        std::string bytes(1, static_cast<char>(lead));
        if (trail < 0x100) bytes += static_cast<char>(trail);
        const DecodedBytes read = pages->Decode(codePage, bytes);
        const EncodedText written = pages->Encode(codePage, read.utf8);
        ASSERT_TRUE(written.AllFit()) << codePage << " " << lead << " " << trail;
        EXPECT_EQ(pages->Decode(codePage, written.bytes).utf8, read.utf8)
            << codePage << " " << lead << " " << trail;
      }
    }
  }
}

uint64_t Fnv(uint64_t hash, std::string_view data) {
  for (char ch : data) hash = (hash ^ static_cast<unsigned char>(ch)) * 0x100000001B3ull;
  return hash;
}

// A fingerprint of everything a page reads (every byte and byte pair) and writes (every code
// point of the Basic Multilingual Plane): the platforms agree on all of it.
uint64_t Fingerprint(CodePages& pages, int codePage) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0; trail <= 0x100; ++trail) {
      std::string bytes(1, static_cast<char>(lead));
      if (trail < 0x100) bytes += static_cast<char>(trail);
      const DecodedBytes read = pages.Decode(codePage, bytes);
      hash = Fnv(hash, read.utf8 + std::to_string(read.invalid.size()));
      if (!IsDoubleByteCodePage(codePage)) break;
    }
  }
  for (char32_t c = 0x80; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8;
    AppendUtf8(utf8, c);
    hash = Fnv(hash, pages.Encode(codePage, utf8).bytes);
  }
  return hash;
}

TEST(CodePagesTest, WholePagesAgreeAcrossPlatforms) {
  auto pages = MakePlatformCodePages();
  const std::map<int, uint64_t> expected = {
      {437, 11318758660308904857u}, {737, 5805197389693619909u},   {775, 7029168356260654736u},
      {850, 4795355080144828311u},  {852, 16993498461023549952u},  {855, 14596827107975217355u},
      {857, 12190464630048044761u}, {860, 2154784715675882861u},   {861, 4879966019095525860u},
      {862, 13742949592392250439u}, {863, 11093300074001248457u},  {864, 6310317160825171158u},
      {865, 14100690065569255585u}, {866, 16097554080440514382u},  {869, 7853662242016866086u},
      {874, 13088701715926098028u}, {932, 15999184062516086958u},  {936, 16670301100225858380u},
      {949, 8955167402482861370u},  {950, 9521823577740273947u},   {1250, 16993686007803950795u},
      {1251, 4296796217806023709u}, {1252, 16349420985804776660u}, {1253, 5789148786829247800u},
      {1254, 1728363127238234768u}, {1255, 5826527429951691522u},  {1256, 6241961591483444715u},
      {1257, 6161788658842576631u}, {1258, 8217509496150694523u},  {65001, 7572470096922470757u},
  };
  for (int codePage : CatalogCodePages()) {
    const auto found = expected.find(codePage);
    EXPECT_EQ(Fingerprint(*pages, codePage), found == expected.end() ? 0 : found->second)
        << codePage;
  }
}

}  // namespace
}  // namespace fw
