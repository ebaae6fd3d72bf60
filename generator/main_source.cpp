#include "generator/main_source.h"

#include <span>

#include "engine/sweep.h"
#include "generator/declarations.h"
#include "textutil/text.h"

namespace fw {

namespace {

constexpr std::array<std::string_view, 8> kProjectPlaceholders = {
    "~OPTION~",  "~INCLUDE~", "~CONSTANT~", "~GLOBAL~",
    "~DECLARE~", "~INITIAL~", "~DLGMAIN~",  "~DIALOG~"};
constexpr size_t kDeclare = 4;
constexpr size_t kDlgMain = 6;

using Pieces = std::vector<OutputPiece>;

// One replacement over the main source, refused when it would pass the text limit.
void ReplaceWithinLimit(Generation& g, std::string& text, std::string_view placeholder,
                        std::string_view value) {
  if (g.overflowed) return;
  if (SizeAfterReplaceAll(text, placeholder, value, 0) > g.session.substitution.textLimit) {
    g.overflowed = true;
    return;
  }
  ReplaceAllFrom(text, placeholder, value, 0);
}

// `buffer`'s text as pieces: what the run set aside, then what it holds.
void AddBuffer(const Generation& g, const Buffer& buffer, Pieces& pieces) {
  g.spill.AppendPieces(buffer, pieces);
}

// The "declare" lines of the code in `code`: those of the lines set aside were made as they
// went; those of the lines still held are made now.
void AddDeclarations(Generation& g, const Buffer& code, Buffer& declarations, Pieces& pieces) {
  if (!g.spill.DeclarationsEnded(code)) {
    AppendDeclarations(code.text(), declarations);
  }
  AddBuffer(g, declarations, pieces);
}

// The value of "~DECLARE~": what the scan declared, the declarations of the procedures, then
// in multi-file mode the dialogs' include lines, in single-file mode the declarations of the
// sample and event code and that code itself.
Pieces DeclarePieces(Generation& g) {
  const SectionBuffers& s = g.sections;
  Pieces pieces;
  AddBuffer(g, g.declarations, pieces);
  AddDeclarations(g, s[kDlgProc], g.codeDeclarations[0], pieces);
  if (g.options.multiFile) {
    pieces.emplace_back("\r\n");
    AddBuffer(g, g.dialogIncludes, pieces);
    return pieces;
  }
  AddDeclarations(g, s[kSample], g.codeDeclarations[1], pieces);
  AddDeclarations(g, s[kEvent], g.codeDeclarations[2], pieces);
  pieces.emplace_back("\r\n");
  AddBuffer(g, s[kSample], pieces);
  pieces.emplace_back("\r\n");
  AddBuffer(g, s[kEvent], pieces);
  return pieces;
}

void AddPiece(Pieces& pieces, const OutputPiece& piece) {
  if (piece.size() != 0) pieces.push_back(piece);
}

// What a sweep asks of a value in pieces. Text set aside holds no tilde (only final lines, up
// to the first tilde, are) and ends in a line end, so it can join nothing into a word. Only
// what memory holds counts toward the text limit: the pieces are written one after another.
ValueFacts FactsOfPieces(const SetTraits& traits, std::span<const OutputPiece> pieces,
                         size_t* heldSize) {
  std::vector<std::string_view> texts;
  size_t asideSize = 0;
  for (const OutputPiece& piece : pieces) {
    if (piece.scratch == nullptr) texts.push_back(piece.text);
    asideSize += piece.scratch != nullptr ? static_cast<size_t>(piece.scratch->size()) : 0;
  }
  ValueFacts facts = FactsOf(traits, texts);
  *heldSize = facts.size;
  facts.size += asideSize;
  facts.mayJoin = facts.mayJoin && asideSize == 0;
  return facts;
}

// The replacements in one sweep over the template, where that gives what they give in turn:
// the template's stretches and the values then become the pieces of the file, in order.
bool SweepProject(std::string_view text, size_t limit, const std::span<const OutputPiece>* values,
                  Pieces& out) {
  PlaceholderSet set{kProjectPlaceholders.data(), kProjectPlaceholders.size()};
  SetTraits traits = TraitsOf(set);
  ValueFacts facts[kProjectPlaceholders.size()];
  ValueFacts held[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    facts[i] = FactsOfPieces(traits, values[i], &held[i].size);
  }
  SweepPlan plan = PlanSweep(text, 0, set, traits, facts);
  if (!plan.same) return false;
  size_t largest = 0;
  SweptSize(text.size(), plan, set, held, &largest);
  if (largest > limit) return false;  // in turn, to be refused at the same replacement
  AddPiece(out, text.substr(0, plan.changed));
  ForEachSweptPart(
      text, plan, set, traits, [&](std::string_view kept) { AddPiece(out, kept); },
      [&](size_t i) {
        for (const OutputPiece& piece : values[i]) AddPiece(out, piece);
      });
  return true;
}

}  // namespace

std::string ReadMainTemplate(LineReader& file) {
  std::string text;
  std::string line;
  while (!file.AtEnd()) {
    file.ReadLine(line);
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

void FillProjectName(Generation& g, std::string& text) {
  ReplaceWithinLimit(g, text, "~PROJNAME~", g.options.scriptBase);
}

void ComposeMainSource(Generation& g, std::string& text, MainSource& out) {
  const SectionBuffers& s = g.sections;
  out.pieces.clear();
  if (g.TextLimitExceeded()) return;
  Pieces values[kProjectPlaceholders.size()];
  const Buffer* single[] = {&s[kOption], &s[kInclude], &s[kConstant], &s[kGlobal],
                            nullptr,     &s[kInitial], nullptr,       &s[kDlgProc]};
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    if (single[i] != nullptr) AddBuffer(g, *single[i], values[i]);
  }
  values[kDeclare] = DeclarePieces(g);
  values[kDlgMain].emplace_back(g.mainDialogName);
  std::span<const OutputPiece> spans[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) spans[i] = values[i];
  const SubstitutionSettings& settings = g.session.substitution;
  if (!settings.plain && SweepProject(text, settings.textLimit, spans, out.pieces)) return;

  // In turn, over one text, with every value read back whole.
  out.pieces.clear();
  std::string joined;
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    if (!JoinPieces(values[i], joined)) {
      out.unreadable = true;
      return;
    }
    ReplaceWithinLimit(g, text, kProjectPlaceholders[i], joined);
  }
  if (!g.overflowed) out.pieces.emplace_back(text);
}

}  // namespace fw
