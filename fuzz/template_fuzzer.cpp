// Fuzzes the line reader and the template section reader. The first byte picks the template
// kind and the size of the reads under the line reader; the rest is the template file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/template_file.h"
#include "platform/line_reader.h"

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

// A reader that gets its bytes a few at a time, so lines cross the refills.
class ChunkedLineReader : public fw::BufferedLineReader {
 public:
  ChunkedLineReader(std::string data, size_t chunk) : data_(std::move(data)), chunk_(chunk) {}

 protected:
  size_t Fill(char* data, size_t size) override {
    size_t n = std::min({size, chunk_, data_.size() - position_});
    memcpy(data, data_.data() + position_, n);
    position_ += n;
    return n;
  }

 private:
  std::string data_;
  size_t chunk_;
  size_t position_ = 0;
};

// The lines as the file format defines them, split the plain way.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    if (lf == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    std::string line = text.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = lf + 1;
  }
  return lines;
}

void CheckLines(const std::string& text, size_t chunk) {
  ChunkedLineReader reader(text, chunk);
  std::vector<std::string> read;
  std::string line;
  while (!reader.AtEnd()) {
    reader.ReadLine(line);
    read.push_back(line);
  }
  Check(read == SplitLines(text));
}

// Every kept body line has its prefix, no run of two spaces, and ends in CR LF.
void CheckBody(const std::string& body, const std::string& prefix) {
  Check(!body.empty());
  size_t start = 0;
  while (start < body.size()) {
    size_t end = body.find("\r\n", start);
    Check(end != std::string::npos);
    std::string_view line(body.data() + start, end - start);
    Check(line.substr(0, prefix.size()) == prefix);
    line.remove_prefix(prefix.size());
    Check(line.find("  ") == std::string_view::npos);
    Check(!line.empty() && line.front() != '[');
    start = end + 2;
  }
}

// The prefix of each section tag, in the loader's tag order: [DIM] and [WM_INITDIALOG] get one
// tab, the other WM tags three, the rest none.
std::string PrefixOf(int tag) {
  if (tag == 8 || tag == 9) return "\t";
  if (tag >= 10 && tag <= 14) return "\t\t\t";
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  auto kind = (data[0] & 1) ? fw::TemplateKind::kDialog : fw::TemplateKind::kControl;
  size_t chunk = 1 + (data[0] >> 1);
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckLines(text, chunk);

  fw::StringLineReader whole(text);
  fw::ParsedTemplate parsed = fw::ParseTemplateFile(whole, kind);
  ChunkedLineReader pieces(text, chunk);
  fw::ParsedTemplate again = fw::ParseTemplateFile(pieces, kind);
  Check(parsed.sections.size() == again.sections.size());
  size_t total = 0;
  for (size_t i = 0; i < parsed.sections.size(); ++i) {
    const fw::TemplateSection& s = parsed.sections[i];
    Check(s.tag == again.sections[i].tag && s.body == again.sections[i].body);
    Check(i == 0 || parsed.sections[i - 1].tag != s.tag);  // neighbours of one tag are merged
    Check(s.tag >= 0 && s.tag < 17);
    CheckBody(s.body, PrefixOf(s.tag));
    total += s.body.size();
  }
  // Each input line gives at most one body line, with at most three tabs and CR LF added.
  Check(total <= text.size() + 5 * (SplitLines(text).size() + 1));
  return 0;
}
