#include "world.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace wxc_record {

namespace {

std::deque<Object>& Objects() {
  static std::deque<Object> objects;
  return objects;
}

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kApp:
      return "app";
    case Kind::kSize:
      return "size";
    case Kind::kFrame:
      return "frame";
    case Kind::kPanel:
      return "panel";
    case Kind::kStaticText:
      return "statictext";
    case Kind::kButton:
      return "button";
    case Kind::kComboBox:
      return "combobox";
    case Kind::kTextCtrl:
      return "textctrl";
    case Kind::kListView:
      return "listview";
    case Kind::kListItem:
      return "listitem";
    case Kind::kEvent:
      return "event";
  }
  return "object";
}

std::FILE* LogFile() {
  static std::FILE* file = [] {
    const char* path = std::getenv("WXC_RECORD");
    std::FILE* opened = path && *path ? std::fopen(path, "w") : nullptr;
    return opened ? opened : stderr;
  }();
  return file;
}

bool Matches(const Connection& c, int type, int id) {
  if (c.type != type) return false;
  if (c.id == -1) return true;
  return c.last_id == -1 ? id == c.id : c.id <= id && id <= c.last_id;
}

// Delivers an event of `type` from `source` the way wxWidgets routes it: to the first window
// with a matching connection, looking at the source and, for command events, its parents.
void Deliver(const std::string& what, Object* source, int type) {
  const bool command = type != kSizeEvent;
  for (Object* w = source; w; w = command ? w->parent : nullptr) {
    for (const Connection& c : w->connections) {
      if (!Matches(c, type, source->id)) continue;
      if (!w->handler) {
        Log("# " + what + ": connected on " + w->name + ", which has no handler");
        return;
      }
      Object* event = Make(Kind::kEvent);
      event->source = source;
      Log("# " + what + ": handler of " + w->name + " gets " + event->name + ", data " +
          std::to_string(c.data));
      w->handler(reinterpret_cast<WxcEvent*>(event), c.data);
      return;
    }
  }
  Log("# " + what + ": no handler");
}

void Play(const std::string& event) {
  std::istringstream words(event);
  std::string verb, target;
  long index = -1;
  words >> verb >> target >> index;
  Object* source = FindByName(target);
  if (!source) return Log("# " + event + ": no window of that name");
  if (verb == "click") return Deliver(event, source, kClick);
  if (verb == "size") return Deliver(event, source, kSizeEvent);
  if (verb == "select") {
    source->selection = index;
    return Deliver(event, source, source->kind == Kind::kComboBox ? kComboSelect : kListSelect);
  }
  Log("# " + event + ": unknown event");
}

}  // namespace

Object* Make(Kind kind) {
  int count = 1;
  for (const Object& o : Objects()) count += o.kind == kind;
  Object& made = Objects().emplace_back();
  made.kind = kind;
  made.name = KindName(kind) + std::to_string(count);
  return &made;
}

Object* Find(const void* handle) {
  for (Object& o : Objects()) {
    if (&o == handle) return &o;
  }
  return nullptr;
}

Object* FindByName(const std::string& name) {
  for (Object& o : Objects()) {
    if (o.name == name) return &o;
  }
  return nullptr;
}

std::string Name(const void* handle) {
  if (!handle) return "null";
  const Object* o = Find(handle);
  if (!o) return "unknown";
  if (o->kind != Kind::kSize) return o->name;
  return o->name + "{" + std::to_string(o->width) + "," + std::to_string(o->height) + "}";
}

std::string Text(const char* text) {
  if (!text) return "null";
  std::string out = "\"";
  for (const char* c = text; *c; ++c) {
    if (*c == '"' || *c == '\\') out += '\\';
    out += *c;
  }
  return out + "\"";
}

std::string Style(long style) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%08lx", style);
  return buffer;
}

std::string Fn(bool present) {
  return present ? "fn" : "null";
}

std::string Call(const char* name, const std::vector<std::string>& args) {
  std::string line = name;
  line += "(";
  for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + args[i];
  return line + ")";
}

void Log(const std::string& line) {
  std::fprintf(LogFile(), "%s\n", line.c_str());
  std::fflush(LogFile());
}

void PlayEvents() {
  const char* script = std::getenv("WXC_EVENTS");
  std::istringstream events(script ? script : "");
  std::string event;
  while (std::getline(events, event, ';')) {
    const auto first = event.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    event = event.substr(first, event.find_last_not_of(' ') - first + 1);
    Play(event);
  }
}

}  // namespace wxc_record
