// Random resource scripts and template sets, made to provoke the cases where settling a buffer
// could go wrong (placeholders in texts and values, stray tildes, halves of placeholders that a
// value completes, flag names with placeholders, dialogs without controls) and the cases where
// readers of a script part (statements repeated, shuffled, indented with tabs or in lower case,
// texts with commas, quotes or keywords, styles as names or joined with "|", blanks in headers,
// LF-only or CR-only line ends, stray "END", "#define" and comment lines). Most template sets
// print every property of every dialog and control, so that what the reader made of them shows.
#pragma once

#include <map>
#include <random>
#include <string>

namespace fw {

// A project as files: paths relative to a root folder ("set.tpl", "set/Button.tpl",
// "work/dialogs.rc", ...) and their contents. The script is always "work/dialogs.rc" and the
// template set is "set"; a path ending in "/" is an empty folder. A given generator state gives
// the same project on every build and platform.
struct Project {
  std::map<std::string, std::string> files;
};

Project RandomProject(std::mt19937& rng);

}  // namespace fw
