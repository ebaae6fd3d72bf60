// Conversions between the opaque handles of wxc.h and the wxWidgets objects behind them.
// A window handle always points at the object's wxWindow part, so that a window given back by
// an event compares equal to the handle its constructor returned.
#ifndef WXC_HANDLES_H_
#define WXC_HANDLES_H_

#include <wx/gdicmn.h>
#include <wx/listbase.h>
#include <wx/validate.h>
#include <wx/window.h>

#include "wxc.h"

namespace wxc {

inline WxcWindow* ToHandle(wxWindow* window) {
  return reinterpret_cast<WxcWindow*>(window);
}

inline wxWindow* ToWindow(WxcWindow* handle) {
  return reinterpret_cast<wxWindow*>(handle);
}

// The window behind a handle if it is of kind T, else null.
template <typename T>
T* As(WxcWindow* handle) {
  return dynamic_cast<T*>(ToWindow(handle));
}

inline WxcSize* ToHandle(wxSize* size) {
  return reinterpret_cast<WxcSize*>(size);
}

inline wxSize SizeOf(const WxcSize* handle) {
  return handle ? *reinterpret_cast<const wxSize*>(handle) : wxDefaultSize;
}

// Positions travel in size objects: the first value is x, the second y.
inline wxPoint PointOf(const WxcSize* handle) {
  const wxSize size = SizeOf(handle);
  return wxPoint(size.x, size.y);
}

inline const wxValidator& ValidatorOf(const WxcValidator* handle) {
  return handle ? *reinterpret_cast<const wxValidator*>(handle) : wxDefaultValidator;
}

inline WxcListItem* ToHandle(wxListItem* item) {
  return reinterpret_cast<WxcListItem*>(item);
}

inline const wxListItem* ToListItem(const WxcListItem* handle) {
  return reinterpret_cast<const wxListItem*>(handle);
}

}  // namespace wxc

#endif  // WXC_HANDLES_H_
