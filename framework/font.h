// CFont: an owned font handle.
#pragma once
#include "framework/gdi_object.h"

class CFont : public CGdiObject {
  public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName);
    // The program's one font recipe (every caption, list and label font): the given height,
    // weight, styles and face, default character set, character precision for output and
    // clipping, ClearType quality, default pitch and family. Replaces a font already held.
    BOOL CreateSkinFont(int height, int weight, BYTE italic, BYTE underline, BYTE strikeOut,
                        LPCWSTR face);
    HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hObject); }
    operator HFONT() const { return GetSafeHandle(); }
};
