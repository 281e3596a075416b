#include "framework/double_buffer.h"

DoubleBuffer::DoubleBuffer(CDC& target, int width, int height)
    : m_target(target), m_width(width), m_height(height) {
    if (width <= 0 || height <= 0) return;
    if (!m_memory.CreateCompatibleDC(&target) ||
        !m_bitmap.CreateCompatibleBitmap(&target, width, height))
        return;
    m_selection.emplace(m_memory, m_bitmap.GetSafeHandle());
    if (!m_selection->ok()) m_selection.reset();
}

DoubleBuffer::~DoubleBuffer() {
    if (m_selection) m_target.BitBlt(0, 0, m_width, m_height, &m_memory, 0, 0, SRCCOPY);
}
