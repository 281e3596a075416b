#include "companion/face/face_events.h"

int cpiOfCode(int code) {
    switch (code) {
    case 0:
    case 8:
        return 400;
    case 16:
        return 800;
    case 32:
        return 1600;
    case 64:
        return 3200;
    default:
        return 0;
    }
}

MouseView FaceEvents::viewOf(const MouseState& state) const {
    MouseView view;
    const int index = profileIndex(state.activeProfile);
    view.profile = index >= 0 ? index + 1 : 1;
    view.stage = state.cpiStage;
    // A record of another profile, or a stage out of range, gives no CPI rather than a wrong one.
    if (m_record && m_recordProfile == index && state.cpiStage >= 1 && state.cpiStage <= 4)
        view.cpi = cpiOfCode(m_record->cpiCode[state.cpiStage - 1]);
    return view;
}

void FaceEvents::keepRecord(const MouseState& state, const ProfileSettings& record) {
    m_record = record;
    m_recordProfile = profileIndex(state.activeProfile);
}

void FaceEvents::mouseFound(const MouseState& state, const ProfileSettings* record) {
    if (record) keepRecord(state, *record);
    if (m_face) m_face->mouseFound(viewOf(state));
}

void FaceEvents::mouseLost() {
    m_record.reset();
    m_recordProfile = -1;
    if (m_face) m_face->mouseLost();
}

void FaceEvents::profileSelected(const MouseState& state, const ProfileSettings& record,
                                 const CarriedSettingsOutcome&) {
    keepRecord(state, record);
    if (m_face) m_face->profileChanged(viewOf(state));
}

void FaceEvents::stageSelected(const MouseState& state) {
    if (m_face) m_face->stageChanged(viewOf(state));
}

void FaceEvents::profileSwitched(const MouseState& state, const ProfileSettings& record,
                                 const CarriedSettingsOutcome&, const std::wstring& program) {
    keepRecord(state, record);
    if (m_face) m_face->profileSwitched(viewOf(state), program);
}
