#include "generator/spill.h"

#include "generator/declarations.h"

namespace fw {

Spill::Spill(FileSystem& files, std::string folder, size_t above, AsItStands asItStands)
    : files_(files),
      folder_(std::move(folder)),
      above_(above),
      asItStands_(std::move(asItStands)),
      writer_(MakeScratchWriter()) {}

void Spill::Trim(Buffer& buffer, Buffer* declarations) {
  size_t held = buffer.text().size();
  if (failed_ || above_ == 0 || held <= above_) return;
  if (writer_->Failed()) {
    failed_ = true;
    return;
  }
  Aside& aside = asides_[&buffer];
  if (held < aside.retryAt) return;
  std::string_view lines = buffer.FinalLines();
  // Lines too few to be worth a write wait until the buffer has grown as much again, so a
  // text that keeps a tilde near its start is not searched again for every dialog.
  if (lines.size() < above_ / 2 || (asItStands_ && !asItStands_(lines))) {
    aside.retryAt = held + above_;
    return;
  }
  // Once a scratch file cannot be made, text is kept in memory from there on: what was set
  // aside stays valid, nothing more goes there.
  if (!aside.file) aside.file = files_.MakeScratch(folder_);
  if (!aside.file) {
    failed_ = true;
    return;
  }
  ScratchWriter::After after = DeclarationsAfter(aside, declarations);
  buffer.MoveFront(lines.size(), writer_->Slot());
  writer_->Queue(*aside.file, std::move(after));
}

ScratchWriter::After Spill::DeclarationsAfter(Aside& aside, Buffer* declarations) {
  if (declarations == nullptr) return nullptr;
  if (!aside.declarations) {
    Aside& target = asides_[declarations];
    if (!target.file) target.file = files_.MakeScratch(folder_);
    aside.declarations.reset(new CodeDeclarations{declarations, target.file.get(), above_});
  }
  CodeDeclarations* code = aside.declarations.get();
  ScratchWriter* writer = writer_.get();
  return [code, writer](std::string_view bytes) { code->Take(bytes, *writer); };
}

// The lines hold no tilde (they come from final lines), so all of them are final.
void Spill::CodeDeclarations::Take(std::string_view code, ScratchWriter& writer) {
  if (ended) return;
  ended = code.find('\0') != std::string_view::npos;
  AppendDeclarations(code, *lines);
  if (file == nullptr || lines->text().size() <= above) return;
  writer.WriteNow(*file, lines->text());
  lines->DropFront(lines->text().size());
}

void Spill::Finish() {
  failed_ = true;
  lost_ = !writer_->Finish();
}

void Spill::AppendPieces(const Buffer& buffer, std::vector<OutputPiece>& out) const {
  auto it = asides_.find(&buffer);
  if (it != asides_.end() && it->second.file) {
    if (it->second.file->size() > 0) out.emplace_back(it->second.file.get());
    std::string_view kept = writer_->Kept(*it->second.file);
    if (!kept.empty()) out.emplace_back(kept);
  }
  if (!buffer.text().empty()) out.emplace_back(buffer.text());
}

bool Spill::DeclarationsEnded(const Buffer& buffer) const {
  auto it = asides_.find(&buffer);
  return it != asides_.end() && it->second.declarations && it->second.declarations->ended;
}

}  // namespace fw
