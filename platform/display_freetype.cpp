#include "platform/display_freetype.h"

#include <algorithm>
#include <cstring>

#include "platform/face_library.h"

namespace fw {
namespace {

constexpr int32_t kPixelsPerInch = 96;

// What a new screen context holds before any font is selected: the bold "System" face of
// cell height 16, as on Windows.
LogFont StockLogFont() {
  LogFont font;
  font.lfHeight = 16;
  font.lfWeight = 700;
  std::strcpy(font.lfFaceName, "System");
  return font;
}

}  // namespace

struct FreeTypeDisplay::Font {
  FoundFace found;
  bool deleted = false;  // deleted while selected: it goes when no context holds it
};

struct FreeTypeDisplay::Context {
  Font* font = nullptr;
};

FreeTypeDisplay::FreeTypeDisplay(const FontSources& sources) : sources_(sources) {}

FaceLibrary& FreeTypeDisplay::Faces() {
  if (!faces_) faces_ = std::make_unique<FaceLibrary>(sources_);
  return *faces_;
}

FreeTypeDisplay::~FreeTypeDisplay() = default;

DeviceContext FreeTypeDisplay::GetScreenContext() {
  contexts_.push_back(std::make_unique<Context>(Context{StockFont()}));
  return contexts_.back().get();
}

void FreeTypeDisplay::ReleaseScreenContext(DeviceContext dc) {
  auto it = std::find_if(contexts_.begin(), contexts_.end(),
                         [&](const std::unique_ptr<Context>& c) { return c.get() == dc; });
  if (it == contexts_.end()) return;
  Font* font = (*it)->font;
  contexts_.erase(it);
  DropIfDeleted(font);
}

int32_t FreeTypeDisplay::LogPixelsY(DeviceContext) {
  return kPixelsPerInch;
}

FontHandle FreeTypeDisplay::CreateFontIndirect(const LogFont& font) {
  const std::string face(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName - 1));
  std::optional<FoundFace> found =
      Faces().Find(face, font.lfHeight, FontStyle{font.lfWeight, font.lfItalic != 0});
  if (!found) return nullptr;
  auto created = std::make_unique<Font>(Font{std::move(*found)});
  FontHandle handle = created.get();
  fonts_.emplace(handle, std::move(created));
  return handle;
}

// As SelectObject: an unknown context or font changes nothing and gives null.
FontHandle FreeTypeDisplay::SelectFont(DeviceContext dc, FontHandle font) {
  Context* context = FindContext(dc);
  Font* selected = FindFont(font);
  if (!context || !selected || selected->deleted) return nullptr;
  Font* previous = context->font;
  context->font = selected;
  DropIfDeleted(previous);
  return previous;
}

TextExtent FreeTypeDisplay::MeasureText(DeviceContext dc, const std::string& text) {
  Context* context = FindContext(dc);
  if (!context || !context->font) return {};
  const FoundFace& found = context->font->found;
  return found.face->Measure(found.size, text);
}

// A font still selected somewhere is deleted once no context holds it, so that no context is
// ever left measuring with a font that is gone.
void FreeTypeDisplay::DeleteFont(FontHandle font) {
  auto it = fonts_.find(font);
  if (it == fonts_.end() || it->second->deleted) return;
  it->second->deleted = true;
  DropIfDeleted(it->second.get());
}

int32_t FreeTypeDisplay::GetMetric(SystemMetric metric) {
  switch (metric) {
    case SystemMetric::kCxFrame:
      return 4;
    case SystemMetric::kCyFrame:
      return 4;
    case SystemMetric::kCyCaption:
      return 19;
  }
  return 0;
}

size_t FreeTypeDisplay::LiveFonts() const {
  return std::count_if(fonts_.begin(), fonts_.end(),
                       [](const auto& entry) { return !entry.second->deleted; });
}

std::string FreeTypeDisplay::FamilyOf(FontHandle font) const {
  const Font* found = FindFont(font);
  return found ? found->found.family : std::string();
}

FreeTypeDisplay::Font* FreeTypeDisplay::FindFont(FontHandle handle) const {
  if (handle && stock_ && handle == stock_.get()) return stock_.get();
  auto it = fonts_.find(handle);
  return it == fonts_.end() ? nullptr : it->second.get();
}

FreeTypeDisplay::Context* FreeTypeDisplay::FindContext(DeviceContext dc) const {
  for (const std::unique_ptr<Context>& c : contexts_) {
    if (c.get() == dc) return c.get();
  }
  return nullptr;
}

FreeTypeDisplay::Font* FreeTypeDisplay::StockFont() {
  if (!stockTried_) {
    stockTried_ = true;
    const LogFont font = StockLogFont();
    if (std::optional<FoundFace> found =
            Faces().Find(font.lfFaceName, font.lfHeight, FontStyle{font.lfWeight, false})) {
      stock_ = std::make_unique<Font>(Font{std::move(*found)});
    }
  }
  return stock_.get();
}

bool FreeTypeDisplay::IsSelected(const Font* font) const {
  return std::any_of(contexts_.begin(), contexts_.end(),
                     [&](const std::unique_ptr<Context>& c) { return c->font == font; });
}

void FreeTypeDisplay::DropIfDeleted(Font* font) {
  if (font && font->deleted && !IsSelected(font)) fonts_.erase(font);
}

std::unique_ptr<Display> MakePlatformDisplay() {
  return std::make_unique<FreeTypeDisplay>();
}

}  // namespace fw
