// The templates of one set, each file read at most once in a run.
#pragma once

#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "engine/diagnostics.h"
#include "engine/template_file.h"
#include "platform/files.h"

namespace fw {

class TemplateSet {
 public:
  // `folder` is the set's folder (root + separator + set name); what the user should hear
  // (a class without a template) goes to `diagnostics`.
  TemplateSet(FileSystem& files, std::string folder, Diagnostics& diagnostics);
  TemplateSet(const TemplateSet&) = delete;
  TemplateSet& operator=(const TemplateSet&) = delete;

  // The dialog template, "dialogex.tpl"; without one, a template with no sections.
  const ParsedTemplate& Dialog();
  // The template of a control class (found ignoring case); with no file, one with no
  // sections, and null for a class name that would leave the set's folder. Each class that
  // finds nothing is reported once.
  const ParsedTemplate* ForClass(const std::string& className);

 private:
  const ParsedTemplate& Cached(const std::string& path, TemplateKind kind);

  FileSystem& files_;
  std::string folder_;
  Diagnostics& diagnostics_;
  // By kind and path, so each file is read once.
  std::map<std::string, ParsedTemplate> byPath_;
  // By class name as written, so a control finds its template without making its path.
  std::unordered_map<std::string, const ParsedTemplate*> byClass_;
  std::set<std::string> reported_;
};

}  // namespace fw
