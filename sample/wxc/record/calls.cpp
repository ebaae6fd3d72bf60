// The functions of wxc.h as the recording twin answers them: each call is logged with its
// arguments; windows are records of their id, parent, handler and connections.
#include <string>

#include "world.h"

using namespace wxc_record;
using std::to_string;

namespace {

template <typename Handle>
Handle* Handed(Object* object) {
  return reinterpret_cast<Handle*>(object);
}

// Makes an object of `kind` and logs its constructor call.
template <typename Handle>
Handle* Construct(const char* function, Kind kind) {
  Object* object = Make(kind);
  Log(Call(function, {}) + " -> " + object->name);
  return Handed<Handle>(object);
}

// Gives a window its id and parent, as a create call would, if it is one of the twin's own.
int Created(WxcWindow* self, WxcWindow* parent, int id) {
  Object* window = Find(self);
  if (!window) return 0;
  window->id = id;
  window->parent = Find(parent);
  return 1;
}

// The selection a combo box or list view reports: the one its last event set.
long SelectionOf(WxcWindow* self, Kind kind) {
  Object* window = Find(self);
  return window && window->kind == kind ? window->selection : -1;
}

std::string Items(int n, const char* const* choices) {
  if (!choices) return "null";
  std::string list = "{";
  for (int i = 0; i < n; ++i) list += (i ? ", " : "") + Text(choices[i]);
  return list + "}";
}

int EventType(const char* function, int type) {
  Log(Call(function, {}) + " -> " + to_string(type));
  return type;
}

}  // namespace

