// The recording twin of wx-c: a stand-in that makes no windows. It hands out handles to objects
// of its own, writes every call with its arguments to a log, and plays events from a script to
// the handlers it was given, so that a test can check what a program asks of wx-c and how it
// answers events.
//
// WXC_RECORD names the log file (stderr when unset). Each call is one line, "name(arguments)",
// followed by " -> result" for calls that return something; handles appear by kind and number
// ("button2"), sizes with their values ("size3{84,2}"), texts in double quotes, styles in
// hexadecimal, callbacks as "fn". Lines starting with "# " say what the twin itself does.
//
// WXC_EVENTS holds the events that wxApp_Run plays after the start-up callback, separated by
// ";": "click WINDOW", "select WINDOW INDEX" (a combo box or list view selection; the index is
// what the window reports as selected) and "size WINDOW", WINDOW being a handle name as logged.
#ifndef WXC_RECORD_WORLD_H_
#define WXC_RECORD_WORLD_H_

#include <deque>
#include <string>
#include <vector>

#include "wxc/wxc.h"

namespace wxc_record {

enum class Kind {
  kApp,
  kSize,
  kFrame,
  kPanel,
  kStaticText,
  kButton,
  kComboBox,
  kTextCtrl,
  kListView,
  kListItem,
  kEvent,
};

// The event types the twin makes up; wxApp_Run's events use them.
enum MadeUpEventType {
  kClick = 10001,
  kComboSelect = 10002,
  kListSelect = 10003,
  kSizeEvent = 10004
};

struct Connection {
  int type, id, last_id, data;
};

struct Object {
  Kind kind;
  std::string name;
  int width = 0, height = 0;  // sizes
  int id = 0;                 // windows, once created
  Object* parent = nullptr;
  WxcEventFunc handler = nullptr;
  std::vector<Connection> connections;
  long selection = -1;       // combo boxes and list views
  Object* source = nullptr;  // events: the window that sent it
  WxcInitFunc on_init = nullptr;
  WxcExitFunc on_exit = nullptr;
};

// Makes an object named after its kind and the count of that kind so far ("listview2").
Object* Make(Kind kind);

// The object behind a handle, or null when the handle is not one of the twin's own.
Object* Find(const void* handle);
Object* FindByName(const std::string& name);

// How an argument appears in the log.
std::string Name(const void* handle);
std::string Text(const char* text);
std::string Style(long style);
std::string Fn(bool present);

// "name(a, b, ...)".
std::string Call(const char* name, const std::vector<std::string>& args);

// Writes one line to the log.
void Log(const std::string& line);

// Plays the events of WXC_EVENTS.
void PlayEvents();

}  // namespace wxc_record

#endif  // WXC_RECORD_WORLD_H_
