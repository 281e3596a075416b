// Scoped changes to a device context: each puts back what it changed when the scope ends.
#pragma once
#include <windows.h>

// Selects a GDI object into a DC for the length of a scope and puts the previous one back.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // False when the object could not be selected (null object, or the DC refused it).
    bool ok() const { return m_previous != nullptr; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Sets a DC's text colour and background mode for the length of a scope, then restores both.
class ScopedTextStyle {
  public:
    ScopedTextStyle(HDC dc, COLORREF textColour, int backgroundMode)
        : m_dc(dc), m_colour(::SetTextColor(dc, textColour)),
          m_mode(::SetBkMode(dc, backgroundMode)) {}
    ~ScopedTextStyle() {
        if (m_mode) ::SetBkMode(m_dc, m_mode);
        if (m_colour != CLR_INVALID) ::SetTextColor(m_dc, m_colour);
    }
    ScopedTextStyle(const ScopedTextStyle&) = delete;
    ScopedTextStyle& operator=(const ScopedTextStyle&) = delete;

  private:
    HDC m_dc;
    COLORREF m_colour;
    int m_mode;
};
