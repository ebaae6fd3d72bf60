// Template files: reading one file into the sections that its kind accepts.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/sections.h"
#include "engine/sweep.h"
#include "platform/line_reader.h"

namespace fw {

enum class TemplateKind { kControl, kDialog };

// One section of a template file as read once in a run: its tag and its body, already
// prefixed, in file order.
struct TemplateSection {
  Section tag;
  std::string body;
  // The placeholders of the set the section's values come from: the control set in control
  // templates, the procedure set in a dialog template's "[DLGPROC]".
  SweepMap map;
};
struct ParsedTemplate {
  // Where a tag's sections are, for the lookup made per control and tag.
  static constexpr int kNone = -1;
  static constexpr int kSeveral = -2;

  bool found = false;
  std::vector<TemplateSection> sections;
  // For each tag: the index of its one section, or kNone, or kSeveral.
  std::array<int, kSectionCount> sectionOf;
  // The bodies of its "[STYLE]" and "[EXSTYLE]" sections, each joined in file order.
  StyleMaps maps;

  ParsedTemplate() { sectionOf.fill(kNone); }
};

// Reads one section body from `file`, appending each kept line (spaces runs shortened to one,
// blank lines dropped) behind `prefix` to `target`. Returns with the line that ended the
// section in `line`.
void ReadTemplateSection(LineReader& file, const std::string& prefix, std::string& line,
                         std::string& target);

// Reads a whole template file into its sections, keeping those the kind accepts.
ParsedTemplate ParseTemplateFile(LineReader& file, TemplateKind kind);

}  // namespace fw
