#include "frontend/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/display_fixed.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

// The command line over a platform whose windows have frames of 3 and captions of 25 pixels.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Put("root/set.tpl", "~DIALOG~");
    folder_.Put("root/set/dialogex.tpl", "[DLGPROC]\n~DLGPW~ x ~DLGPH~\n");
    folder_.Put("d.rc",
                CrLf({"D DIALOGEX 0,0,40,80", "FONT 8,\"F\"", "STYLE 0x00C00000", "BEGIN", "END"}));
  }
  int Run(std::vector<std::string> args) {
    args.insert(args.end(), {"--template-root", folder_ / "root", folder_ / "d.rc"});
    CliEnvironment env{*files_,
                       [] {
                         return std::make_unique<FixedDisplay>(8, 16, Metrics{3, 3, 25});
                       },
                       out_, err_};
    return RunCommandLine(args, env);
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
  std::ostringstream out_;
  std::ostringstream err_;
};

// Fixed base units replace the measured fonts only: frames and caption stay the platform's
// unless --metrics gives them.
TEST_F(CliTest, BaseUnitsKeepThePlatformsMetrics) {
  ASSERT_EQ(Run({"--base-units", "6,13"}), kExitOk) << err_.str();
  EXPECT_EQ(folder_.Get("d.bas"), "66 x 161\r\n\r\n");  // 60 + 2*3, 130 + 2*3 + 25
  ASSERT_EQ(Run({"--base-units", "6,13", "--metrics", "1,2,3"}), kExitOk);
  EXPECT_EQ(folder_.Get("d.bas"), "62 x 137\r\n\r\n");
  ASSERT_EQ(Run({}), kExitOk);
  EXPECT_EQ(folder_.Get("d.bas"), "86 x 191\r\n\r\n");  // 80 + 6, 160 + 6 + 25
}

}  // namespace
}  // namespace fw
