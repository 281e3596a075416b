#include "companion/core/mouse_link.h"

#include "device/config_block.h"

#include <string>

MouseLink::Opened MouseLink::open() {
    std::wstring firmwareVersion;
    switch (m_mouse.open(m_block, firmwareVersion)) {
    case StartedMouse::Opened::NoMouse:
        return Opened::NoMouse;
    case StartedMouse::Opened::Failed:
        return Opened::Failed;
    case StartedMouse::Opened::Started:
        break;
    }
    return m_mouse.current()->unlocked ? Opened::Watchable : Opened::Locked;
}

WatchReply MouseLink::watch() {
    HidDevice* current = m_mouse.current();
    return current ? sendWatchRequest(*current) : WatchReply{};
}

bool MouseLink::selectProfile(int offset, const LiveState& live) {
    HidDevice* current = m_mouse.current();
    return current && selectProfileLive(*current, offset, live);
}

bool MouseLink::readProfile(int offset, ProfileSettings& profile) {
    HidDevice* current = m_mouse.current();
    return current && readProfileRecord(*current, offset, profile);
}
