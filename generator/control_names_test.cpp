#include "generator/control_names.h"

#include <gtest/gtest.h>

#include <string>

namespace fw {
namespace {

TEST(ControlNamesTest, IdentifiersAsTheyStandOthersFromTheirValue) {
  ControlNames names;
  EXPECT_EQ(names.Take("IDC_OK", 1), "IDC_OK");
  EXPECT_EQ(names.Take("IDC_STATIC", -1), "IDC_STATIC");
  EXPECT_EQ(names.Take("IDC_STATIC", -1), "IDC_STATIC_2");
  EXPECT_EQ(names.Take("idc_static", -1), "idc_static_3");  // BASIC ignores letter case
  EXPECT_EQ(names.Take("100", 100), "ID_100");
  EXPECT_EQ(names.Take("-1", -1), "ID_M1");
  EXPECT_EQ(names.Take("IDC_A + 1", 7), "ID_7");
  EXPECT_EQ(names.Take(" IDC_B", 0), "ID_0");
  EXPECT_EQ(names.Take("ID_100", 5), "ID_100_2");  // taken by a derived name
  EXPECT_EQ(names.Take("ID_100_2", 5), "ID_100_2_2");
}

// Past the first table of names: every name is still found, in any case, after it grows.
TEST(ControlNamesTest, ManyNamesStayUniqueAsTheTableGrows) {
  ControlNames names;
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(names.Take("IDC_" + std::to_string(i), i), "IDC_" + std::to_string(i));
  }
  for (int i = 0; i < 1000; i += 7) {
    EXPECT_EQ(names.Take("idc_" + std::to_string(i), i), "idc_" + std::to_string(i) + "_2");
  }
  EXPECT_EQ(names.Take("IDC_1000", 0), "IDC_1000");
  EXPECT_EQ(names.Take("Idc_7_2", 0), "Idc_7_2_2");
}

TEST(ControlNamesTest, WhatAnIdentifierIs) {
  for (const char* good : {"a", "_", "A_1", "_9z"}) EXPECT_TRUE(IsIdentifier(good)) << good;
  for (const char* bad : {"", "1a", "a-b", "a b", "a.b", "\xc3\xa9"}) {
    EXPECT_FALSE(IsIdentifier(bad)) << bad;
  }
}

}  // namespace
}  // namespace fw
