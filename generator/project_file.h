// The project file (".fbp"): its file list is rewritten, what lies around it is kept.
#pragma once

#include <cstdint>
#include <string>

#include "output/output_writer.h"
#include "platform/files.h"

namespace fw {

struct ProjectFile {
  std::string head;       // up to "[File]"
  std::string infoTail;   // after "[FileInfo]"
  std::string fileList;   // "N=name" lines, CR LF ended
  int32_t fileCount = 0;  // the number of the last entry
  // False when a previous project file exists but cannot be read: rewriting it would lose
  // what lies around its file list.
  bool readable = true;
};

// Reads the previous project file `path` and starts the file list with the main source and
// the script of project `projectName`.
ProjectFile ReadProjectFile(FileSystem& files, const std::string& path,
                            const std::string& projectName);

// Adds `fileName` to the list.
void AddProjectEntry(ProjectFile& project, const std::string& fileName);

// Writes the project file with the new file list.
void WriteProjectFile(const ProjectFile& project, const std::string& path, OutputWriter& output);

}  // namespace fw