extern "C" {

WxcApp* wxApp_ctor(void) {
  return Construct<WxcApp>("wxApp_ctor", Kind::kApp);
}

void wxApp_RegisterVirtual(WxcApp* app, WxcInitFunc on_init, WxcExitFunc on_exit) {
  Log(Call("wxApp_RegisterVirtual", {Name(app), Fn(on_init), Fn(on_exit)}));
  if (Object* object = Find(app)) {
    object->on_init = on_init;
    object->on_exit = on_exit;
  }
}

// Runs start-up, the scripted events and exit, and returns a made-up code that a program
// should not depend on.
int wxApp_Run(int argc, char** argv) {
  Log(Call("wxApp_Run", {to_string(argc), argv ? "argv" : "null"}) + " -> 3");
  Object* app = FindByName("app1");
  if (!app || !app->on_init) return 3;
  Log("# start-up callback");
  const int started = app->on_init(Handed<WxcApp>(app));
  Log("# start-up callback returned " + to_string(started));
  if (started) PlayEvents();
  if (!started || !app->on_exit) return 3;
  Log("# exit callback");
  Log("# exit callback returned " + to_string(app->on_exit()));
  return 3;
}

int wxApp_OnInit(WxcApp* app) {
  Log(Call("wxApp_OnInit", {Name(app)}) + " -> 1");
  return 1;
}

int wxApp_OnExit(WxcApp* app) {
  Log(Call("wxApp_OnExit", {Name(app)}) + " -> 7");
  return 7;
}

WxcSize* wxSize_ctor(int width, int height) {
  Object* size = Make(Kind::kSize);
  size->width = width;
  size->height = height;
  Log(Call("wxSize_ctor", {to_string(width), to_string(height)}) + " -> " + Name(size));
  return Handed<WxcSize>(size);
}

WxcWindow* wxFrame_ctor(void) {
  return Construct<WxcWindow>("wxFrame_ctor", Kind::kFrame);
}

int wxFrame_Create(WxcWindow* self, WxcWindow* parent, int id, const char* title,
                   const WxcSize* pos, const WxcSize* size, long style, const char* name) {
  Log(Call("wxFrame_Create", {Name(self), Name(parent), to_string(id), Text(title), Name(pos),
                              Name(size), Style(style), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxPanel_ctor(void) {
  return Construct<WxcWindow>("wxPanel_ctor", Kind::kPanel);
}

int wxPanel_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                   const WxcSize* size, long style, const char* name) {
  Log(Call("wxPanel_Create", {Name(self), Name(parent), to_string(id), Name(pos), Name(size),
                              Style(style), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxStaticText_ctor(void) {
  return Construct<WxcWindow>("wxStaticText_ctor", Kind::kStaticText);
}

int wxStaticText_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                        const WxcSize* pos, const WxcSize* size, long style, const char* name) {
  Log(Call("wxStaticText_Create", {Name(self), Name(parent), to_string(id), Text(label), Name(pos),
                                   Name(size), Style(style), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxButton_ctor(void) {
  return Construct<WxcWindow>("wxButton_ctor", Kind::kButton);
}

int wxButton_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                    const WxcSize* pos, const WxcSize* size, long style,
                    const WxcValidator* validator, const char* name) {
  Log(Call("wxButton_Create", {Name(self), Name(parent), to_string(id), Text(label), Name(pos),
                               Name(size), Style(style), Name(validator), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxComboBox_ctor(void) {
  return Construct<WxcWindow>("wxComboBox_ctor", Kind::kComboBox);
}

int wxComboBox_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                      const WxcSize* pos, const WxcSize* size, int n, const char* const* choices,
                      long style, const WxcValidator* validator, const char* name) {
  Log(Call("wxComboBox_Create",
           {Name(self), Name(parent), to_string(id), Text(value), Name(pos), Name(size),
            to_string(n), Items(n, choices), Style(style), Name(validator), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxTextCtrl_ctor(void) {
  return Construct<WxcWindow>("wxTextCtrl_ctor", Kind::kTextCtrl);
}

int wxTextCtrl_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                      const WxcSize* pos, const WxcSize* size, long style,
                      const WxcValidator* validator, const char* name) {
  Log(Call("wxTextCtrl_Create", {Name(self), Name(parent), to_string(id), Text(value), Name(pos),
                                 Name(size), Style(style), Name(validator), Text(name)}));
  return Created(self, parent, id);
}

WxcWindow* wxListView_ctor(void) {
  return Construct<WxcWindow>("wxListView_ctor", Kind::kListView);
}

int wxListView_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                      const WxcSize* size, long style, const WxcValidator* validator,
                      const char* name) {
  Log(Call("wxListView_Create", {Name(self), Name(parent), to_string(id), Name(pos), Name(size),
                                 Style(style), Name(validator), Text(name)}));
  return Created(self, parent, id);
}

WxcListItem* wxListItem_ctor(void) {
  return Construct<WxcListItem>("wxListItem_ctor", Kind::kListItem);
}

int wxComboBox_Append(WxcWindow* self, const char* item) {
  Log(Call("wxComboBox_Append", {Name(self), Text(item)}));
  return 0;
}

long wxListCtrl_InsertTextColumn(WxcWindow* self, long col, const char* heading, int format,
                                 int width) {
  Log(Call("wxListCtrl_InsertTextColumn",
           {Name(self), to_string(col), Text(heading), to_string(format), to_string(width)}));
  return col;
}

long wxListCtrl_InsertItem(WxcWindow* self, const WxcListItem* item) {
  Log(Call("wxListCtrl_InsertItem", {Name(self), Name(item)}));
  return 0;
}

int wxListCtrl_SetItem_By_Row_Col(WxcWindow* self, long row, int col, const char* text, int image) {
  Log(Call("wxListCtrl_SetItem_By_Row_Col",
           {Name(self), to_string(row), to_string(col), Text(text), to_string(image)}));
  return 1;
}

void wxEvtHandler_proxy(WxcWindow* self, WxcEventFunc handler) {
  Log(Call("wxEvtHandler_proxy", {Name(self), Fn(handler)}));
  if (Object* window = Find(self)) window->handler = handler;
}

void wxEvtHandler_Connect(WxcWindow* self, int event_type, int id, int last_id, int data) {
  Log(Call("wxEvtHandler_Connect", {Name(self), to_string(event_type), to_string(id),
                                    to_string(last_id), to_string(data)}));
  if (Object* window = Find(self)) window->connections.push_back({event_type, id, last_id, data});
}

int wxEvent_EVT_COMMAND_BUTTON_CLICKED(void) {
  return EventType("wxEvent_EVT_COMMAND_BUTTON_CLICKED", kClick);
}
int wxEvent_EVT_COMMAND_COMBOBOX_SELECTED(void) {
  return EventType("wxEvent_EVT_COMMAND_COMBOBOX_SELECTED", kComboSelect);
}
int wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED(void) {
  return EventType("wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED", kListSelect);
}
int wxEvent_EVT_SIZE(void) {
  return EventType("wxEvent_EVT_SIZE", kSizeEvent);
}

WxcWindow* wxEvent_GetEventObject(WxcEvent* event) {
  Object* e = Find(event);
  Object* source = e ? e->source : nullptr;
  Log(Call("wxEvent_GetEventObject", {Name(event)}) + " -> " + Name(source));
  return Handed<WxcWindow>(source);
}

int wxComboBox_GetSelection(WxcWindow* self) {
  const long selection = SelectionOf(self, Kind::kComboBox);
  Log(Call("wxComboBox_GetSelection", {Name(self)}) + " -> " + to_string(selection));
  return static_cast<int>(selection);
}

long wxListView_GetFirstSelected(WxcWindow* self) {
  const long selection = SelectionOf(self, Kind::kListView);
  Log(Call("wxListView_GetFirstSelected", {Name(self)}) + " -> " + to_string(selection));
  return selection;
}

// Fills in a made-up client area: the frame's 380 x 331 less its frame and caption.
void wxWindow_GetClientRect(WxcWindow* self, WxcRect* rect) {
  Log(Call("wxWindow_GetClientRect", {Name(self), rect ? "rect" : "null"}) + " -> {0,0,372,304}");
  if (rect) *rect = WxcRect{0, 0, 372, 304};
}

void wxWindow_CenterOnScreen(WxcWindow* self, int direction) {
  Log(Call("wxWindow_CenterOnScreen", {Name(self), to_string(direction)}));
}

int wxWindow_Show(WxcWindow* self, int show) {
  Log(Call("wxWindow_Show", {Name(self), to_string(show)}));
  return 1;
}

int wxMsgBox(WxcWindow* parent, const char* message, const char* caption, long style,
             const WxcSize* pos) {
  Log(Call("wxMsgBox", {Name(parent), Text(message), Text(caption), Style(style), Name(pos)}) +
      " -> 5100");
  return 5100;
}

}  // extern "C"
