// The generation state: everything a conversion run produces or consults, in one object that
// the program creates once and keeps for its whole life.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/buffer.h"
#include "engine/diagnostics.h"
#include "engine/style_names.h"
#include "platform/display.h"
#include "platform/files.h"

namespace fw {

// One dialog or one control. Copying copies the three texts and the ten integers.
struct DialogRecord {
  std::string name;
  std::string className;
  int32_t style = 0;
  int32_t exStyle = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t px = 0;
  int32_t py = 0;
  int32_t pw = 0;
  int32_t ph = 0;
  std::string text;
};
using ControlRecord = DialogRecord;

struct BaseUnits {
  int32_t cx = 0;
  int32_t cy = 0;
};

// The sections of one template file as read once in a run: each section's target tag and its
// body, already prefixed, in file order.
struct TemplateSection {
  int tag;  // index into the section tag table
  std::string body;
  // The placeholders of the set the section's values come from: the control set in control
  // templates, the procedure set in a dialog template's "[DLGPROC]".
  SweepMap map;
};
struct ParsedTemplate {
  bool found = false;
  std::vector<TemplateSection> sections;
};

// The platform objects a run works with.
struct Platform {
  FileSystem& files;
  Display& display;
};

struct GenerationState {
  GenerationState();
  GenerationState(const GenerationState&) = delete;
  GenerationState& operator=(const GenerationState&) = delete;

  DialogRecord CurrentDialog;
  ControlRecord CurrentControl;
  const DialogRecord BlankRecord{};

  Buffer OptionText;
  Buffer IncludeText;
  Buffer ConstantText;
  Buffer GlobalText;
  Buffer DeclareText;
  Buffer DialogIncludeText;
  Buffer InitialText;
  Buffer SampleText;
  Buffer EventText;
  Buffer DlgProcText;
  Buffer DimText;
  Buffer WmInitDialogText;
  Buffer WmCommandText;
  Buffer WmCloseText;
  Buffer WmNotifyText;
  Buffer WmTimerText;
  Buffer WmDestroyText;

  std::string CtlStyleMap;
  std::string CtlExStyleMap;
  std::string DlgStyleMap;
  std::string DlgExStyleMap;

  std::string LineBuffer;
  std::string TemplateDir;
  std::string MainDialogName;
  // The current dialog's template; its "[DLGPROC]" goes in at the dialog's end, with its values.
  const ParsedTemplate* DialogTemplate = nullptr;

  // Run-wide state.
  std::string RcPath;
  uint8_t MultiFileMode = 0;
  std::string OutputDir;
  std::string FileList;
  int32_t FileCount = 0;
  std::string BackupText;
  DeviceContext MeasureDC = nullptr;
  BaseUnits DialogBaseUnits;
  std::unique_ptr<LineReader> ScriptFile;

  // Dialog font state.
  int32_t FontPointSize = 0;
  std::string FontFaceName;
  FontHandle DialogFont = nullptr;
  FontHandle PreviousFont = nullptr;
  std::vector<FontHandle> DialogFonts;  // every font the current dialog created

  // Project output.
  std::string ProjectText;
  std::string ProjectName;
  std::string ProjectHead;
  std::string ProjectInfoTail;

  // What the user should hear about the run, for the front end to show.
  Diagnostics diagnostics;
  // Template files read in this run, by path and kind, so each is read once.
  std::map<std::string, ParsedTemplate> templateCache;
  // The same for control templates by class name, so a control finds its template without
  // making its path.
  std::unordered_map<std::string, const ParsedTemplate*> classTemplates;
  // Style maps read in this run, by their text, so each is read once.
  StyleMapCache styleMaps;
  // Files backed up in this run (each at most once) and classes already reported missing.
  std::set<std::string> backedUp;
  std::set<std::string> missingClasses;
  // Files written in this run, in order.
  std::vector<std::string> writtenFiles;
  // The largest text a replacement may make, in every buffer and in the main source.
  size_t textLimit = kDefaultTextLimit;
  // Set when a replacement in a buffer or in the main source was refused for the limit.
  bool textOverflowed = false;

  // Every section buffer, for operations over all of them.
  std::vector<Buffer*> AllBuffers();
  // Chooses the plain method (every replacement over the whole buffer) for every buffer and
  // for the main source.
  void SetPlainSubstitution(bool plain);
  bool plainSubstitution = false;
  void SetTextLimit(size_t limit);
  // Whether a replacement was refused for the text limit in this run.
  bool TextLimitExceeded() const;
};

// Resets a record to the blank record.
void ResetRecord(GenerationState& state, DialogRecord& record);

}  // namespace fw
