// Code pages on POSIX: glibc's iconv, one character at a time (the shared rules in
// codepage.cpp decide what counts as valid), with a converter kept per page and direction.
#include <iconv.h>

#include <cstring>
#include <map>
#include <utility>

#include "platform/codepage.h"

namespace fw {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

class IconvCodePages : public CodePages {
 public:
  ~IconvCodePages() override {
    for (auto& [key, cd] : converters_) {
      if (cd != kNoConverter) iconv_close(cd);
    }
  }

 protected:
  std::u32string DecodeCharacter(int codePage, std::string_view bytes) override {
    char out[64];
    const size_t made = Convert(Converter(codePage, true), bytes, out, sizeof out);
    std::u32string read;
    if (made == kFailed) return read;
    for (size_t i = 0; i + 4 <= made; i += 4) {
      char32_t c;
      std::memcpy(&c, out + i, 4);  // UTF-32LE on a little-endian host
      read += c;
    }
    return read;
  }

  std::optional<std::string> EncodeCharacter(int codePage, char32_t c) override {
    char in[4];
    std::memcpy(in, &c, 4);
    char out[16];
    const size_t made = Convert(Converter(codePage, false), {in, 4}, out, sizeof out);
    if (made == kFailed) return std::nullopt;
    return std::string(out, made);
  }

  bool PlatformHas(int codePage) override {
    return Converter(codePage, true) != kNoConverter && Converter(codePage, false) != kNoConverter;
  }

 private:
  static constexpr size_t kFailed = static_cast<size_t>(-1);

  iconv_t Converter(int codePage, bool decoding) {
    auto [entry, added] = converters_.try_emplace({codePage, decoding}, kNoConverter);
    if (added) {
      const std::string name = "CP" + std::to_string(codePage);
      entry->second =
          decoding ? iconv_open("UTF-32LE", name.c_str()) : iconv_open(name.c_str(), "UTF-32LE");
    }
    return entry->second;
  }

  // Converts all of `in` from the initial state and flushes what a stateful page (1255, 1258)
  // holds back; the bytes made, or kFailed.
  static size_t Convert(iconv_t cd, std::string_view in, char* out, size_t room) {
    if (cd == kNoConverter) return kFailed;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = room;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == kFailed || inLeft != 0) return kFailed;
    if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == kFailed) return kFailed;
    return static_cast<size_t>(outPtr - out);
  }

  std::map<std::pair<int, bool>, iconv_t> converters_;
};

}  // namespace

std::unique_ptr<CodePages> MakePlatformCodePages() {
  return std::make_unique<IconvCodePages>();
}

}  // namespace fw
