// Scoped changes of a DC's state, each put back when the scope ends.
#pragma once
#include <windows.h>

// Selects a GDI object into a DC and puts the previous one back.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (m_previous) ::SelectObject(m_dc, m_previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    bool ok() const { return m_previous != nullptr; }

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Sets the text colour and background mode and puts both back.
class ScopedTextStyle {
  public:
    ScopedTextStyle(HDC dc, COLORREF textColour, int backgroundMode)
        : m_dc(dc), m_colour(::SetTextColor(dc, textColour)), m_mode(::SetBkMode(dc, backgroundMode)) {}
    ~ScopedTextStyle() {
        ::SetBkMode(m_dc, m_mode);
        ::SetTextColor(m_dc, m_colour);
    }
    ScopedTextStyle(const ScopedTextStyle&) = delete;
    ScopedTextStyle& operator=(const ScopedTextStyle&) = delete;

  private:
    HDC m_dc;
    COLORREF m_colour;
    int m_mode;
};
