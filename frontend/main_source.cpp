#include "frontend/main_source.h"

#include <span>

#include "engine/sweep.h"
#include "reader/declarations.h"
#include "textutil/text.h"

namespace fw {

namespace {

constexpr std::array<std::string_view, 8> kProjectPlaceholders = {
    "~OPTION~",  "~INCLUDE~", "~CONSTANT~", "~GLOBAL~",
    "~DECLARE~", "~INITIAL~", "~DLGMAIN~",  "~DIALOG~"};
constexpr size_t kDeclare = 4;

using Pieces = std::vector<std::string_view>;

// One replacement over the main source, refused when it would pass the text limit.
void ReplaceWithinLimit(GenerationState& s, std::string_view placeholder, std::string_view value) {
  if (s.textOverflowed) return;
  if (SizeAfterReplaceAll(s.ProjectText, placeholder, value, 0) > s.textLimit) {
    s.textOverflowed = true;
    return;
  }
  ReplaceAllFrom(s.ProjectText, placeholder, value, 0);
}

// The value of "~DECLARE~": what the scan declared, the declarations of the procedures, then
// in multi-file mode the dialogs' include lines, in single-file mode the declarations of the
// sample and event code and that code itself.
Pieces DeclarePieces(GenerationState& s, MainSource& out) {
  for (TextStore& made : out.declarations) made.clear();
  AppendDeclarations(s.DlgProcText.text(), out.declarations[0]);
  Pieces pieces = {s.DeclareText.text(), out.declarations[0]};
  if (s.MultiFileMode) {
    pieces.insert(pieces.end(), {"\r\n", s.DialogIncludeText.text()});
    return pieces;
  }
  AppendDeclarations(s.SampleText.text(), out.declarations[1]);
  AppendDeclarations(s.EventText.text(), out.declarations[2]);
  pieces.insert(pieces.end(), {out.declarations[1], out.declarations[2], "\r\n",
                               s.SampleText.text(), "\r\n", s.EventText.text()});
  return pieces;
}

void AddPiece(Pieces& pieces, std::string_view piece) {
  if (!piece.empty()) pieces.push_back(piece);
}

// The replacements in one sweep over the template, where that gives what they give in turn:
// the template's stretches and the values then become the pieces of the file, in order.
bool SweepProject(GenerationState& s, const std::span<const std::string_view>* values,
                  Pieces& out) {
  PlaceholderSet set{kProjectPlaceholders.data(), kProjectPlaceholders.size()};
  SetTraits traits = TraitsOf(set);
  ValueFacts facts[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) facts[i] = FactsOf(traits, values[i]);
  std::string_view text = s.ProjectText;
  SweepPlan plan = PlanSweep(text, 0, set, traits, facts);
  if (!plan.same) return false;
  size_t largest = 0;
  SweptSize(text.size(), plan, set, facts, &largest);
  if (largest > s.textLimit) return false;  // in turn, to be refused at the same replacement
  AddPiece(out, text.substr(0, plan.changed));
  ForEachSweptPart(
      text, plan, set, traits, [&](std::string_view kept) { AddPiece(out, kept); },
      [&](size_t i) {
        for (std::string_view piece : values[i]) AddPiece(out, piece);
      });
  return true;
}

}  // namespace

bool ReadMainTemplate(GenerationState& s, FileSystem& files) {
  bool opened = false;
  std::unique_ptr<LineReader> file = files.OpenLines(s.TemplateDir + ".tpl", &opened);
  std::string line;
  while (!file->AtEnd()) {
    file->ReadLine(line);
    s.ProjectText.append(line);
    s.ProjectText.append("\r\n");
  }
  ReplaceWithinLimit(s, "~PROJNAME~", s.RcPath);
  return opened;
}

void ComposeMainSource(GenerationState& s, MainSource& out) {
  out.pieces.clear();
  if (s.TextLimitExceeded()) return;
  Pieces declare = DeclarePieces(s, out);
  std::string_view single[] = {
      s.OptionText.text(),  s.IncludeText.text(), s.ConstantText.text(), s.GlobalText.text(), {},
      s.InitialText.text(), s.MainDialogName,     s.DlgProcText.text()};
  std::span<const std::string_view> values[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) values[i] = {&single[i], 1};
  values[kDeclare] = declare;
  if (!s.plainSubstitution && SweepProject(s, values, out.pieces)) return;

  // In turn, over one text: "~DECLARE~" is then made whole in DeclareText, its first piece.
  out.pieces.clear();
  for (size_t i = 1; i < declare.size(); ++i) s.DeclareText.Append(declare[i]);
  single[kDeclare] = s.DeclareText.text();
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    ReplaceWithinLimit(s, kProjectPlaceholders[i], single[i]);
  }
  if (!s.textOverflowed) out.pieces.push_back(s.ProjectText);
}

}  // namespace fw
