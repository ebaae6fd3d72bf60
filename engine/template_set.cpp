#include "engine/template_set.h"

#include "textutil/text.h"

namespace fw {

namespace {

// A class name that would leave the set's folder finds no template.
bool IsSafeClassName(const std::string& name) {
  return name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\\') == std::string::npos;
}

}  // namespace

TemplateSet::TemplateSet(FileSystem& files, std::string folder, Diagnostics& diagnostics)
    : files_(files), folder_(std::move(folder)), diagnostics_(diagnostics) {}

const ParsedTemplate& TemplateSet::Cached(const std::string& path, TemplateKind kind) {
  std::string key = (kind == TemplateKind::kControl ? "c:" : "d:") + path;
  auto it = byPath_.find(key);
  if (it != byPath_.end()) return it->second;
  bool opened = false;
  std::unique_ptr<LineReader> file = files_.OpenLines(path, &opened);
  ParsedTemplate parsed = ParseTemplateFile(*file, kind);
  parsed.found = opened;
  return byPath_.emplace(key, std::move(parsed)).first->second;
}

const ParsedTemplate& TemplateSet::Dialog() {
  return Cached(folder_ + files_.Separator() + "dialogex.tpl", TemplateKind::kDialog);
}

const ParsedTemplate* TemplateSet::ForClass(const std::string& className) {
  auto known = byClass_.find(className);
  if (known != byClass_.end()) return known->second;
  if (!IsSafeClassName(className)) {
    if (reported_.insert(className).second) {
      diagnostics_.Warn("", "control class \"" + className + "\" cannot name a template file");
    }
    return nullptr;
  }
  std::string path = folder_ + files_.Separator() + className + ".tpl";
  const ParsedTemplate* parsed = &Cached(path, TemplateKind::kControl);
  byClass_.emplace(className, parsed);
  if (!parsed->found && reported_.insert(LowerAscii(className)).second) {
    diagnostics_.Warn(path, "no template for control class \"" + className + "\"");
  }
  return parsed;
}

}  // namespace fw
