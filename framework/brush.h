// CBrush and CPen: owned brush and pen handles.
#pragma once
#include "framework/gdi_object.h"

class CBrush : public CGdiObject {
  public:
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    HBRUSH GetSafeHandle() const { return static_cast<HBRUSH>(m_hObject); }
};

class CPen : public CGdiObject {
  public:
    BOOL CreatePen(int style, int width, COLORREF colour) {
        return Attach(::CreatePen(style, width, colour));
    }
    HPEN GetSafeHandle() const { return static_cast<HPEN>(m_hObject); }
};
