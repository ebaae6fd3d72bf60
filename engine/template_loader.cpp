#include "engine/template_loader.h"

#include <array>

#include "engine/substitute.h"
#include "textutil/text.h"

namespace fw {

namespace {

enum Tag {
  kOption,
  kInclude,
  kConstant,
  kGlobal,
  kInitial,
  kSample,
  kEvent,
  kDlgProc,
  kDim,
  kWmInitDialog,
  kWmCommand,
  kWmClose,
  kWmNotify,
  kWmTimer,
  kWmDestroy,
  kStyle,
  kExStyle,
  kTagCount
};

struct TagInfo {
  std::string_view header;
  std::string_view prefix;
  bool control;  // accepted in a control template
  bool dialog;   // accepted in the dialog template
};

constexpr std::array<TagInfo, kTagCount> kTags = {{
    {"[OPTION]", "", true, true},
    {"[INCLUDE]", "", true, true},
    {"[CONSTANT]", "", false, true},
    {"[GLOBAL]", "", true, true},
    {"[INITIAL]", "", true, false},
    {"[SAMPLE]", "", true, false},
    {"[EVENT]", "", true, true},
    {"[DLGPROC]", "", false, true},
    {"[DIM]", "\t", true, false},
    {"[WM_INITDIALOG]", "\t", true, false},
    {"[WM_COMMAND]", "\t\t\t", true, false},
    {"[WM_CLOSE]", "\t\t\t", true, false},
    {"[WM_NOTIFY]", "\t\t\t", true, false},
    {"[WM_TIMER]", "\t\t\t", true, false},
    {"[WM_DESTROY]", "\t\t\t", true, false},
    {"[STYLE]", "", true, true},
    {"[EXSTYLE]", "", true, true},
}};

int AcceptedTag(const std::string& line, TemplateKind kind) {
  for (int i = 0; i < kTagCount; ++i) {
    bool accepted = kind == TemplateKind::kControl ? kTags[i].control : kTags[i].dialog;
    if (accepted && line == kTags[i].header) return i;
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

Buffer* TargetBuffer(GenerationState& s, int tag) {
  switch (tag) {
    case kOption:
      return &s.OptionText;
    case kInclude:
      return &s.IncludeText;
    case kConstant:
      return &s.ConstantText;
    case kGlobal:
      return &s.GlobalText;
    case kInitial:
      return &s.InitialText;
    case kSample:
      return &s.SampleText;
    case kEvent:
      return &s.EventText;
    case kDlgProc:
      return &s.DlgProcText;
    case kDim:
      return &s.DimText;
    case kWmInitDialog:
      return &s.WmInitDialogText;
    case kWmCommand:
      return &s.WmCommandText;
    case kWmClose:
      return &s.WmCloseText;
    case kWmNotify:
      return &s.WmNotifyText;
    case kWmTimer:
      return &s.WmTimerText;
    case kWmDestroy:
      return &s.WmDestroyText;
    default:
      return nullptr;
  }
}

std::string* StyleMap(GenerationState& s, int tag, TemplateKind kind) {
  bool control = kind == TemplateKind::kControl;
  if (tag == kStyle) return control ? &s.CtlStyleMap : &s.DlgStyleMap;
  if (tag == kExStyle) return control ? &s.CtlExStyleMap : &s.DlgExStyleMap;
  return nullptr;
}

// The parsed template at `path`, read at most once per run.
const ParsedTemplate& CachedTemplate(GenerationState& state, Platform& platform,
                                     const std::string& path, TemplateKind kind) {
  std::string key = (kind == TemplateKind::kControl ? "c:" : "d:") + path;
  auto it = state.templateCache.find(key);
  if (it != state.templateCache.end()) return it->second;
  bool opened = false;
  std::unique_ptr<LineReader> file = platform.files.OpenLines(path, &opened);
  ParsedTemplate parsed = ParseTemplateFile(*file, kind);
  parsed.found = opened;
  return state.templateCache.emplace(key, std::move(parsed)).first->second;
}

// A dialog template's sections but "[DLGPROC]", which is left for AppendDialogProcedure:
// nothing reads DlgProcText before the dialog's end.
void AppendDialogSections(GenerationState& state, const ParsedTemplate& parsed) {
  for (const TemplateSection& section : parsed.sections) {
    if (section.tag == kDlgProc) continue;
    if (std::string* map = StyleMap(state, section.tag, TemplateKind::kDialog)) {
      map->append(section.body);
    } else {
      TargetBuffer(state, section.tag)->Append(section.body);
    }
  }
}

// The buffers a control's values go into, in the order they take them.
constexpr std::array<int, 13> kControlTargets = {
    kOption,       kInclude,   kGlobal,  kInitial,  kSample,  kEvent,    kDim,
    kWmInitDialog, kWmCommand, kWmClose, kWmNotify, kWmTimer, kWmDestroy};

// A control's sections, then its values in the thirteen buffers. The values depend on the
// style maps alone, so each buffer can take its section and its values together: with one
// section, in one pass (Buffer::AppendSubstituted).
void AppendControlSections(GenerationState& state, const ParsedTemplate* parsed) {
  std::array<int, kTagCount> count = {};
  std::array<const TemplateSection*, kTagCount> only = {};
  if (parsed != nullptr) {
    for (const TemplateSection& section : parsed->sections) {
      if (std::string* map = StyleMap(state, section.tag, TemplateKind::kControl)) {
        map->append(section.body);
      } else {
        ++count[section.tag];
        only[section.tag] = &section;
      }
    }
  }
  ControlValues values = MakeControlValues(state);
  std::string_view views[std::size(values.values)];
  for (size_t i = 0; i < std::size(values.values); ++i) views[i] = values.values[i];
  static const SetTraits traits = TraitsOf(ControlPlaceholders());
  ValueRisks risks = RisksOf(ControlPlaceholders(), traits, views);
  for (int tag : kControlTargets) {
    Buffer& buffer = *TargetBuffer(state, tag);
    if (count[tag] == 1) {
      buffer.AppendSubstituted(only[tag]->body, ControlPlaceholders(), views, &only[tag]->map,
                               &risks);
      continue;
    }
    if (count[tag] > 1) {
      for (const TemplateSection& section : parsed->sections) {
        if (section.tag == tag) buffer.Append(section.body);
      }
    }
    buffer.Substitute(ControlPlaceholders(), views);
  }
}

// A class name that would leave the set's folder finds no template.
bool IsSafeClassName(const std::string& name) {
  return name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos;
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
    ReadTemplateSection(file, std::string(kTags[tag].prefix), line, body);
    if (!parsed.sections.empty() && parsed.sections.back().tag == tag) {
      parsed.sections.back().body.append(body);
    } else if (!body.empty()) {
      parsed.sections.push_back({tag, std::move(body), {}});
    }
  }
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

void LoadControlTemplate(GenerationState& state, Platform& platform) {
  const std::string& cls = state.CurrentControl.className;
  const ParsedTemplate* parsed = nullptr;
  auto known = state.classTemplates.find(cls);
  if (known != state.classTemplates.end()) {
    parsed = known->second;
  } else if (IsSafeClassName(cls)) {
    std::string path = state.TemplateDir + platform.files.Separator() + cls + ".tpl";
    parsed = &CachedTemplate(state, platform, path, TemplateKind::kControl);
    state.classTemplates.emplace(cls, parsed);
    if (!parsed->found && state.missingClasses.insert(LowerAscii(cls)).second) {
      state.diagnostics.Warn(path, "no template for control class \"" + cls + "\"");
    }
  } else if (state.missingClasses.insert(cls).second) {
    state.diagnostics.Warn("", "control class \"" + cls + "\" cannot name a template file");
  }
  AppendControlSections(state, parsed);
}

void LoadDialogTemplate(GenerationState& state, Platform& platform) {
  std::string path = state.TemplateDir + platform.files.Separator() + "dialogex.tpl";
  state.DialogTemplate = &CachedTemplate(state, platform, path, TemplateKind::kDialog);
  AppendDialogSections(state, *state.DialogTemplate);
}

void AppendDialogProcedure(GenerationState& state, const std::string_view* values) {
  Buffer& buffer = state.DlgProcText;
  const TemplateSection* only = nullptr;
  size_t count = 0;
  if (state.DialogTemplate != nullptr) {
    for (const TemplateSection& section : state.DialogTemplate->sections) {
      if (section.tag != kDlgProc) continue;
      only = &section;
      ++count;
    }
  }
  if (count == 1) {
    buffer.AppendSubstituted(only->body, DlgProcPlaceholders(), values, &only->map);
    return;
  }
  if (count > 1) {
    for (const TemplateSection& section : state.DialogTemplate->sections) {
      if (section.tag == kDlgProc) buffer.Append(section.body);
    }
  }
  buffer.Substitute(DlgProcPlaceholders(), values);
}

}  // namespace fw
