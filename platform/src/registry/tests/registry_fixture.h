/*
 * The fixture of the registry tests: a key made for a test, the name of a sub key by
 * index, and on the host a check that every test leaves no key handle open.
 */
#ifndef PLATFORM_SRC_REGISTRY_TESTS_REGISTRY_FIXTURE_H
#define PLATFORM_SRC_REGISTRY_TESTS_REGISTRY_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_wide.h"

class Registry : public testing::Test
{
protected:
#ifndef _WIN32
    /* The host layer counts open keys (Windows keeps no count a test can read) and has
     * controls the tests of registry_controls_test.cpp set. */
    void SetUp() override
    {
        keys_ = qmt_LiveRegistryKeys();
    }
    void TearDown() override
    {
        qmt_RegistryDenyMachineWrites(FALSE);
        qmt_PinUserName(nullptr);
        EXPECT_EQ(qmt_LiveRegistryKeys(), keys_);
    }
    DWORD keys_ = 0;
#endif
    HKEY Create(HKEY root, LPCWSTR path)
    {
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), ERROR_SUCCESS);
        return k;
    }
};

inline qm_wstring EnumKey(HKEY k, DWORD i)
{
    WCHAR name[256];
    DWORD cch = 256;
    if (RegEnumKeyExW(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return QMW("<none>");
    return qm_wstring(name, cch);
}

#endif /* PLATFORM_SRC_REGISTRY_TESTS_REGISTRY_FIXTURE_H */
