// The style and direction numbers dlgsample passes to wx-c. They are wxWidgets' own values,
// written out so that the program needs nothing of wxWidgets but the binding.
#ifndef DLGSAMPLE_STYLES_H_
#define DLGSAMPLE_STYLES_H_

namespace dlgsample {

constexpr long kFrameStyle = 0x20001800;  // caption, system menu, close box; no resize border
constexpr long kNoBorder = 0x00200000;
constexpr long kSimpleBorder = 0x02000000;
constexpr long kRaisedBorder = 0x04000000;
constexpr long kSunkenBorder = 0x08000000;
constexpr long kComboDropDown = 0x20;
constexpr long kListReport = 0x20;
constexpr long kTextMultiLine = 0x20;
constexpr long kTextCentred = 0x100;
constexpr long kMessageBoxStyle = 0;
constexpr int kCentreBoth = 12;

}  // namespace dlgsample

#endif  // DLGSAMPLE_STYLES_H_
