// CFont: an owned font handle.
#pragma once
#include "framework/gdi_object.h"

class CFont : public CGdiObject {
  public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName);
    // The project's one recipe: the charset, precision and quality the skin's texts use.
    BOOL CreateSkinFont(int height, int weight, BYTE italic, BYTE underline, BYTE strikeOut,
                        LPCWSTR face) {
        return CreateFont(height, 0, 0, 0, weight, italic, underline, strikeOut, DEFAULT_CHARSET,
                          OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, CLEARTYPE_QUALITY, 0, face);
    }
    HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const { return GetSafeHandle(); }
};
