#include "framework/font.h"

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCWSTR faceName) {
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                                strikeOut, charSet, outPrecision, clipPrecision, quality,
                                pitchAndFamily, faceName));
}

BOOL CFont::CreateSkinFont(int height, int weight, BYTE italic, BYTE underline, BYTE strikeOut,
                           LPCWSTR face) {
    return CreateFont(height, 0, 0, 0, weight, italic, underline, strikeOut, DEFAULT_CHARSET,
                      OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, CLEARTYPE_QUALITY, 0, face);
}
