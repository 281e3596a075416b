#include "device/profile_markers.h"

namespace {

constexpr int kMarkerProfile1 = 10;
constexpr int kMarkerProfile2 = 12;
constexpr int kMarkerProfile3 = 3;

} // namespace

bool hadFactoryChoices(const MouseSettings& settings, int offset) {
    switch (offset) {
    case 0:
        return settings.defaultsMarkerA == kMarkerProfile1 ||
               settings.defaultsMarkerA == kMarkerProfile2;
    case 11:
        return settings.defaultsMarkerA == kMarkerProfile2;
    case 22:
        return settings.defaultsMarkerB == kMarkerProfile3;
    default:
        return false;
    }
}

void markFactoryChoices(MouseSettings& settings, int offset) {
    switch (offset) {
    case 0:
        settings.defaultsMarkerA = kMarkerProfile1;
        break;
    case 11:
        settings.defaultsMarkerA = kMarkerProfile2;
        break;
    case 22:
        settings.defaultsMarkerB = kMarkerProfile3;
        break;
    default:
        break;
    }
}

void markStoredProfile(MouseSettings& settings, int offset) {
    if (!hadFactoryChoices(settings, offset)) markFactoryChoices(settings, offset);
}
