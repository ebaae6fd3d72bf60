#include "platform/freetype_face.h"

#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <algorithm>
#include <limits>

#include "textutil/number.h"

namespace fw {
namespace {

// Characters 0x80-0x9F of Windows-1252; the other bytes are the Unicode code points themselves.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_ULong Cp1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

TT_OS2* Os2Table(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 && os2->version != 0xFFFF ? os2 : nullptr;
}

struct VerticalUnits {
  int64_t ascent;
  int64_t descent;
};

// The font's cell in design units: the Windows ascent and descent, else the horizontal header's.
VerticalUnits Vertical(FT_Face face) {
  if (TT_OS2* os2 = Os2Table(face); os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    return {os2->usWinAscent, os2->usWinDescent};
  }
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (hhea && hhea->Ascender - hhea->Descender > 0) return {hhea->Ascender, -hhea->Descender};
  if (face->ascender - face->descender > 0) return {face->ascender, -face->descender};
  return {face->units_per_EM, 0};
}

// Design units to whole pixels, rounded once from the exact value (halves up).
int64_t RoundedPixels(int64_t units, int64_t ppem, int64_t unitsPerEm) {
  return (2 * units * ppem + unitsPerEm) / (2 * unitsPerEm);
}

uint32_t CodePages(FT_Face face) {
  TT_OS2* os2 = Os2Table(face);
  return os2 && os2->version >= 1 ? os2->ulCodePageRange1 : 0;
}

constexpr uint32_t kLatin1CodePage = 1;
constexpr uint32_t kSymbolCodePage = 0x80000000;

// A face serves Western text when it says so, says nothing, or maps Unicode; a symbol font
// without a Unicode map does not.
bool CoversLatin1(FT_Face face, bool unicode) {
  const uint32_t pages = CodePages(face);
  return unicode || pages == 0 || (pages & kLatin1CodePage) != 0;
}

}  // namespace

std::unique_ptr<FreeTypeFace> FreeTypeFace::Open(FT_Library library, const std::string& path,
                                                 long index) {
  FT_Face face = nullptr;
  if (!library || FT_New_Face(library, path.c_str(), index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes <= 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  return std::unique_ptr<FreeTypeFace>(new FreeTypeFace(face));
}

// Bytes are looked up as Windows-1252 in a Unicode map, else as they are in the face's first map
// (a bitmap font's own, which FreeType leaves unselected).
FreeTypeFace::FreeTypeFace(FT_Face face) : face_(face) {
  if (FT_Select_Charmap(face_, FT_ENCODING_UNICODE) == 0) {
    unicode_ = true;
  } else if (face_->num_charmaps > 0) {
    FT_Set_Charmap(face_, face_->charmaps[0]);
  }
  // Text for a symbol font is read in the symbol code page, which puts byte b at U+F000 + b.
  const uint32_t pages = CodePages(face_);
  symbol_ = (pages & kSymbolCodePage) != 0 && (pages & kLatin1CodePage) == 0;
}

FreeTypeFace::~FreeTypeFace() {
  FT_Done_Face(face_);
}

// Outline faces and the strikes of Windows bitmap fonts count; bitmap-only TrueType files do
// not, as GDI under Wine leaves them unused.
std::vector<FaceCandidate> FreeTypeFace::Candidates() const {
  FaceCandidate c;
  if (FT_IS_SCALABLE(face_)) {
    TT_OS2* os2 = Os2Table(face_);
    c.scalable = true;
    if (os2) {
      c.weight = os2->usWeightClass;
      c.widthClass = os2->usWidthClass;
    } else if (face_->style_flags & FT_STYLE_FLAG_BOLD) {
      c.weight = 700;
    }
    c.italic = (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    c.latin1 = CoversLatin1(face_, unicode_);
    return {c};
  }
  FT_WinFNT_HeaderRec fnt;
  if (FT_Get_WinFNT_Header(face_, &fnt) != 0) return {};
  c.weight = fnt.weight;
  c.italic = fnt.italic != 0;
  c.latin1 = fnt.charset == 0;
  c.height = fnt.pixel_height;
  c.internalLeading = fnt.internal_leading;
  return {c};
}

FaceSize FreeTypeFace::SizeFor(int32_t strike, int32_t scale, int32_t height) const {
  if (strike >= 0) return FaceSize{strike, std::max(scale, 1), 0};
  height = ClampHeight(height);
  if (height < 0) return FaceSize{-1, 1, -height};
  // A positive height is the whole cell; zero asks for the default cell of 16 pixels.
  const int32_t cell = height == 0 ? 16 : height;
  const int32_t ppem = MulDiv(face_->units_per_EM, cell, static_cast<int32_t>(CellUnits()));
  return FaceSize{-1, 1, std::clamp(ppem, 1, kMaxPixelHeight)};
}

int64_t FreeTypeFace::CellUnits() const {
  const VerticalUnits v = Vertical(face_);
  return v.ascent + v.descent;
}

bool FreeTypeFace::Apply(const FaceSize& size) {
  if (size.strike >= 0) {
    return size.strike < face_->num_fixed_sizes && FT_Select_Size(face_, size.strike) == 0;
  }
  return size.ppem > 0 && FT_Set_Pixel_Sizes(face_, 0, size.ppem) == 0;
}

// The strike's height, or the Windows ascent and descent, each rounded to whole pixels.
int32_t FreeTypeFace::CellHeight(const FaceSize& size) const {
  if (size.strike >= 0) return face_->available_sizes[size.strike].height;
  const VerticalUnits v = Vertical(face_);
  const int64_t em = std::max<int64_t>(face_->units_per_EM, 1);
  return Clamp32(RoundedPixels(v.ascent, size.ppem, em) + RoundedPixels(v.descent, size.ppem, em));
}

FT_UInt FreeTypeFace::GlyphFor(unsigned char byte) const {
  if (!unicode_) return FT_Get_Char_Index(face_, byte);
  return FT_Get_Char_Index(face_, symbol_ ? 0xF000 | byte : Cp1252ToUnicode(byte));
}

TextExtent FreeTypeFace::Measure(const FaceSize& size, std::string_view text) {
  if (!Apply(size)) return {};
  // Outline faces are measured from their hinted outlines, never from embedded strikes.
  const FT_Int32 flags = size.strike >= 0 ? FT_LOAD_DEFAULT : FT_LOAD_NO_BITMAP;
  int64_t width = 0;
  for (char c : text) {
    if (FT_Load_Glyph(face_, GlyphFor(static_cast<unsigned char>(c)), flags) == 0) {
      width += (face_->glyph->advance.x + 32) >> 6;
    }
  }
  const int64_t scale = std::max(size.scale, 1);
  return TextExtent{Clamp32(width * scale), Clamp32(int64_t{CellHeight(size)} * scale)};
}

}  // namespace fw
