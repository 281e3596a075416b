#include "tests/fault/skin_variants.h"

#include "device/skin_library.h"
#include "tests/support/beside_program.h"

namespace {

constexpr WORD kSkinLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

BOOL CALLBACK collectBitmap(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(ids)->push_back(WORD(ULONG_PTR(name)));
    return TRUE;
}

// A bitmap resource: the header and bottom-up 24-bit rows of one grey.
std::vector<BYTE> greyBitmap(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<BYTE> data(sizeof(BITMAPINFOHEADER) + size_t(stride) * size_t(height), 0x60);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    memcpy(data.data(), &header, sizeof(header));
    return data;
}

// Copies the file and opens the copy for resource updates.
HANDLE beginCopy(const std::wstring& source, const std::wstring& target) {
    const std::wstring to = besideProgram(target);
    if (!::CopyFileW(besideProgram(source).c_str(), to.c_str(), FALSE)) return nullptr;
    return ::BeginUpdateResourceW(to.c_str(), FALSE);
}

} // namespace

std::vector<WORD> releaseSkinBitmapIds() {
    std::vector<WORD> ids;
    HMODULE skin = loadSkinLibrary(kDefaultSkinLibraryName); // beside the program
    if (!skin) return ids;
    ::EnumResourceNamesW(skin, MAKEINTRESOURCEW(2), collectBitmap, LONG_PTR(&ids));
    ::FreeLibrary(skin);
    return ids;
}

bool writeSkinWithout(const std::wstring& source, const std::wstring& target, WORD missing) {
    HANDLE update = beginCopy(source, target);
    if (!update) return false;
    if (missing)
        ::UpdateResourceW(update, RT_BITMAP, MAKEINTRESOURCEW(missing), kSkinLanguage, nullptr, 0);
    return ::EndUpdateResourceW(update, FALSE);
}

bool writeSkinResized(const std::wstring& target, int width, int height) {
    const std::vector<WORD> ids = releaseSkinBitmapIds();
    HANDLE update = beginCopy(kDefaultSkinLibraryName, target);
    if (!update) return false;
    std::vector<BYTE> image = greyBitmap(width, height);
    for (WORD id : ids)
        ::UpdateResourceW(update, RT_BITMAP, MAKEINTRESOURCEW(id), kSkinLanguage, image.data(),
                          DWORD(image.size()));
    return ::EndUpdateResourceW(update, FALSE);
}
