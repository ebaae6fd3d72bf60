// A test fixture with what a conversion needs: a temporary folder, the platform's file layer,
// a display with base units 6 x 13, and a fresh generation state.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/state.h"
#include "platform/display_fixed.h"
#include "tests/support/temp_folder.h"

namespace fw {

class ConversionTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
  FixedDisplay display_{6, 13};
  Platform platform_{*files_, display_};
  GenerationState state_;
};

}  // namespace fw
