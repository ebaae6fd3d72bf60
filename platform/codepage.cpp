#include "platform/codepage.h"

#include <array>

#include "platform/codepage_catalog.h"
#include "textutil/utf8.h"

namespace fw {
namespace {

constexpr char32_t kUnknown = 0xFFFFFFFF;  // not asked of the platform yet
constexpr char32_t kInvalid = 0;

using Row = std::array<char32_t, 256>;

Row UnknownRow() {
  Row row;
  row.fill(kUnknown);
  return row;
}

DecodedBytes DecodeUtf8(std::string_view bytes) {
  DecodedBytes out;
  out.utf8 = KeepInvalidUtf8(bytes, &out.invalid);
  return out;
}

// UTF-8 written as is, kept bytes written back as the bytes they were.
EncodedText EncodeUtf8(std::string_view utf8) {
  EncodedText out;
  out.bytes.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const Utf8Step step = ReadUtf8(utf8, pos);
    if (step.valid && IsKeptByte(step.c)) {
      out.bytes += static_cast<char>(KeptByteValue(step.c));
    } else {
      out.bytes.append(utf8.substr(pos, step.length));
    }
    pos += step.length;
  }
  return out;
}

// The one code point the platform read, when the shared rules accept it.
char32_t Accepted(const std::u32string& read) {
  if (read.size() != 1) return kInvalid;
  const char32_t c = read[0];
  if ((c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF)) return kInvalid;
  return c;
}

// The catalog's override for these bytes, or kUnknown.
char32_t Overridden(int codePage, std::string_view bytes) {
  for (const CodePageOverride& o : CodePageOverrides()) {
    if (o.codePage == codePage && o.bytes == bytes) return o.c;
  }
  return kUnknown;
}

}  // namespace

// What has been learnt of one code page: characters read, and bytes written ("" = none).
struct CodePages::Table {
  int codePage = 0;
  Row single = UnknownRow();
  std::map<unsigned char, Row> rows;  // by lead byte, filled when the lead is first met
  std::unordered_map<char32_t, std::string> written;
};

CodePages::CodePages() = default;
CodePages::~CodePages() = default;

bool CodePages::Supports(int codePage) {
  auto found = supported_.find(codePage);
  if (found != supported_.end()) return found->second;
  const bool yes =
      InCodePageCatalog(codePage) && (codePage == kUtf8CodePage || PlatformHas(codePage));
  supported_[codePage] = yes;
  return yes;
}

CodePages::Table& CodePages::TableOf(int codePage) {
  auto& table = tables_[codePage];
  if (!table) {
    table = std::make_unique<Table>();
    table->codePage = codePage;
    for (const CodePageOverride& o : CodePageOverrides()) {
      if (o.codePage == codePage) table->written[o.c] = std::string(o.bytes);
    }
  }
  return *table;
}

char32_t CodePages::Single(Table& table, unsigned char b) {
  char32_t& c = table.single[b];
  if (c == kUnknown) {
    const std::string bytes(1, static_cast<char>(b));
    c = Overridden(table.codePage, bytes);
    if (c == kUnknown) {
      c = IsLeadByte(table.codePage, b) ? kInvalid
                                        : Accepted(DecodeCharacter(table.codePage, bytes));
    }
  }
  return c;
}

char32_t CodePages::Pair(Table& table, unsigned char lead, unsigned char trail) {
  auto [row, added] = table.rows.try_emplace(lead);
  if (added) row->second = UnknownRow();
  char32_t& c = row->second[trail];
  if (c == kUnknown) {
    const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
    c = Overridden(table.codePage, bytes);
    if (c == kUnknown) c = trail == 0 ? kInvalid : Accepted(DecodeCharacter(table.codePage, bytes));
  }
  return c;
}

DecodedBytes CodePages::Decode(int codePage, std::string_view bytes) {
  if (codePage == kUtf8CodePage) return DecodeUtf8(bytes);
  Table& table = TableOf(codePage);
  DecodedBytes out;
  out.utf8.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out.utf8 += static_cast<char>(b);
      continue;
    }
    char32_t c = kInvalid;
    if (IsLeadByte(codePage, b)) {
      if (i + 1 < bytes.size()) c = Pair(table, b, static_cast<unsigned char>(bytes[i + 1]));
      if (c != kInvalid) ++i;  // an invalid pair keeps the lead; the next byte is read anew
    } else {
      c = Single(table, b);
    }
    if (c == kInvalid) {
      AppendKeptByte(out.utf8, b);
      out.invalid.push_back(i);
    } else {
      AppendUtf8(out.utf8, c);
    }
  }
  return out;
}

// The bytes of `c` in the table's page, "" when it has none that read back as `c`.
const std::string& CodePages::BytesOf(Table& table, char32_t c) {
  auto [entry, added] = table.written.try_emplace(c);
  if (!added) return entry->second;
  std::optional<std::string> bytes = EncodeCharacter(table.codePage, c);
  if (!bytes) return entry->second;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>((*bytes)[i]); };
  char32_t back = kInvalid;
  if (bytes->size() == 1 && byte(0) >= 0x80) back = Single(table, byte(0));
  if (bytes->size() == 2 && IsLeadByte(table.codePage, byte(0))) {
    back = Pair(table, byte(0), byte(1));
  }
  if (back == c) entry->second = std::move(*bytes);
  return entry->second;
}

EncodedText CodePages::Encode(int codePage, std::string_view utf8) {
  if (codePage == kUtf8CodePage) return EncodeUtf8(utf8);
  Table& table = TableOf(codePage);
  EncodedText out;
  out.bytes.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const Utf8Step step = ReadUtf8(utf8, pos);
    if (!step.valid || step.c < 0x80) {
      out.bytes += utf8[pos];  // ASCII, or a stray byte passed through as it came
    } else if (IsKeptByte(step.c)) {
      out.bytes += static_cast<char>(KeptByteValue(step.c));
    } else if (const std::string& bytes = BytesOf(table, step.c); !bytes.empty()) {
      out.bytes += bytes;
    } else {
      out.bytes += '?';
      out.unfit.push_back(pos);
    }
    pos += step.length;
  }
  return out;
}

}  // namespace fw
