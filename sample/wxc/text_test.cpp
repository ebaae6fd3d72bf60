#include "text.h"

#include <gtest/gtest.h>

namespace wxc {
namespace {

TEST(FromBytes, ReadsUtf8) {
  EXPECT_EQ(FromBytes("Main dialog"), wxString("Main dialog"));
  EXPECT_EQ(FromBytes("\xc3\xa9t\xc3\xa9"), wxString(L"\u00e9t\u00e9"));
}

// Bytes that are not UTF-8 are not dropped: they are read as Latin-1.
TEST(FromBytes, KeepsOtherBytesAsLatin1) {
  EXPECT_EQ(FromBytes("caf\xe9"), wxString(L"caf\u00e9"));
}

TEST(FromBytes, NullAndEmptyAreEmpty) {
  EXPECT_TRUE(FromBytes(nullptr).empty());
  EXPECT_TRUE(FromBytes("").empty());
  EXPECT_EQ(NameOr(nullptr, "frame"), wxString("frame"));
  EXPECT_EQ(NameOr("", "frame"), wxString(""));
}

}  // namespace
}  // namespace wxc
