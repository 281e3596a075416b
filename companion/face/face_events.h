// The profile follower's events turned into what the companion's face shows: the mouse's state
// as a profile number, a stage and that stage's CPI from the profile's record.
#pragma once

#include "companion/face/companion_face.h"
#include "companion/core/follower_events.h"

#include <optional>

// The CPI of a stage code (8, 16, 32, 64; 0 is the first entry); 0 for a code that names none.
int cpiOfCode(int code);

class FaceEvents : public FollowerEvents {
  public:
    // Events before a face is attached only keep the record; null detaches.
    void attach(CompanionFace* face) { m_face = face; }

    void mouseFound(const MouseState& state, const ProfileSettings* record) override;
    void mouseLost() override;
    void profileSelected(const MouseState& state, const ProfileSettings& record,
                         const CarriedSettingsOutcome&) override;
    void stageSelected(const MouseState& state) override;
    void profileSwitched(const MouseState& state, const ProfileSettings& record,
                         const CarriedSettingsOutcome&, const std::wstring& program) override;

  private:
    void keepRecord(const MouseState& state, const ProfileSettings& record);
    MouseView viewOf(const MouseState& state) const;

    CompanionFace* m_face = nullptr;
    // The record of the active profile, for the CPI of its stages: from the block read when
    // the mouse was opened, then from each profile selected under the companion's eyes.
    std::optional<ProfileSettings> m_record;
    int m_recordProfile = -1;
};
