#include "generator/project_file.h"

#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

ProjectFile ReadProjectFile(FileSystem& files, const std::string& path,
                            const std::string& projectName) {
  ProjectFile project;
  std::optional<std::string> read = files.ReadWhole(path);
  project.readable = read.has_value() || !files.IsFile(path);
  std::string previous = read.value_or("");
  project.head = FieldAt(previous, "[File]", 1);
  project.infoTail = FieldAt(previous, "[FileInfo]", 2);
  project.fileList = "1=" + projectName + ".bas\r\n2=" + projectName + ".rc\r\n";
  project.fileCount = 2;
  return project;
}

void AddProjectEntry(ProjectFile& project, const std::string& fileName) {
  project.fileCount = static_cast<int32_t>(static_cast<uint32_t>(project.fileCount) + 1);
  project.fileList += IntegerToText(project.fileCount) + "=" + fileName + "\r\n";
}

void WriteProjectFile(const ProjectFile& project, const std::string& path, OutputWriter& output) {
  if (!project.readable) {
    output.NotWritten(path, "not overwritten: its old content cannot be read");
    return;
  }
  output.WriteWhole(
      path, project.head + "[File]\r\n" + project.fileList + "[FileInfo]" + project.infoTail);
}

}  // namespace fw
