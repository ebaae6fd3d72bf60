#include "frontend/cli_options.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "textutil/text.h"

namespace fw {

const char kUsage[] =
    "usage: formwright [options] SCRIPT\n"
    "\n"
    "Converts the dialogs of the resource script SCRIPT (.rc) into BASIC source through a\n"
    "template set, writing SCRIPT's .bas and .fbp (and one .bi per dialog with --multi) beside\n"
    "it. A previous .bas or .bi is first kept in the folder \"bak\" beside the script when\n"
    "that folder exists (a hard link to the old file where safe, else a copy).\n"
    "\n"
    "options:\n"
    "  --template NAME       template set to use (default: the first set of the root,\n"
    "                        in case-insensitive name order)\n"
    "  --template-root DIR   folder holding NAME.tpl and NAME/ (default: \"template\"\n"
    "                        beside the executable, then ../share/formwright/template)\n"
    "  --multi               one include file (.bi) per dialog\n"
    "  --full-syntax         read the script in the whole resource-script language, as the\n"
    "                        resource compiler does (short control forms, DIALOG, symbolic\n"
    "                        styles, expressions, #include, macros, code pages...)\n"
    "  --code-page N         with --full-syntax: the code page of a script with neither a\n"
    "                        byte order mark nor #pragma code_page (default 1252)\n"
    "  --language ID         with --full-syntax: convert the dialogs of this language (a\n"
    "                        LANGID number such as 1033 or 0x409; default: the first\n"
    "                        definition of each dialog name)\n"
    "  --base-units CX,CY    dialog base units to use instead of measuring the fonts\n"
    "  --metrics FX,FY,CAP   frame width, frame height and caption height in pixels\n"
    "                        (default 4,4,19 on Linux; the system's on Windows)\n"
    "  --dry-run             do everything but write; list what would be written\n"
    "  --list-templates      print the template sets of the root, one a line, the default\n"
    "                        first, and exit\n"
    "  --version             print the version and exit\n"
    "  --help                print this help and exit\n"
    "\n"
    "exit codes:\n"
    "  0  every output was written (warnings, if any, on stderr)\n"
    "  1  usage error\n"
    "  2  the script or the set's main template cannot be read; nothing was written\n"
    "  3  the run was made but an output (.bas, .fbp or .bi) was not written: unwritable,\n"
    "     a dialog name that cannot be a file name, its backup failed, or (--full-syntax)\n"
    "     a limit stopped the reading before the script's end\n";

namespace {

// A comma-separated list of exactly `count` integers.
bool ParseIntegers(const std::string& text, size_t count, std::vector<int32_t>& values) {
  values.clear();
  size_t start = 0;
  for (;;) {
    size_t end = text.find(',', start);
    std::string part = text.substr(start, end == std::string::npos ? end : end - start);
    char* stop = nullptr;
    long long v = std::strtoll(part.c_str(), &stop, 10);
    if (part.empty() || *stop != '\0' || v < -2147483648LL || v > 2147483647LL) return false;
    values.push_back(static_cast<int32_t>(v));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return values.size() == count;
}

constexpr int32_t kMaxBaseUnit = INT32_MAX / 53;

// A language id: decimal, or hexadecimal after "0x", from 0 to 0xFFFF.
std::optional<int32_t> ParseLanguage(const std::string& text) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  char* stop = nullptr;
  long value = std::strtol(digits.c_str(), &stop, hex ? 16 : 10);
  if (*stop != '\0' || digits[0] == '-' || digits[0] == '+' || value > 0xFFFF) return std::nullopt;
  return static_cast<int32_t>(value);
}

// Applies one option that takes a value; returns an error message or "".
std::string ApplyValue(CliOptions& o, const std::string& name, const std::string& value) {
  std::vector<int32_t> v;
  if (name == "--template") {
    o.templateName = value;
  } else if (name == "--template-root") {
    o.templateRoot = value;
  } else if (name == "--base-units") {
    if (!ParseIntegers(value, 2, v)) return "--base-units takes CX,CY (two integers)";
    // The fixed display measures the 53-character text as 53 * CX pixels, in 32 bits.
    if (v[0] > kMaxBaseUnit || v[0] < -kMaxBaseUnit) {
      return "--base-units: CX must lie between -" + std::to_string(kMaxBaseUnit) + " and " +
             std::to_string(kMaxBaseUnit);
    }
    o.baseUnits = std::make_pair(v[0], v[1]);
  } else if (name == "--metrics") {
    if (!ParseIntegers(value, 3, v)) return "--metrics takes FX,FY,CAP (three integers)";
    o.metrics = Metrics{v[0], v[1], v[2]};
  } else if (name == "--code-page") {
    if (!ParseIntegers(value, 1, v) || v[0] <= 0 || v[0] > 65535) {
      return "--code-page takes a code page number (1 to 65535)";
    }
    o.codePage = v[0];
  } else if (name == "--language") {
    std::optional<int32_t> id = ParseLanguage(value);
    if (!id) return "--language takes a language id (0 to 0xFFFF, decimal or 0x hexadecimal)";
    o.language = *id;
  }
  return "";
}

bool TakesValue(const std::string& name) {
  return name == "--template" || name == "--template-root" || name == "--base-units" ||
         name == "--metrics" || name == "--code-page" || name == "--language";
}

// One word of the command line; `i` moves past a separate value.
std::string ApplyWord(CliOptions& o, const std::vector<std::string>& args, size_t& i,
                      bool& optionsEnded) {
  const std::string& word = args[i];
  if (optionsEnded || word.empty() || word[0] != '-' || word == "-") {
    if (!o.script.empty()) return "only one SCRIPT may be given";
    o.script = word;
    return "";
  }
  if (word == "--") {
    optionsEnded = true;
  } else if (word == "--multi") {
    o.multi = true;
  } else if (word == "--full-syntax") {
    o.fullSyntax = true;
  } else if (word == "--dry-run") {
    o.dryRun = true;
  } else if (word == "--help" || word == "-h") {
    o.help = true;
  } else if (word == "--version") {
    o.version = true;
  } else if (word == "--list-templates") {
    o.listTemplates = true;
  } else {
    size_t eq = word.find('=');
    std::string name = word.substr(0, eq);
    if (!TakesValue(name)) return "unknown option " + name;
    if (eq != std::string::npos) return ApplyValue(o, name, word.substr(eq + 1));
    if (i + 1 >= args.size()) return name + " needs a value";
    return ApplyValue(o, name, args[++i]);
  }
  return "";
}

}  // namespace

ParsedOptions ParseCliOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    parsed.error = ApplyWord(parsed.options, args, i, optionsEnded);
  }
  const CliOptions& o = parsed.options;
  if (parsed.error.empty() && !o.help && !o.version && !o.listTemplates && o.script.empty()) {
    parsed.error = "no SCRIPT given";
  }
  return parsed;
}

}  // namespace fw
