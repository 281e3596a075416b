// The machine-wide named objects: their security lets every signed-in user wait on and release
// the lock and see the witness, and nothing more; a global name that cannot be had falls back
// to the session's, never to nothing held while a name can be had.
#include "device/machine_objects.h"

#include <gtest/gtest.h>

#include <aclapi.h>

#include <string>

namespace {

std::wstring uniqueName(const wchar_t* prefix, const wchar_t* what) {
    return std::wstring(prefix) + L"Pelko.Test." + what + L"." +
           std::to_wstring(::GetCurrentProcessId());
}

// What the object's DACL allows the well-known `sid` (0: no ACE for it); `nullDacl` is set for
// a descriptor without a DACL, which allows everyone everything.
ACCESS_MASK allowedFor(HANDLE object, WELL_KNOWN_SID_TYPE sid, bool& nullDacl) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                          &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return 0;
    BYTE wanted[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(wanted);
    ::CreateWellKnownSid(sid, nullptr, wanted, &size);
    nullDacl = dacl == nullptr;
    ACCESS_MASK allowed = 0;
    for (WORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (::GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
            ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE && ::EqualSid(&ace->SidStart, wanted))
            allowed |= ace->Mask;
    }
    ::LocalFree(descriptor);
    return allowed;
}

} // namespace

TEST(MachineObjectsTest, EverySignedInUserMayUseTheLockAndSeeTheWitnessButNotChangeThem) {
    const std::wstring lockName = uniqueName(L"Global\\", L"Lock");
    const std::wstring witnessName = uniqueName(L"Global\\", L"Witness");
    HANDLE lock = createSharedMutex(lockName.c_str());
    HANDLE witness = createSharedEvent(witnessName.c_str());
    ASSERT_TRUE(lock && witness);
    // The creator reads the security it gave (the owner may always read it).
    HANDLE lockRead = ::OpenMutexW(READ_CONTROL, FALSE, lockName.c_str());
    HANDLE witnessRead = ::OpenEventW(READ_CONTROL, FALSE, witnessName.c_str());
    ASSERT_TRUE(lockRead && witnessRead) << "not made under the global name";

    bool nullDacl = true;
    EXPECT_EQ(allowedFor(lockRead, WinAuthenticatedUserSid, nullDacl),
              ACCESS_MASK(SYNCHRONIZE | MUTEX_MODIFY_STATE));
    EXPECT_FALSE(nullDacl);
    nullDacl = true;
    EXPECT_EQ(allowedFor(witnessRead, WinAuthenticatedUserSid, nullDacl), ACCESS_MASK(SYNCHRONIZE));
    EXPECT_FALSE(nullDacl);
    EXPECT_EQ(allowedFor(lockRead, WinWorldSid, nullDacl), 0u) << "everyone too";

    // The same lock for a second opener, which waits on it and releases it.
    HANDLE again = createSharedMutex(lockName.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(::WaitForSingleObject(again, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(::ReleaseMutex(again));
    EXPECT_TRUE(sharedEventExists(witnessName.c_str()));
    for (HANDLE handle : {lock, witness, lockRead, witnessRead, again})
        ::CloseHandle(handle);
    EXPECT_FALSE(sharedEventExists(witnessName.c_str())) << "the witness outlived its holders";
}

// An object of another kind under the global name (as a squatter might make): the lock and the
// witness fall back to the session's name, and a witness there is still seen.
TEST(MachineObjectsTest, AGlobalNameThatCannotBeHadFallsBackToTheSession) {
    const std::wstring lockName = uniqueName(L"Global\\", L"TakenLock");
    const std::wstring witnessName = uniqueName(L"Global\\", L"TakenWitness");
    HANDLE squatters[] = {::CreateSemaphoreW(nullptr, 0, 1, lockName.c_str()),
                          ::CreateSemaphoreW(nullptr, 0, 1, witnessName.c_str())};
    HANDLE lock = createSharedMutex(lockName.c_str());
    ASSERT_NE(lock, nullptr) << "nothing to hold: a sequence could not run locked";
    HANDLE sessionLock =
        ::OpenMutexW(SYNCHRONIZE, FALSE, uniqueName(L"Local\\", L"TakenLock").c_str());
    EXPECT_NE(sessionLock, nullptr) << "not under the session's name";
    EXPECT_FALSE(sharedEventExists(witnessName.c_str()));
    HANDLE witness = createSharedEvent(witnessName.c_str());
    ASSERT_NE(witness, nullptr);
    EXPECT_TRUE(sharedEventExists(witnessName.c_str())) << "the fallen-back witness is not seen";
    for (HANDLE handle : {squatters[0], squatters[1], lock, sessionLock, witness})
        ::CloseHandle(handle);
}
