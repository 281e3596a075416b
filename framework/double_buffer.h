// A paint that draws into a memory bitmap of the target's size and copies it to the target
// in one piece when it ends, so that a window repaints without flicker.
#pragma once
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dc_scope.h"
#include <optional>

class DoubleBuffer {
  public:
    // When the memory DC or its bitmap cannot be made, dc() is the target itself and
    // nothing is copied at the end.
    DoubleBuffer(CDC& target, int width, int height);
    ~DoubleBuffer();
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    CDC& dc() { return m_selection ? m_memory : m_target; }

  private:
    CDC& m_target;
    int m_width, m_height;
    CBitmap m_bitmap; // declared before the DC and the selection: it goes last
    CDC m_memory;
    std::optional<ScopedSelection> m_selection;
};
