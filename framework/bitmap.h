// CBitmap: an owned bitmap handle.
#pragma once
#include "framework/gdi_object.h"

class CDC;

class CBitmap : public CGdiObject {
  public:
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info); }
    HBITMAP GetSafeHandle() const { return static_cast<HBITMAP>(m_hObject); }
    operator HBITMAP() const { return GetSafeHandle(); }
};
