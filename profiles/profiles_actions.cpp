#include "profiles/profiles_actions.h"

#include "device/commit.h"
#include "device/config_block.h"
#include "device/mouse_ids.h"
#include "device/profile_markers.h"
#include "pointer/pointer_settings.h"
#include "profiles/mouse_profiles.h"
#include "profiles/mouse_session.h"
#include "profiles/profiles_file.h"
#include "profiles/profiles_json.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kMouseName[] = "Glimmerhaus Pelko";
constexpr int kMarkerAddresses[] = {0, 1};
constexpr int kFirstProfileAddress = ProfileBaseAddress;
constexpr int kLastProfileAddress = ProfileBaseAddress + 3 * int(sizeof(ProfileSettings)) - 1;

ProfilesResult result(ProfilesStatus status, std::string message) {
    return ProfilesResult{status, std::move(message)};
}

std::optional<ProfilesResult> refusedStart(SessionStart start) {
    switch (start) {
    case SessionStart::Ready:
        return std::nullopt;
    case SessionStart::MouseBusy:
        return result(ProfilesStatus::MouseBusy,
                      "another program kept the mouse busy; nothing was changed, try again");
    case SessionStart::WindowRunning:
        return result(ProfilesStatus::WindowOpen,
                      "the Pelko settings window is open; close it first, then try again");
    case SessionStart::NoMouse:
        return result(ProfilesStatus::NoMouse, "no Glimmerhaus Pelko answered");
    case SessionStart::PartlyRead:
        return result(ProfilesStatus::NoMouse,
                      "the mouse did not answer every read; nothing was changed, try again");
    }
    return std::nullopt;
}

// UTC, "2026-12-09T18:30:00Z".
std::string utcNow() {
    SYSTEMTIME now = {};
    ::GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

ProfilesDocument documentOf(const MouseSession& session, const MouseSettings& settings) {
    ProfilesDocument document;
    document.vendorId = kPelkoVendorId;
    document.productId = kPelkoProductId;
    document.mouseName = kMouseName;
    document.firmware = session.firmware();
    document.saved = utcNow();
    for (int index = 0; index < kProfileCount; ++index)
        document.profiles[index] = savedProfileOf(settings, index);
    return document;
}

bool namesConfiguredProfile(const ProfilesDocument& document) {
    for (const auto& profile : document.profiles)
        if (profile && profile->configured) return true;
    return false;
}

// The markers and the profiles' bytes hold what was written.
bool holdsProfiles(const MouseSettings& mouse, const MouseSettings& written) {
    for (int address : kMarkerAddresses)
        if (blockByte(mouse, address) != blockByte(written, address)) return false;
    for (int address = kFirstProfileAddress; address <= kLastProfileAddress; ++address)
        if (blockByte(mouse, address) != blockByte(written, address)) return false;
    return true;
}

// Both commits of a restore and the read back. False when the mouse did not end up holding
// the written profiles (a pulled cable, or a write it refused).
bool writeProfiles(HidDevice& device, MouseSettings& target, const MouseSettings& before,
                   const PanelValues& live, int currentProfile) {
    const bool markersMove = target.defaultsMarkerA != before.defaultsMarkerA ||
                             target.defaultsMarkerB != before.defaultsMarkerB;
    if (markersMove) {
        MouseSettings profilesFirst = target;
        profilesFirst.defaultsMarkerA = before.defaultsMarkerA;
        profilesFirst.defaultsMarkerB = before.defaultsMarkerB;
        commitSettings(device, profilesFirst, live, currentProfile, CommitKind::Apply);
        MouseSettings check;
        if (readConfigBlock(device, check) != ConfigRecordCount ||
            !holdsProfiles(check, profilesFirst))
            return false;
    }
    commitSettings(device, target, live, currentProfile, CommitKind::Apply);
    MouseSettings check;
    return readConfigBlock(device, check) == ConfigRecordCount && holdsProfiles(check, target);
}

void applyActiveProfile(const MouseSettings& settings, int currentProfile) {
    const int index = profileIndex(currentProfile);
    if (index < 0 || !hadFactoryChoices(settings, currentProfile)) return;
    const ProfileSettings& profile = settings.profiles[index];
    applyCarriedPointerSettings(
        carriedPointerSettings({profile.pointerSpeed, profile.acceleration, profile.wheelLines}));
}

std::optional<ProfilesDocument> documentFromFile(const std::wstring& path, std::string& error) {
    std::string text;
    const FileResult read = readProfilesFile(path, text);
    if (!read.ok) {
        error = read.error;
        return std::nullopt;
    }
    ParsedProfiles parsed = parseProfilesJson(text);
    if (!parsed.document) error = utf8Of(path) + ": " + parsed.error;
    return parsed.document;
}

} // namespace

ProfilesResult readMouseProfiles(ProfilesDocument& document, bool refuseWhileWindowRuns) {
    MouseSession session;
    if (auto refused = refusedStart(session.open(refuseWhileWindowRuns))) return *refused;
    document = documentOf(session, session.settings());
    return result(ProfilesStatus::Done, "read the mouse's profiles");
}

ProfilesResult saveMouseProfiles(const std::wstring& path, bool refuseWhileWindowRuns) {
    ProfilesDocument document;
    ProfilesResult read = readMouseProfiles(document, refuseWhileWindowRuns);
    if (read.status != ProfilesStatus::Done) return read;
    const FileResult written = writeProfilesFile(path, profilesJson(document));
    if (!written.ok) return result(ProfilesStatus::NotSaved, written.error);
    return result(ProfilesStatus::Done, "saved the mouse's profiles to " + utf8Of(path));
}

ProfilesResult restoreMouseProfiles(const std::wstring& path, RestoredState* restored) {
    std::string error;
    const std::optional<ProfilesDocument> document = documentFromFile(path, error);
    if (!document) return result(ProfilesStatus::BadFile, error + "; nothing was changed");
    MouseSession session;
    if (auto refused = refusedStart(session.open(true))) return *refused;
    const MouseSettings before = session.settings();
    const int current = profileIndex(before.activeProfile) < 0 ? 0 : before.activeProfile;
    if (!namesConfiguredProfile(*document))
        return result(ProfilesStatus::Done, "the file names no configured profile; the mouse "
                                            "was left as it is");
    {
        MouseSettings target = before;
        const PanelValues live = storeDocumentProfiles(target, *document, current);
        if (!writeProfiles(session.device(), target, before, live, current))
            return result(ProfilesStatus::NotCompleted,
                          "the restore did not complete: the mouse stopped answering; run it "
                          "again once the mouse is back");
        applyActiveProfile(target, current);
        if (restored) {
            restored->written = true;
            restored->profile = profileIndex(current) + 1;
            restored->cpiStage = target.cpiStage;
            restored->record = target.profiles[profileIndex(current)];
        }
    }
    return result(ProfilesStatus::Done, "restored the mouse's profiles from " + utf8Of(path));
}
