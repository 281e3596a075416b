// The program's resources as the running program sees them: the main window's template, the
// icon sizes and transparency, the version information and the manifest the loader applies.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace {

HMODULE self() {
    return GetModuleHandleW(nullptr);
}

const BYTE* resourceBits(LPCWSTR type, int id, DWORD* size = nullptr) {
    HRSRC found = FindResourceW(self(), MAKEINTRESOURCEW(id), type);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(self(), found);
    return static_cast<const BYTE*>(LockResource(LoadResource(self(), found)));
}

template <typename T> T field(const BYTE* p, size_t offset) {
    T value;
    std::memcpy(&value, p + offset, sizeof value);
    return value;
}

struct TemplateFacts {
    DWORD style;
    int controls, width, height;
};

// Reads both template layouts: DLGTEMPLATEEX (version 1, signature 0xFFFF) and DLGTEMPLATE.
TemplateFacts readTemplate(const BYTE* t) {
    if (field<WORD>(t, 0) == 1 && field<WORD>(t, 2) == 0xFFFF)
        return {field<DWORD>(t, 12), field<WORD>(t, 16), field<short>(t, 22), field<short>(t, 24)};
    return {field<DWORD>(t, 0), field<WORD>(t, 8), field<short>(t, 14), field<short>(t, 16)};
}

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

TEST(Resources, MainWindowTemplateIsABorderlessHiddenPopupWithoutControls) {
    const BYTE* t = resourceBits(RT_DIALOG, 302);
    ASSERT_NE(t, nullptr);
    TemplateFacts facts = readTemplate(t);
    EXPECT_EQ(facts.width, 600);
    EXPECT_EQ(facts.height, 344);
    EXPECT_EQ(facts.controls, 0);
    const DWORD wanted = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(facts.style & wanted, wanted);
    EXPECT_EQ(facts.style &
                  (WS_VISIBLE | WS_CHILD | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | DS_MODALFRAME),
              0u);

    HWND dialog = CreateDialogIndirectParamW(self(), reinterpret_cast<LPCDLGTEMPLATEW>(t), nullptr,
                                             quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog));
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    EXPECT_EQ(window.right - window.left, client.right) << "the window has a frame";
    EXPECT_EQ(window.bottom - window.top, client.bottom) << "the window has a frame";
    DestroyWindow(dialog);
}

// The icon image of the group that the system picks for size x size.
const BITMAPINFOHEADER* iconImage(int size) {
    const BYTE* group = resourceBits(RT_GROUP_ICON, 428);
    if (!group) return nullptr;
    int id =
        LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size, LR_DEFAULTCOLOR);
    return reinterpret_cast<const BITMAPINFOHEADER*>(resourceBits(RT_ICON, id));
}

TEST(Resources, IconHas16_32And48PixelImagesWithAlpha) {
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        const BITMAPINFOHEADER* image = iconImage(size);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->biWidth, size);
        EXPECT_EQ(image->biHeight, 2 * size); // colour and mask halves
        EXPECT_EQ(image->biBitCount, 32);

        HICON icon = static_cast<HICON>(
            LoadImageW(self(), MAKEINTRESOURCEW(428), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Resources, IconCornersAreTransparentCentreOpaqueEdgesSmooth) {
    const BITMAPINFOHEADER* image = iconImage(32);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->biBitCount, 32);
    const BYTE* pixels = reinterpret_cast<const BYTE*>(image) + image->biSize;
    auto alpha = [&](int x, int y) { return pixels[((31 - y) * 32 + x) * 4 + 3]; }; // bottom-up
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(31, 0), 0);
    EXPECT_EQ(alpha(0, 31), 0);
    EXPECT_EQ(alpha(31, 31), 0);
    EXPECT_EQ(alpha(16, 16), 255);
    int partial = 0;
    for (int i = 0; i < 32 * 32; ++i)
        partial += pixels[i * 4 + 3] > 0 && pixels[i * 4 + 3] < 255;
    EXPECT_GT(partial, 8) << "the rounded corners are not anti-aliased";
}

std::wstring versionString(const std::vector<BYTE>& info, const wchar_t* name) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
        return L"(missing)";
    return text;
}

TEST(Resources, VersionInformationNamesTheProductAndVersion) {
    wchar_t file[MAX_PATH];
    GetModuleFileNameW(nullptr, file, MAX_PATH);
    std::vector<BYTE> info(GetFileVersionInfoSizeW(file, nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(file, 0, DWORD(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(0, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(0, 7)));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(0, 1)));
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD(MAKELONG(0, 7)));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(versionString(info, L"ProductName"), L"Glimmerhaus Pelko");
    EXPECT_EQ(versionString(info, L"FileDescription"), L"Glimmerhaus Pelko configuration");
    EXPECT_EQ(versionString(info, L"CompanyName"), L"Glimmerhaus");
    EXPECT_EQ(versionString(info, L"FileVersion"), L"1.0.7");
    EXPECT_EQ(versionString(info, L"ProductVersion"), L"1.0.7");
}

// The manifest text without its comments.
std::string manifestElements() {
    DWORD size = 0;
    const BYTE* bits = resourceBits(RT_MANIFEST, 1, &size);
    if (!bits) return {};
    std::string text(reinterpret_cast<const char*>(bits), size);
    return std::regex_replace(text, std::regex("<!--[\\s\\S]*?-->"), "");
}

// The text of every element of that name.
std::vector<std::string> elementTexts(const std::string& xml, const std::string& name) {
    std::regex element("<" + name + "(\\s[^>]*)?>([^<]*)<");
    std::vector<std::string> texts;
    for (std::sregex_iterator i(xml.begin(), xml.end(), element), end; i != end; ++i)
        texts.push_back((*i)[2]);
    return texts;
}

// The file of the common controls library the loader chose for this program.
std::wstring loadedCommonControlsFile() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    wchar_t file[MAX_PATH] = L"";
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), file, MAX_PATH);
    CharLowerW(file);
    return file;
}

TEST(Resources, ManifestAsksForCommonControls6NoDpiAwarenessAndGdiScaling) {
    std::string manifest = manifestElements();
    ASSERT_FALSE(manifest.empty());
    EXPECT_TRUE(
        std::regex_search(manifest, std::regex("name=\"Microsoft\\.Windows\\.Common-"
                                               "Controls\"[^>]*version=\"6\\.0\\.0\\.0\"")));
    for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // Windows 7
                           "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                           "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"),
                  std::string::npos)
            << os;
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_EQ(elementTexts(manifest, "dpiAware"), std::vector<std::string>{"false"});
    EXPECT_EQ(elementTexts(manifest, "dpiAwareness"), std::vector<std::string>{"unaware"});
    // Sharp text on a scaled display (Windows 10 and 11), read only in its own namespace and
    // among the window settings.
    EXPECT_TRUE(std::regex_search(
        manifest, std::regex("<windowsSettings>[\\s\\S]*<gdiScaling xmlns=\"http://schemas\\."
                             "microsoft\\.com/SMI/2017/WindowsSettings\">true</gdiScaling>"
                             "[\\s\\S]*</windowsSettings>")));

    // The loader read the manifest: the version 6 common controls (a side-by-side assembly)
    // are the ones loaded.
    EXPECT_NE(
        loadedCommonControlsFile().find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
        std::wstring::npos)
        << loadedCommonControlsFile();
}

} // namespace
