#include "framework/gdi_object.h"

namespace {
long liveObjects = 0;
}

long GdiLiveObjects() {
    return liveObjects;
}
void GdiLiveAdjust(long delta) {
    liveObjects += delta;
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
        DeleteObject();
        m_hObject = other.m_hObject;
        other.m_hObject = nullptr;
    }
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (!handle) return FALSE;
    if (handle == m_hObject) return TRUE;
    DeleteObject();
    m_hObject = handle;
    GdiLiveAdjust(1);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_hObject;
    if (handle) GdiLiveAdjust(-1);
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject() {
    HGDIOBJ handle = Detach();
    return handle ? ::DeleteObject(handle) : FALSE;
}

int CGdiObject::GetObject(int size, void* buffer) const {
    return m_hObject ? ::GetObjectW(m_hObject, size, buffer) : 0;
}
