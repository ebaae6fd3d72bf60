// Line splitting shared by the platform file layers: a reader over any source of bytes.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace fw {

class BufferedLineReader : public LineReader {
 public:
  bool AtEnd() override;
  void ReadLine(std::string& line) override;

 protected:
  // Reads up to `size` bytes into `data`; 0 at the end of the source or on an error.
  virtual size_t Fill(char* data, size_t size) = 0;

 private:
  bool Refill();

  std::vector<char> buffer_ = std::vector<char>(1 << 16);
  size_t begin_ = 0;
  size_t end_ = 0;
  bool exhausted_ = false;
};

// Lines of a text held in memory.
class StringLineReader : public BufferedLineReader {
 public:
  explicit StringLineReader(std::string data) : data_(std::move(data)) {}

 protected:
  size_t Fill(char* data, size_t size) override;

 private:
  std::string data_;
  size_t position_ = 0;
};

// Absolute path made lexically normal: "." and empty components dropped, ".." removes the
// component before it (never the root). `sep` is the separator; on Windows '/' counts too.
std::string NormalisePath(const std::string& path, char sep);

}  // namespace fw
