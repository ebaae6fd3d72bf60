// The window dump: with WXC_DUMP naming a file, the library writes, once the window is up, what
// wxWidgets holds for each window (kind, id, label, geometry) and each list view (mode, columns,
// rows and cells, with their places on the screen), so that a test can check the window as
// built and find where to click.
#ifndef WXC_DUMP_H_
#define WXC_DUMP_H_

#include <string>

namespace wxc {

// The dump of every top-level window and its children, one fact per line.
std::string DescribeWindows();

// Writes DescribeWindows() to `path` whole: to a temporary file, then renamed over it.
void WriteDump(const char* path);

}  // namespace wxc

#endif  // WXC_DUMP_H_
