#include "profiles/profiles_file.h"

#include "framework/failed_library.h"

namespace {

// "cannot read C:\x.json: Access is denied."
FileResult failure(const char* doing, const std::wstring& path, DWORD error) {
    std::string reason = utf8Of(systemErrorText(error));
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    return FileResult{false, std::string(doing) + " " + utf8Of(path) + ": " + reason};
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (valid()) ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

bool writeAll(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return ::WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) &&
           written == text.size() && ::FlushFileBuffers(file);
}

} // namespace

FileResult readProfilesFile(const std::wstring& path, std::string& text) {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failure("cannot open", path, ::GetLastError());
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.get(), &size)) return failure("cannot read", path, ::GetLastError());
    if (size.QuadPart > LONGLONG(kMostProfilesFileBytes))
        return FileResult{false, utf8Of(path) + " is too large for a profiles file (" +
                                     std::to_string(size.QuadPart) + " bytes; at most 1 MiB)"};
    text.assign(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), text.data(), DWORD(text.size()), &read, nullptr))
        return failure("cannot read", path, ::GetLastError());
    text.resize(read);
    return FileResult{true, {}};
}

FileResult writeProfilesFile(const std::wstring& path, const std::string& text) {
    const std::wstring temporary = path + L".part";
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) return failure("cannot write", path, ::GetLastError());
        if (!writeAll(file.get(), text)) error = ::GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(temporary.c_str());
        return failure("cannot write", path, error);
    }
    if (!::MoveFileExW(temporary.c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        return failure("cannot write", path, moveError);
    }
    return FileResult{true, {}};
}

std::string utf8Of(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(size_t(size > 0 ? size : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

std::wstring wideOf(const std::string& text) {
    if (text.empty()) return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(size > 0 ? size : 0), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size);
    return out;
}
