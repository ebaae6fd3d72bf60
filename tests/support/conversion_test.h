// A test fixture with what a conversion needs: a temporary folder, the platform's file layer,
// a display with base units 6 x 13, a fresh session and run options.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "generator/run.h"
#include "platform/display_fixed.h"
#include "tests/support/temp_folder.h"

namespace fw {

class ConversionTest : public ::testing::Test {
 protected:
  // Converts with the set `set` of the folder `root`; the result's diagnostics stay in
  // `diagnostics_`.
  RunResult Convert(const std::string& root, const std::string& set, Platform& platform) {
    options_.templateRoot = root;
    options_.templateName = set;
    RunResult result = RunConversion(session_, platform, options_);
    diagnostics_ = result.diagnostics;
    return result;
  }
  RunResult Convert(const std::string& root, const std::string& set) {
    return Convert(root, set, platform_);
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
  FixedDisplay display_{6, 13};
  Platform platform_{*files_, display_};
  Session session_;
  RunOptions options_;
  Diagnostics diagnostics_;
};

}  // namespace fw
