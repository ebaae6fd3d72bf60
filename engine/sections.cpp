#include "engine/sections.h"

namespace fw {

namespace {

constexpr std::array<SectionInfo, kSectionCount> kSections = {{
#define FW_SECTION_INFO(name, header, prefix, use, scope) {header, prefix, use, scope},
    FW_BUFFER_SECTIONS(FW_SECTION_INFO)
#undef FW_SECTION_INFO
        {"[STYLE]", "", TagUse::kBoth, Scope::kRun},
    {"[EXSTYLE]", "", TagUse::kBoth, Scope::kRun},
}};

}  // namespace

const SectionInfo& InfoOf(Section section) {
  return kSections[section];
}

SectionBuffers::SectionBuffers(bool* overflow) {
  for (Buffer& b : buffers_) b.ShareOverflow(overflow);
}

void SectionBuffers::EmptyScope(Scope scope) {
  for (int i = 0; i < kBufferSectionCount; ++i) {
    if (kSections[i].scope == scope) buffers_[i].Empty();
  }
}

void SectionBuffers::Configure(bool plain, size_t limit) {
  for (Buffer& b : buffers_) {
    b.SetPlain(plain);
    b.SetLimit(limit);
  }
}

}  // namespace fw
