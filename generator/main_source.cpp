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

using Pieces = std::vector<std::string_view>;

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

// The value of "~DECLARE~": what the scan declared, the declarations of the procedures, then
// in multi-file mode the dialogs' include lines, in single-file mode the declarations of the
// sample and event code and that code itself.
Pieces DeclarePieces(Generation& g, MainSource& out) {
  const SectionBuffers& s = g.sections;
  for (TextStore& made : out.declarations) made.clear();
  AppendDeclarations(s[kDlgProc].text(), out.declarations[0]);
  Pieces pieces = {g.declarations.text(), out.declarations[0]};
  if (g.options.multiFile) {
    pieces.insert(pieces.end(), {"\r\n", g.dialogIncludes.text()});
    return pieces;
  }
  AppendDeclarations(s[kSample].text(), out.declarations[1]);
  AppendDeclarations(s[kEvent].text(), out.declarations[2]);
  pieces.insert(pieces.end(), {out.declarations[1], out.declarations[2], "\r\n", s[kSample].text(),
                               "\r\n", s[kEvent].text()});
  return pieces;
}

void AddPiece(Pieces& pieces, std::string_view piece) {
  if (!piece.empty()) pieces.push_back(piece);
}

// The replacements in one sweep over the template, where that gives what they give in turn:
// the template's stretches and the values then become the pieces of the file, in order.
bool SweepProject(std::string_view text, size_t limit,
                  const std::span<const std::string_view>* values, Pieces& out) {
  PlaceholderSet set{kProjectPlaceholders.data(), kProjectPlaceholders.size()};
  SetTraits traits = TraitsOf(set);
  ValueFacts facts[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) facts[i] = FactsOf(traits, values[i]);
  SweepPlan plan = PlanSweep(text, 0, set, traits, facts);
  if (!plan.same) return false;
  size_t largest = 0;
  SweptSize(text.size(), plan, set, facts, &largest);
  if (largest > limit) return false;  // in turn, to be refused at the same replacement
  AddPiece(out, text.substr(0, plan.changed));
  ForEachSweptPart(
      text, plan, set, traits, [&](std::string_view kept) { AddPiece(out, kept); },
      [&](size_t i) {
        for (std::string_view piece : values[i]) AddPiece(out, piece);
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
  Pieces declare = DeclarePieces(g, out);
  std::string_view single[] = {
      s[kOption].text(),  s[kInclude].text(), s[kConstant].text(), s[kGlobal].text(), {},
      s[kInitial].text(), g.mainDialogName,   s[kDlgProc].text()};
  std::span<const std::string_view> values[kProjectPlaceholders.size()];
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) values[i] = {&single[i], 1};
  values[kDeclare] = declare;
  const SubstitutionSettings& settings = g.session.substitution;
  if (!settings.plain && SweepProject(text, settings.textLimit, values, out.pieces)) return;

  // In turn, over one text: "~DECLARE~" is then made whole in the declarations, its first piece.
  out.pieces.clear();
  for (size_t i = 1; i < declare.size(); ++i) g.declarations.Append(declare[i]);
  single[kDeclare] = g.declarations.text();
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    ReplaceWithinLimit(g, text, kProjectPlaceholders[i], single[i]);
  }
  if (!g.overflowed) out.pieces.push_back(text);
}

}  // namespace fw
