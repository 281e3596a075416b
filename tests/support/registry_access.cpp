#include "tests/support/registry_access.h"

#include <aclapi.h>

bool setRegistryKeyWritable(const wchar_t* keyPath, bool writable) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, WRITE_DAC, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return false;
    ACL empty;
    ::InitializeAcl(&empty, sizeof(empty), ACL_REVISION);
    const DWORD result = ::SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                                           nullptr, writable ? nullptr : &empty, nullptr);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
