#include "engine/template_file.h"

#include "engine/substitute.h"
#include "textutil/text.h"

namespace fw {

namespace {

// The tag whose header `line` is, when templates of `kind` accept it; -1 otherwise.
int AcceptedTag(const std::string& line, TemplateKind kind) {
  TagUse other = kind == TemplateKind::kControl ? TagUse::kDialog : TagUse::kControl;
  for (int i = 0; i < kSectionCount; ++i) {
    const SectionInfo& info = InfoOf(static_cast<Section>(i));
    if (info.use != other && line == info.header) return i;
  }
  return -1;
}

// Every run of two or more spaces shortened to one space.
void ShortenSpaceRuns(std::string& line) {
  if (line.find("  ") == std::string::npos) return;
  size_t out = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ' && out > 0 && line[out - 1] == ' ') continue;
    line[out++] = line[i];
  }
  line.resize(out);
}

}  // namespace

void ReadTemplateSection(LineReader& file, const std::string& prefix, std::string& line,
                         std::string& target) {
  std::string accumulator;
  for (;;) {
    file.ReadLine(line);
    ShortenSpaceRuns(line);
    if (!line.empty() && line[0] == '[') break;
    if (!Trim(line).empty()) {
      accumulator.append(prefix);
      accumulator.append(line);
      accumulator.append("\r\n");
    }
    if (file.AtEnd()) break;
  }
  target.append(accumulator);
}

namespace {

void IndexSections(ParsedTemplate& parsed) {
  for (size_t i = 0; i < parsed.sections.size(); ++i) {
    const TemplateSection& section = parsed.sections[i];
    int& of = parsed.sectionOf[section.tag];
    of = of == ParsedTemplate::kNone ? static_cast<int>(i) : ParsedTemplate::kSeveral;
    if (section.tag == kStyle) parsed.maps.style.append(section.body);
    if (section.tag == kExStyle) parsed.maps.exStyle.append(section.body);
  }
}

}  // namespace

ParsedTemplate ParseTemplateFile(LineReader& file, TemplateKind kind) {
  ParsedTemplate parsed;
  std::string line;
  file.ReadLine(line);
  while (!file.AtEnd()) {
    int tag = AcceptedTag(line, kind);
    if (tag < 0) {
      // Not a header this kind accepts: skip that one line and look at the next.
      file.ReadLine(line);
      continue;
    }
    std::string body;
    ReadTemplateSection(file, std::string(InfoOf(static_cast<Section>(tag)).prefix), line, body);
    if (!parsed.sections.empty() && parsed.sections.back().tag == tag) {
      parsed.sections.back().body.append(body);
    } else if (!body.empty()) {
      parsed.sections.push_back({static_cast<Section>(tag), std::move(body), {}});
    }
  }
  IndexSections(parsed);
  bool control = kind == TemplateKind::kControl;
  PlaceholderSet set = control ? ControlPlaceholders() : DlgProcPlaceholders();
  SetTraits traits = TraitsOf(set);
  for (TemplateSection& section : parsed.sections) {
    if (control || section.tag == kDlgProc) {
      section.map = MapPlaceholders(section.body, set, traits);
    }
  }
  return parsed;
}

}  // namespace fw
