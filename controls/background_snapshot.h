// A control's copy of the parent pixels under it, taken once, so that the control repaints
// its own background without asking the parent to repaint.
#pragma once
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"
#include "framework/wnd.h"
#include <optional>

class BackgroundSnapshot {
  public:
    BackgroundSnapshot() = default;
    ~BackgroundSnapshot();
    BackgroundSnapshot(const BackgroundSnapshot&) = delete;
    BackgroundSnapshot& operator=(const BackgroundSnapshot&) = delete;

    bool Exists() const { return m_selection.has_value(); }
    // Copies the parent's client pixels under control's window rectangle (client size).
    // Does nothing when a snapshot exists already; returns whether one exists afterwards.
    bool Take(const CWnd& control);
    // Copies the snapshot to (0, 0) of dest, width × height. Nothing without a snapshot.
    BOOL Draw(HDC dest, int width, int height);

  private:
    void Release();

    // In this order: the bitmap is put back out of the DC, then the DC goes, then the bitmap.
    CBitmap m_bitmap;
    CDC m_dc;
    std::optional<ScopedSelection> m_selection;
};
