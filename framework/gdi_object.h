// CGdiObject: owns one GDI object handle (RAII, move-only) and deletes it when destroyed.
// Attach takes ownership, Detach gives it up. The framework counts the GDI objects and
// device contexts its wrappers own, as a leak witness (Wine has no GDI object counter).
#pragma once
#include <windows.h>

long GdiLiveObjects();
void GdiLiveAdjust(long delta); // for the framework's own wrappers

class CGdiObject {
  public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ handle) { Attach(handle); }
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject) {
        other.m_hObject = nullptr;
    }
    CGdiObject& operator=(CGdiObject&& other) noexcept;

    // Takes ownership of handle; an object already held is deleted first.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, void* buffer) const;

  protected:
    HGDIOBJ m_hObject = nullptr;
};
