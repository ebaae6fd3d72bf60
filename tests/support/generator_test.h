// A fixture for the generator's behaviour: a template set whose main source shows the
// constants, the declarations and the dialog procedures, and whose templates print every
// dialog and control value.
#pragma once

#include "tests/support/conversion_test.h"

namespace fw {

class GeneratorTest : public ConversionTest {
 protected:
  void SetUp() override {
    folder_.Put("set.tpl", "[~DLGMAIN~]\n~CONSTANT~~DECLARE~|~DIALOG~");
    folder_.Put("set/dialogex.tpl",
                "[DLGPROC]\n"
                "dlg ~DLGNAME~ ~DLGX~,~DLGY~,~DLGW~,~DLGH~ px ~DLGPX~,~DLGPY~,~DLGPW~,~DLGPH~ "
                "\"~DLGTEXT~\" [~DLGSTYLE~] [~DLGEXSTYLE~]\n"
                "~WM_COMMAND~\n"
                "[STYLE]\n&h00C00000,WS_CAPTION\n&h00800000,WS_BORDER\n&h00400000,WS_DLGFRAME\n"
                "[EXSTYLE]\n&h8,WS_EX_TOPMOST\n");
    folder_.Put("set/Button.tpl",
                "[WM_COMMAND]\n"
                "ctl ~CTLID~ \"~CTLTEXT~\" ~CTLX~,~CTLY~,~CTLW~,~CTLH~ px "
                "~CTLPX~,~CTLPY~,~CTLPW~,~CTLPH~ [~CTLSTYLE~] [~CTLEXSTYLE~]\n"
                "[SAMPLE]\nsub ~CTLID~_Sample()\nend sub\n"
                "[EVENT]\nsub ~CTLID~_Click()\nend sub\n"
                "[STYLE]\n&h50000000,WS_CHILD_VISIBLE\n");
    options_.scriptBase = folder_ / "dialogs";
  }
  // Converts `script` (lines joined with CR LF) with `platform` and returns the main source.
  std::string Run(std::initializer_list<std::string> script, Platform& platform) {
    folder_.Put("dialogs.rc", CrLf(script));
    Convert(folder_.path(), "set", platform);
    return folder_.Get("dialogs.bas");
  }
  std::string Run(std::initializer_list<std::string> script) { return Run(script, platform_); }
};

}  // namespace fw
