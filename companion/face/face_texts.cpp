#include "companion/face/face_texts.h"

namespace {

constexpr wchar_t kProductName[] = L"Glimmerhaus Pelko";

std::wstring cpiText(int cpi) {
    return std::to_wstring(cpi) + L" CPI";
}

} // namespace

std::wstring profileDisplayText(const MouseView& view) {
    std::wstring text = L"Profile " + std::to_wstring(view.profile);
    if (view.cpi > 0) text += L" \u00B7 " + cpiText(view.cpi);
    return text;
}

std::wstring switchDisplayText(const MouseView& view, const std::wstring& program) {
    const std::wstring text = profileDisplayText(view);
    return program.empty() ? text : text + L" \u00B7 " + program;
}

std::wstring stageDisplayText(const MouseView& view) {
    if (view.cpi > 0) return cpiText(view.cpi);
    return L"CPI stage " + std::to_wstring(view.stage);
}

std::wstring trayTipText(const MouseView& view) {
    std::wstring text = std::wstring(kProductName) + L": profile " + std::to_wstring(view.profile);
    if (view.cpi > 0) text += L", " + cpiText(view.cpi);
    return text;
}

std::wstring trayTipNoMouse() {
    return std::wstring(kProductName) + L": no mouse";
}
