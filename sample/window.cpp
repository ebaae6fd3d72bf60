#include "window.h"

#include "content.h"
#include "handlers.h"
#include "styles.h"

namespace dlgsample {

WxcWindow* g_panel = nullptr;

namespace {

enum class Kind { kStaticText, kButton, kComboBox, kTextCtrl, kListView };

// One control of dialog 1000, in pixels of a 6 x 13 character cell.
struct Control {
  Kind kind;
  int id;
  const char* text;  // label or value
  int x, y, width, height;
  long style;
  WxcEventFunc handler;  // null: the control answers no events
};

// The static texts get id -1, although the dialog numbers them 1001 to 1004.
constexpr Control kControls[] = {
    {Kind::kStaticText, -1, "NO BORDER", 6, 5, 72, 18, 0, nullptr},
    {Kind::kStaticText, -1, "BORDER", 3, 29, 78, 24, kSimpleBorder, nullptr},
    {Kind::kStaticText, -1, "RAISED", 3, 59, 78, 24, kRaisedBorder, nullptr},
    {Kind::kStaticText, -1, "SUNKEN", 3, 89, 78, 24, kSunkenBorder, nullptr},
    {Kind::kButton, 1005, "BT FLAT", 84, 2, 102, 24, kNoBorder, OnBtn1Clicked},
    {Kind::kButton, 1006, "BT 3D", 84, 29, 102, 24, 0, OnBtn2Clicked},
    {Kind::kButton, 1007, "BT BORDER", 84, 59, 102, 24, kSimpleBorder | kNoBorder, OnBtn3Clicked},
    {Kind::kButton, 1008, "BT SUNKEN", 84, 89, 102, 24, kSunkenBorder, OnBtn4Clicked},
    {Kind::kComboBox, 1009, "", 3, 117, 183, 24, kComboDropDown, OnCbo1Selected},
    {Kind::kTextCtrl, 1010, "Left - Single", 189, 2, 177, 24, 0, nullptr},
    {Kind::kListView, 1012, nullptr, 3, 143, 183, 153, kRaisedBorder, OnLsv1Selected},
    {Kind::kListView, 1013, nullptr, 189, 143, 177, 153, kRaisedBorder | kListReport,
     OnLsv2Selected},
    {Kind::kTextCtrl, 1011, "Center-Multiline", 189, 29, 177, 109,
     kRaisedBorder | kTextCentred | kTextMultiLine, nullptr},
};

struct Placement {
  WxcSize* pos;
  WxcSize* size;
};

// Makes the control's position object, then its size object.
Placement PlaceOf(const Control& c) {
  WxcSize* pos = wxSize_ctor(c.x, c.y);
  WxcSize* size = wxSize_ctor(c.width, c.height);
  return {pos, size};
}

// Gives the window its handler, then routes events of one type from the control's id to it.
void Connect(WxcWindow* window, WxcEventFunc handler, int (*event_type)(void), int id) {
  wxEvtHandler_proxy(window, handler);
  wxEvtHandler_Connect(window, event_type(), id, -1, 0);
}

// Creates the control on the panel; fills it and connects it where it has content and events.
void CreateControl(const Control& c) {
  switch (c.kind) {
    case Kind::kStaticText: {
      WxcWindow* text = wxStaticText_ctor();
      const Placement at = PlaceOf(c);
      wxStaticText_Create(text, g_panel, c.id, c.text, at.pos, at.size, c.style, nullptr);
      return;
    }
    case Kind::kButton: {
      WxcWindow* button = wxButton_ctor();
      const Placement at = PlaceOf(c);
      wxButton_Create(button, g_panel, c.id, c.text, at.pos, at.size, c.style, nullptr, nullptr);
      Connect(button, c.handler, wxEvent_EVT_COMMAND_BUTTON_CLICKED, c.id);
      return;
    }
    case Kind::kComboBox: {
      WxcWindow* combo = wxComboBox_ctor();
      const Placement at = PlaceOf(c);
      wxComboBox_Create(combo, g_panel, c.id, c.text, at.pos, at.size, 0, nullptr, c.style, nullptr,
                        nullptr);
      FillCombo(combo);
      Connect(combo, c.handler, wxEvent_EVT_COMMAND_COMBOBOX_SELECTED, c.id);
      return;
    }
    case Kind::kTextCtrl: {
      WxcWindow* text = wxTextCtrl_ctor();
      const Placement at = PlaceOf(c);
      wxTextCtrl_Create(text, g_panel, c.id, c.text, at.pos, at.size, c.style, nullptr, nullptr);
      return;
    }
    case Kind::kListView: {
      WxcWindow* list = wxListView_ctor();
      const Placement at = PlaceOf(c);
      wxListView_Create(list, g_panel, c.id, at.pos, at.size, c.style, nullptr, "");
      FillListView(list);
      Connect(list, c.handler, wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED, c.id);
      return;
    }
  }
}

}  // namespace

void BuildMainWindow() {
  WxcWindow* frame = wxFrame_ctor();
  WxcSize* pos = wxSize_ctor(9, 8);
  WxcSize* size = wxSize_ctor(380, 331);
  wxFrame_Create(frame, nullptr, -1, "Main dialog", pos, size, kFrameStyle, "frame");

  g_panel = wxPanel_ctor();
  wxPanel_Create(g_panel, frame, 1000, nullptr, nullptr, 0, nullptr);
  Connect(g_panel, OnPanelSize, wxEvent_EVT_SIZE, 1000);

  for (const Control& control : kControls) CreateControl(control);

  wxWindow_CenterOnScreen(frame, kCentreBoth);
  wxWindow_Show(frame, 1);
}

}  // namespace dlgsample
