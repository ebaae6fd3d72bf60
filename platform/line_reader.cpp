#include "platform/line_reader.h"

#include <algorithm>
#include <cstring>

namespace fw {

bool BufferedLineReader::Refill() {
  if (exhausted_) return false;
  size_t n = Fill(buffer_.data(), buffer_.size());
  begin_ = 0;
  end_ = n;
  if (n == 0) exhausted_ = true;
  return n > 0;
}

bool BufferedLineReader::AtEnd() {
  return begin_ == end_ && !Refill();
}

void BufferedLineReader::ReadLine(std::string& line) {
  line.clear();
  while (begin_ < end_ || Refill()) {
    const char* start = buffer_.data() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    if (lf != nullptr) {
      size_t length = static_cast<const char*>(lf) - start;
      line.append(start, length);
      begin_ += length + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return;
    }
    line.append(start, end_ - begin_);
    begin_ = end_;
  }
  // The last line, without a line feed: a trailing CR stays, as it ends no line.
}

size_t StringLineReader::Fill(char* data, size_t size) {
  size_t n = std::min(size, data_.size() - position_);
  std::memcpy(data, data_.data() + position_, n);
  position_ += n;
  return n;
}

std::string NormalisePath(const std::string& path, char sep) {
  auto isSep = [&](char c) { return c == sep || (sep == '\\' && c == '/'); };
  std::string root;
  size_t pos = 0;
  if (sep == '\\' && path.size() >= 2 && path[1] == ':') {
    root = path.substr(0, 2);
    pos = 2;
  }
  if (pos < path.size() && isSep(path[pos])) {
    root += sep;
    ++pos;
  }
  std::vector<std::string> parts;
  while (pos <= path.size()) {
    size_t end = pos;
    while (end < path.size() && !isSep(path[end])) ++end;
    std::string part = path.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..") {
        parts.pop_back();
      } else if (root.empty()) {
        parts.push_back(part);
      }
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::string result = root;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) result += sep;
    result += parts[i];
  }
  return result;
}

}  // namespace fw
