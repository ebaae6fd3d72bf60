// The section tags of template files and the buffers they fill.
#pragma once

#include <array>
#include <string_view>

#include "engine/buffer.h"

namespace fw {

// Which templates may hold a tag.
enum class TagUse { kControl, kDialog, kBoth };
// When a buffer is emptied: once per run, at every dialog, or at every dialog in multi-file
// mode only (the code that goes to a dialog's include file).
enum class Scope { kRun, kDialog, kIncludeFile };

// One line per section that fills a buffer: name, header, prefix of every body line, use, scope.
// A new tag is one more line here.
#define FW_BUFFER_SECTIONS(X)                                                 \
  X(kOption, "[OPTION]", "", TagUse::kBoth, Scope::kRun)                      \
  X(kInclude, "[INCLUDE]", "", TagUse::kBoth, Scope::kRun)                    \
  X(kConstant, "[CONSTANT]", "", TagUse::kDialog, Scope::kRun)                \
  X(kGlobal, "[GLOBAL]", "", TagUse::kBoth, Scope::kRun)                      \
  X(kInitial, "[INITIAL]", "", TagUse::kControl, Scope::kRun)                 \
  X(kSample, "[SAMPLE]", "", TagUse::kControl, Scope::kIncludeFile)           \
  X(kEvent, "[EVENT]", "", TagUse::kBoth, Scope::kIncludeFile)                \
  X(kDlgProc, "[DLGPROC]", "", TagUse::kDialog, Scope::kRun)                  \
  X(kDim, "[DIM]", "\t", TagUse::kControl, Scope::kDialog)                    \
  X(kWmInitDialog, "[WM_INITDIALOG]", "\t", TagUse::kControl, Scope::kDialog) \
  X(kWmCommand, "[WM_COMMAND]", "\t\t\t", TagUse::kControl, Scope::kDialog)   \
  X(kWmClose, "[WM_CLOSE]", "\t\t\t", TagUse::kControl, Scope::kDialog)       \
  X(kWmNotify, "[WM_NOTIFY]", "\t\t\t", TagUse::kControl, Scope::kDialog)     \
  X(kWmTimer, "[WM_TIMER]", "\t\t\t", TagUse::kControl, Scope::kDialog)       \
  X(kWmDestroy, "[WM_DESTROY]", "\t\t\t", TagUse::kControl, Scope::kDialog)

// Every tag: the buffer sections, then the two style maps ("[STYLE]", "[EXSTYLE]"), which
// fill the template's style maps instead of a buffer.
enum Section : int {
#define FW_SECTION_ENUM(name, header, prefix, use, scope) name,
  FW_BUFFER_SECTIONS(FW_SECTION_ENUM)
#undef FW_SECTION_ENUM
      kBufferSectionCount,
  kStyle = kBufferSectionCount,
  kExStyle,
  kSectionCount
};

struct SectionInfo {
  std::string_view header;
  std::string_view prefix;
  TagUse use;
  Scope scope;
};
const SectionInfo& InfoOf(Section section);

// The section buffers of a run, indexed by tag. All share one overflow flag: the first
// replacement refused for the text limit stops them all.
class SectionBuffers {
 public:
  explicit SectionBuffers(bool* overflow);
  SectionBuffers(const SectionBuffers&) = delete;
  SectionBuffers& operator=(const SectionBuffers&) = delete;

  Buffer& operator[](Section section) { return buffers_[section]; }
  const Buffer& operator[](Section section) const { return buffers_[section]; }
  // Empties the buffers of `scope`.
  void EmptyScope(Scope scope);
  // Applies the plain method and the text limit to every buffer.
  void Configure(bool plain, size_t limit);

 private:
  std::array<Buffer, kBufferSectionCount> buffers_;
};

// The two style maps of a template: lines "value,NAME" that turn style numbers into names.
struct StyleMaps {
  std::string style;
  std::string exStyle;
};

}  // namespace fw
