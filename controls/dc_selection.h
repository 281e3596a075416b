// Selects a GDI object into a DC for the length of a scope and puts the previous one back.
#pragma once
#include <windows.h>

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
