#include "engine/substitute.h"

#include <array>

#include "textutil/number.h"

namespace fw {

namespace {

// "~CTLNAME~" comes last, so a set that does not use it sees what it saw before it existed.
constexpr std::array<std::string_view, 14> kControlPlaceholders = {
    "~DLGNAME~", "~CTLID~", "~CTLTEXT~", "~CTLX~",  "~CTLY~",     "~CTLW~",       "~CTLH~",
    "~CTLPX~",   "~CTLPY~", "~CTLPW~",   "~CTLPH~", "~CTLSTYLE~", "~CTLEXSTYLE~", "~CTLNAME~"};

// EventText takes the control placeholders after each control and these at the end of a
// dialog. Its "~WM_INITDIALOG~" waits for the dialog's end, so it is settled on its own: in the
// control set it would hold back every control's search.
constexpr std::array<std::string_view, 2> kEventPlaceholders = {"~WM_INITDIALOG~", "~DLGNAME~"};

constexpr std::array<std::string_view, 19> kDlgProcPlaceholders = {
    "~DIM~",      "~DLGNAME~",   "~DLGX~",       "~DLGY~",          "~DLGW~",
    "~DLGH~",     "~DLGPX~",     "~DLGPY~",      "~DLGPW~",         "~DLGPH~",
    "~DLGTEXT~",  "~DLGSTYLE~",  "~DLGEXSTYLE~", "~WM_INITDIALOG~", "~WM_COMMAND~",
    "~WM_CLOSE~", "~WM_NOTIFY~", "~WM_TIMER~",   "~WM_DESTROY~"};

template <size_t N>
PlaceholderSet SetOf(const std::array<std::string_view, N>& items) {
  return PlaceholderSet{items.data(), N};
}

// The buffers a control's values go into, in the order they take them.
constexpr std::array<Section, 13> kControlTargets = {
    kOption,       kInclude,   kGlobal,  kInitial,  kSample,  kEvent,    kDim,
    kWmInitDialog, kWmCommand, kWmClose, kWmNotify, kWmTimer, kWmDestroy};

std::string* StyleMapOf(StyleMaps& maps, Section tag) {
  if (tag == kStyle) return &maps.style;
  if (tag == kExStyle) return &maps.exStyle;
  return nullptr;
}

// Appends every section of `tag` to `buffer`, then substitutes the set's values; with one
// section, in one pass (Buffer::AppendSubstituted).
void AppendTagSubstituted(Buffer& buffer, const ParsedTemplate* parsed, Section tag,
                          PlaceholderSet set, const std::string_view* values,
                          const ValueRisks* risks) {
  int of = parsed != nullptr ? parsed->sectionOf[tag] : ParsedTemplate::kNone;
  if (of >= 0) {
    const TemplateSection& only = parsed->sections[static_cast<size_t>(of)];
    buffer.AppendSubstituted(only.body, set, values, &only.map, risks);
    return;
  }
  if (of == ParsedTemplate::kSeveral) {
    for (const TemplateSection& section : parsed->sections) {
      if (section.tag == tag) buffer.Append(section.body);
    }
  }
  buffer.Substitute(set, values);
}

// A control's values held for one AppendControl: numbers in place, texts viewed.
struct ControlViews {
  IntegerDigits numbers[8];
  std::string_view views[14];

  ControlViews(const ControlRecord& c, std::string_view dialogName, const StyleMaps& maps,
               StyleMapCache& styles)
      : numbers{IntegerDigits(c.x),  IntegerDigits(c.y),  IntegerDigits(c.w),  IntegerDigits(c.h),
                IntegerDigits(c.px), IntegerDigits(c.py), IntegerDigits(c.pw), IntegerDigits(c.ph)},
        views{dialogName,
              c.name,
              c.text,
              numbers[0].view(),
              numbers[1].view(),
              numbers[2].view(),
              numbers[3].view(),
              numbers[4].view(),
              numbers[5].view(),
              numbers[6].view(),
              numbers[7].view(),
              styles.FlagNames(c.style, maps.style),
              styles.FlagNames(c.exStyle, maps.exStyle),
              c.identifier} {}
  ControlViews(const ControlViews&) = delete;  // the views point into `numbers`
};

}  // namespace

PlaceholderSet ControlPlaceholders() {
  return SetOf(kControlPlaceholders);
}
PlaceholderSet EventPlaceholders() {
  return SetOf(kEventPlaceholders);
}
PlaceholderSet DlgProcPlaceholders() {
  return SetOf(kDlgProcPlaceholders);
}

// The values depend on the style maps alone, so each buffer can take its sections and its
// values together.
void AppendControl(SectionBuffers& buffers, const ParsedTemplate* parsed,
                   const ControlRecord& control, std::string_view dialogName,
                   StyleMapCache& styles) {
  static const StyleMaps kNoMaps;
  ControlViews values(control, dialogName, parsed != nullptr ? parsed->maps : kNoMaps, styles);
  static const SetTraits traits = TraitsOf(ControlPlaceholders());
  ValueRisks risks = RisksOf(ControlPlaceholders(), traits, values.views);
  for (Section tag : kControlTargets) {
    AppendTagSubstituted(buffers[tag], parsed, tag, ControlPlaceholders(), values.views, &risks);
  }
}

void AppendDialogSections(SectionBuffers& buffers, StyleMaps& maps, const ParsedTemplate& parsed) {
  for (const TemplateSection& section : parsed.sections) {
    if (section.tag == kDlgProc) continue;
    if (std::string* map = StyleMapOf(maps, section.tag)) {
      map->append(section.body);
    } else {
      buffers[section.tag].Append(section.body);
    }
  }
}

void SubstituteDialogFields(SectionBuffers& buffers, const ParsedTemplate* dialogTemplate,
                            const DialogRecord& d, const StyleMaps& maps, StyleMapCache& styles) {
  std::string_view event[] = {buffers[kWmInitDialog].text(), d.name};
  buffers[kEvent].Substitute(EventPlaceholders(), event);

  // In the order of kDlgProcPlaceholders.
  std::string numbers[] = {IntegerToText(d.x),  IntegerToText(d.y),  IntegerToText(d.w),
                           IntegerToText(d.h),  IntegerToText(d.px), IntegerToText(d.py),
                           IntegerToText(d.pw), IntegerToText(d.ph)};
  const std::string& style = styles.FlagNames(d.style, maps.style);
  const std::string& exStyle = styles.FlagNames(d.exStyle, maps.exStyle);
  std::string_view procedure[] = {buffers[kDim].text(),
                                  d.name,
                                  numbers[0],
                                  numbers[1],
                                  numbers[2],
                                  numbers[3],
                                  numbers[4],
                                  numbers[5],
                                  numbers[6],
                                  numbers[7],
                                  d.text,
                                  style,
                                  exStyle,
                                  buffers[kWmInitDialog].text(),
                                  buffers[kWmCommand].text(),
                                  buffers[kWmClose].text(),
                                  buffers[kWmNotify].text(),
                                  buffers[kWmTimer].text(),
                                  buffers[kWmDestroy].text()};
  AppendTagSubstituted(buffers[kDlgProc], dialogTemplate, kDlgProc, DlgProcPlaceholders(),
                       procedure, nullptr);
}

}  // namespace fw
