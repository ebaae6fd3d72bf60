#include "generator/script_input.h"

#include "output/output_encoding.h"
#include "script/decode.h"
#include "script/full_reader.h"
#include "script/narrow_reader.h"
#include "script/script_files.h"

namespace fw {

namespace {

class NarrowInput : public ScriptInput {
 public:
  NarrowInput(std::unique_ptr<LineReader> lines, std::string path)
      : lines_(std::move(lines)), reader_(*lines_), path_(std::move(path)) {}
  ScriptReader& reader() override { return reader_; }
  // One warning counts what the narrow form passed over that the whole language reads.
  void Report(Diagnostics& diagnostics) override {
    std::string skipped = reader_.skips().Message();
    if (!skipped.empty()) diagnostics.Warn(path_, skipped);
  }

 private:
  std::unique_ptr<LineReader> lines_;
  NarrowReader reader_;
  std::string path_;
};

std::string Where(const std::string& file, uint32_t line) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

class FullInput : public ScriptInput {
 public:
  FullInput(Generation& g, const std::string& path, const std::string& bytes)
      : pages_(MakePlatformCodePages()),
        decoded_(DecodeScript(bytes, CodePageOf(g, path), *pages_)),
        files_(g.platform.files, *pages_, decoded_.endCodePage, CodePageOf(g, path)),
        reader_(decoded_.text, path, files_, ReaderOptions(g)) {
    for (const DecodeNote& note : decoded_.notes) {
      g.diagnostics.Warn(Where(path, static_cast<uint32_t>(note.line)), note.message);
    }
    ChooseEncoding(g, path);
  }
  ScriptReader& reader() override { return reader_; }
  // A statement the reader could not read was skipped: each is named, and the run goes on.
  void Report(Diagnostics& diagnostics) override {
    for (const PpDiagnostic& d : reader_.Diagnostics()) {
      diagnostics.Warn(Where(d.file, d.line), d.message);
    }
  }
  bool ReadToItsEnd() const override { return !reader_.Stopped(); }

 private:
  int CodePageOf(Generation& g, const std::string& path) {
    if (pages_->Supports(g.options.codePage)) return g.options.codePage;
    if (!warnedCodePage_) {
      g.diagnostics.Warn(path, "code page " + std::to_string(g.options.codePage) +
                                   " is not supported here; reading in 1252");
      warnedCodePage_ = true;
    }
    return 1252;
  }

  static FullReaderOptions ReaderOptions(const Generation& g) {
    FullReaderOptions options;
    if (g.options.language >= 0) options.language = static_cast<uint16_t>(g.options.language);
    return options;
  }

  // Every output in one encoding: the script's code page when its text fits it, else UTF-8.
  void ChooseEncoding(Generation& g, const std::string& path) {
    OutputEncodingChoice choice(decoded_.singleCodePage, NoSingleCodePageReason(decoded_), *pages_);
    choice.Add(decoded_.text);
    encoding_ = choice.Result();
    if (!encoding_.warning.empty()) g.diagnostics.Warn(path, encoding_.warning);
    g.output.SetEncoder(
        [this](std::string_view text) { return EncodeOutput(text, encoding_, *outputPages_); });
  }

  std::unique_ptr<CodePages> pages_;
  // The outputs' own: a layer of code pages keeps converters it made, and the reader may be
  // decoding an included file on another thread while an output is encoded.
  std::unique_ptr<CodePages> outputPages_ = MakePlatformCodePages();
  bool warnedCodePage_ = false;
  DecodedScript decoded_;
  ScriptFiles files_;
  FullReader reader_;
  OutputEncoding encoding_;
};

}  // namespace

std::unique_ptr<ScriptInput> ScriptInput::Open(Generation& g) {
  FileSystem& files = g.platform.files;
  std::string path = g.options.scriptBase + ".rc";
  if (g.options.fullSyntax) {
    std::optional<std::string> bytes = files.ReadWhole(path);
    if (bytes) return std::make_unique<FullInput>(g, path, *bytes);
  } else {
    bool opened = false;
    std::unique_ptr<LineReader> lines = files.OpenLines(path, &opened);
    if (opened) return std::make_unique<NarrowInput>(std::move(lines), path);
  }
  g.diagnostics.Error(path, "cannot read the resource script");
  return nullptr;
}

}  // namespace fw
