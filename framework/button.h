// CButton: a subclassed system BUTTON; owner-drawn buttons get the parent's WM_DRAWITEM
// reflected to DrawItem.
#pragma once
#include "framework/wnd.h"

class CButton : public CWnd {
  public:
    BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    void ReflectedDrawItem(DRAWITEMSTRUCT* item) override { DrawItem(item); }
};
