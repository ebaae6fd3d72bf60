// wx-c: a flat C interface over wxWidgets, exactly as wide as dlgsample needs.
//
// Every object is reached through an opaque handle. Windows of every kind share one handle type,
// since the same window is passed to the generic window and event functions as well as to the
// functions of its own kind; a function given a window of the wrong kind does nothing.
// Style numbers, event types and direction values are wxWidgets' own and are passed unchanged.
// Texts are 8-bit, zero-terminated strings, read as UTF-8 (as Latin-1 when not valid UTF-8).
// A null text stands for an empty one, or for the default name where a name is asked for.
#ifndef WXC_WXC_H_
#define WXC_WXC_H_

#ifdef __cplusplus
extern "C" {
#endif

#define WXC_API __attribute__((visibility("default")))

typedef struct WxcApp WxcApp;
typedef struct WxcWindow WxcWindow;
typedef struct WxcSize WxcSize;  // two integers: a width and height, or an x and y
typedef struct WxcListItem WxcListItem;
typedef struct WxcEvent WxcEvent;
typedef struct WxcValidator WxcValidator;

// A rectangle that the caller owns and the library fills.
typedef struct WxcRect {
  int x, y, width, height;
} WxcRect;

typedef int (*WxcInitFunc)(WxcApp* app);
typedef int (*WxcExitFunc)(void);
// Receives each connected event with the data value given when connecting.
typedef void (*WxcEventFunc)(WxcEvent* event, int data);

// Application. The start-up and exit callbacks replace the application's own behaviour, which
// they may call through wxApp_OnInit and wxApp_OnExit.
WXC_API WxcApp* wxApp_ctor(void);
WXC_API void wxApp_RegisterVirtual(WxcApp* app, WxcInitFunc on_init, WxcExitFunc on_exit);
WXC_API int wxApp_Run(int argc, char** argv);
WXC_API int wxApp_OnInit(WxcApp* app);
WXC_API int wxApp_OnExit(WxcApp* app);

WXC_API WxcSize* wxSize_ctor(int width, int height);

// Windows are made in two steps: a constructor makes the object, a create call makes the window.
// A null position or size means the default one; a null validator means none.
WXC_API WxcWindow* wxFrame_ctor(void);
WXC_API int wxFrame_Create(WxcWindow* self, WxcWindow* parent, int id, const char* title,
                           const WxcSize* pos, const WxcSize* size, long style, const char* name);
WXC_API WxcWindow* wxPanel_ctor(void);
WXC_API int wxPanel_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                           const WxcSize* size, long style, const char* name);
WXC_API WxcWindow* wxStaticText_ctor(void);
WXC_API int wxStaticText_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                                const WxcSize* pos, const WxcSize* size, long style,
                                const char* name);
WXC_API WxcWindow* wxButton_ctor(void);
WXC_API int wxButton_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                            const WxcSize* pos, const WxcSize* size, long style,
                            const WxcValidator* validator, const char* name);
WXC_API WxcWindow* wxComboBox_ctor(void);
WXC_API int wxComboBox_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                              const WxcSize* pos, const WxcSize* size, int n,
                              const char* const* choices, long style, const WxcValidator* validator,
                              const char* name);
WXC_API WxcWindow* wxTextCtrl_ctor(void);
WXC_API int wxTextCtrl_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                              const WxcSize* pos, const WxcSize* size, long style,
                              const WxcValidator* validator, const char* name);
WXC_API WxcWindow* wxListView_ctor(void);
WXC_API int wxListView_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                              const WxcSize* size, long style, const WxcValidator* validator,
                              const char* name);
WXC_API WxcListItem* wxListItem_ctor(void);

// Content. Each returns the index of what it added, or -1 when nothing was added.
WXC_API int wxComboBox_Append(WxcWindow* self, const char* item);
WXC_API long wxListCtrl_InsertTextColumn(WxcWindow* self, long col, const char* heading, int format,
                                         int width);
// Inserts a row at the item's index; an item without a valid index adds the row at the end.
WXC_API long wxListCtrl_InsertItem(WxcWindow* self, const WxcListItem* item);
WXC_API int wxListCtrl_SetItem_By_Row_Col(WxcWindow* self, long row, int col, const char* text,
                                          int image);

// Events: wxEvtHandler_proxy names the function that receives a window's connected events;
// wxEvtHandler_Connect routes events of one type and id range (last_id -1: id alone) to it.
WXC_API void wxEvtHandler_proxy(WxcWindow* self, WxcEventFunc handler);
WXC_API void wxEvtHandler_Connect(WxcWindow* self, int event_type, int id, int last_id, int data);
WXC_API int wxEvent_EVT_COMMAND_BUTTON_CLICKED(void);
WXC_API int wxEvent_EVT_COMMAND_COMBOBOX_SELECTED(void);
WXC_API int wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED(void);
WXC_API int wxEvent_EVT_SIZE(void);
// The window that sent the event, or null when it came from something else.
WXC_API WxcWindow* wxEvent_GetEventObject(WxcEvent* event);

// Queries: -1 when nothing is selected or the window is not of that kind.
WXC_API int wxComboBox_GetSelection(WxcWindow* self);
WXC_API long wxListView_GetFirstSelected(WxcWindow* self);
WXC_API void wxWindow_GetClientRect(WxcWindow* self, WxcRect* rect);

WXC_API void wxWindow_CenterOnScreen(WxcWindow* self, int direction);
WXC_API int wxWindow_Show(WxcWindow* self, int show);

// Shows a modal message box and returns the id of the button that closed it. A style without
// any button still gets an OK button. With WXC_TRACE set to a file name, each call first appends
// one line to that file: the caption, a tab and the message.
WXC_API int wxMsgBox(WxcWindow* parent, const char* message, const char* caption, long style,
                     const WxcSize* pos);

#ifdef __cplusplus
}
#endif

#endif  // WXC_WXC_H_
