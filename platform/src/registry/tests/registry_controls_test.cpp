/*
 * The host registry's identity and rights through its test controls: HKEY_CURRENT_USER of
 * a pinned user, machine writes denied, a value that cannot be changed, a key file broken
 * under the platform root.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/src/registry/tests/registry_fixture.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_wide.h"

TEST_F(Registry, CurrentUserIsTheKeyOfThePinnedUserUnderUsers)
{
    DWORD v = 7;
    qmt_PinUserName(TEXT("Alice"));
    HKEY k = Create(HKEY_CURRENT_USER, TEXT("Prefs"));
    ASSERT_EQ(RegSetValueExW(k, TEXT("v"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
    RegCloseKey(k);
    qmt_PinUserName(TEXT("Bob"));
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Prefs"), 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyExW(HKEY_USERS, TEXT("alice\\Prefs"), 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD got = 0, cb = 4;
    EXPECT_EQ(RegQueryValueExW(k, TEXT("V"), nullptr, nullptr, (BYTE *)&got, &cb), ERROR_SUCCESS);
    EXPECT_EQ(got, 7u);
    RegCloseKey(k);
    /* RegCreateKeyW and RegSetValueW write a key's default value as a string. */
    ASSERT_EQ(RegSetValueW(HKEY_CURRENT_USER, TEXT("Paths\\Last"), REG_SZ, TEXT("C:\\out"), 0), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Paths\\Last"), &k), ERROR_SUCCESS);
    WCHAR text[16];
    cb = sizeof(text);
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(k, nullptr, nullptr, &type, (BYTE *)text, &cb), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(cb, 14u);
    EXPECT_EQ(qm_wstring(text), QMW("C:\\out"));
    RegCloseKey(k);
}

TEST_F(Registry, RightsOfTheHandleAndOfTheUserAreChecked)
{
    HKEY k = Create(HKEY_LOCAL_MACHINE, TEXT("Software\\Rights"));
    RegCloseKey(k);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Rights"), 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD v = 1;
    EXPECT_EQ(RegSetValueExW(k, TEXT("WriteCheck"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_ACCESS_DENIED);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyExW(k, TEXT("New"), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(k);

    qmt_RegistryDenyMachineWrites(TRUE);
    EXPECT_EQ(RegSetValueExW(HKEY_LOCAL_MACHINE, TEXT("WriteCheck"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Rights"), 0, KEY_ALL_ACCESS, &k), ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Rights"), 0, KEY_READ, &k), ERROR_SUCCESS);
    RegCloseKey(k);
    EXPECT_EQ(RegSetValueExW(HKEY_CURRENT_USER, TEXT("WriteCheck"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
}

TEST_F(Registry, AFailingValueNameChangesNothingUnderAnyKey)
{
    HKEY k = Create(HKEY_CURRENT_USER, TEXT("Faults"));
    DWORD v = 1, w = 2;
    ASSERT_EQ(RegSetValueExW(k, TEXT("Kept"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
    qmt_FailRegistryValue(TEXT("kept"), 0);
    EXPECT_EQ(RegSetValueExW(k, TEXT("KEPT"), 0, REG_DWORD, (BYTE *)&w, 4), ERROR_CANTWRITE);
    EXPECT_EQ(RegDeleteValueW(k, TEXT("Kept")), ERROR_CANTWRITE);
    EXPECT_EQ(RegSetValueExA(k, "Kept", 0, REG_DWORD, (BYTE *)&w, 4), ERROR_CANTWRITE);
    EXPECT_EQ(RegSetValueExW(k, TEXT("Other"), 0, REG_DWORD, (BYTE *)&w, 4), ERROR_SUCCESS);
    qmt_FailRegistryValue(TEXT(""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetValueExW(k, nullptr, 0, REG_DWORD, (BYTE *)&w, 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetValueExW(k, TEXT("Kept"), 0, REG_DWORD, (BYTE *)&w, 4), ERROR_SUCCESS);
    qmt_FailRegistryValue(TEXT("Kept"), 0);
    qmt_FailRegistryValue(nullptr, 0);
    EXPECT_EQ(RegDeleteValueW(k, TEXT("Other")), ERROR_SUCCESS);
    DWORD got = 0, cb = 4;
    EXPECT_EQ(RegQueryValueExW(k, TEXT("Kept"), nullptr, nullptr, (BYTE *)&got, &cb), ERROR_SUCCESS);
    EXPECT_EQ(got, 2u);
    RegCloseKey(k);
}

TEST_F(Registry, ABrokenKeyFileIsReportedNotRead)
{
    HKEY k = Create(HKEY_LOCAL_MACHINE, TEXT("Broken"));
    BYTE data[64] = {1, 2, 3};
    ASSERT_EQ(RegSetValueExW(k, TEXT("v"), 0, REG_BINARY, data, sizeof(data)), ERROR_SUCCESS);
    /* Cut the stored file in the middle of the value. */
    std::string file = std::string(getenv("QM_ROOT")) + "/registry/HKLM/k_BROKEN/key.dat";
    ASSERT_TRUE(std::filesystem::exists(file));
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 10);
    DWORD cb = sizeof(data);
    EXPECT_EQ(RegQueryValueExW(k, TEXT("v"), nullptr, nullptr, data, &cb), ERROR_BADDB);
    RegCloseKey(k);
}
