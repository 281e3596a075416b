#include "device/machine_objects.h"

#include <sddl.h>

#include <string>

namespace {

constexpr wchar_t kGlobalPrefix[] = L"Global\\";
constexpr wchar_t kLocalPrefix[] = L"Local\\";

// Authenticated users (every signed-in user) get `access`; the system and administrators all.
// A protected DACL: nothing inherited widens it.
std::wstring descriptorFor(DWORD access) {
    return L"D:P(A;;" + std::to_wstring(access) + L";;;AU)(A;;GA;;;SY)(A;;GA;;;BA)";
}

// A self-relative descriptor made once per kind and kept for the process's life.
class SharedSecurity {
  public:
    explicit SharedSecurity(DWORD access) {
        m_attributes.nLength = sizeof(m_attributes);
        ::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            descriptorFor(access).c_str(), SDDL_REVISION_1, &m_attributes.lpSecurityDescriptor,
            nullptr);
    }
    // Null when the descriptor could not be made: the object then gets the default one, which
    // only the creator can use, and the session fallback is as good as it gets.
    SECURITY_ATTRIBUTES* attributes() {
        return m_attributes.lpSecurityDescriptor ? &m_attributes : nullptr;
    }

  private:
    SECURITY_ATTRIBUTES m_attributes = {};
};

SECURITY_ATTRIBUTES* mutexSecurity() {
    static SharedSecurity security(kSharedMutexAccess);
    return security.attributes();
}

SECURITY_ATTRIBUTES* eventSecurity() {
    static SharedSecurity security(kSharedEventAccess);
    return security.attributes();
}

bool isGlobal(const std::wstring& name) {
    return name.rfind(kGlobalPrefix, 0) == 0;
}

std::wstring sessionNameOf(const std::wstring& name) {
    return isGlobal(name) ? kLocalPrefix + name.substr(std::size(kGlobalPrefix) - 1) : name;
}

// Said once per process: a program that shares the mouse only within its session.
void reportSessionFallback(const std::wstring& name, DWORD error) {
    static bool reported = false;
    if (reported) return;
    reported = true;
    const std::wstring text = L"Pelko: " + name + L" cannot be had machine-wide (error " +
                              std::to_wstring(error) + L"); using " + sessionNameOf(name) +
                              L", which other users' programs do not see\n";
    ::OutputDebugStringW(text.c_str());
}

template <typename Create> HANDLE createWithFallback(const wchar_t* name, Create create) {
    const std::wstring wanted = name;
    if (HANDLE handle = create(wanted)) return handle;
    if (!isGlobal(wanted)) return nullptr;
    reportSessionFallback(wanted, ::GetLastError());
    return create(sessionNameOf(wanted));
}

bool eventOpens(const std::wstring& name) {
    HANDLE probe = ::OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (!probe) return ::GetLastError() == ERROR_ACCESS_DENIED; // there, but not ours to open
    ::CloseHandle(probe);
    return true;
}

} // namespace

HANDLE createSharedMutex(const wchar_t* name) {
    return createWithFallback(name, [](const std::wstring& n) {
        return ::CreateMutexExW(mutexSecurity(), n.c_str(), 0, kSharedMutexAccess);
    });
}

HANDLE createSharedEvent(const wchar_t* name) {
    return createWithFallback(name, [](const std::wstring& n) {
        return ::CreateEventExW(eventSecurity(), n.c_str(), CREATE_EVENT_MANUAL_RESET,
                                kSharedEventAccess);
    });
}

bool sharedEventExists(const wchar_t* name) {
    return eventOpens(name) || (isGlobal(name) && eventOpens(sessionNameOf(name)));
}
