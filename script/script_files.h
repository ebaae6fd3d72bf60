// The files a script includes, found and read through the platform's file layer and decoded
// as the resource compiler reads them (their own byte order mark and code page pragmas).
#pragma once

#include <string>

#include "platform/codepage.h"
#include "platform/files.h"
#include "script/pp_files.h"

namespace fw {

class ScriptFiles : public PpFiles {
 public:
  // `codePage`: the code page in effect where a file is included (the script's own at its
  // end); `defaultCodePage`: the run's, which "#pragma code_page(DEFAULT)" goes back to.
  ScriptFiles(FileSystem& files, CodePages& pages, int codePage, int defaultCodePage);

  std::optional<std::string> Find(const std::string& folder, const std::string& name) override;
  std::optional<std::string> Read(const std::string& path) override;

 private:
  FileSystem& files_;
  CodePages& pages_;
  int codePage_;
  int defaultCodePage_;
};

}  // namespace fw
