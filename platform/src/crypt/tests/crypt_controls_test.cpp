/*
 * The advapi32 exports of the host's CryptoAPI and its test controls: exports hidden from
 * GetProcAddress, providers refused.
 */
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include "platform/testing/qm_testing.h"

TEST(Crypt, Advapi32ExportsAndControls)
{
    HMODULE advapi = LoadLibraryW(TEXT("advapi32.dll"));
    ASSERT_NE(nullptr, advapi);
    EXPECT_NE(nullptr, GetProcAddress(advapi, "CryptAcquireContextA"));
    EXPECT_NE(nullptr, GetProcAddress(advapi, "RegOpenKeyExA"));
    typedef BOOL(WINAPI * CloseServiceHandleProc)(HANDLE);
    CloseServiceHandleProc close_service = (CloseServiceHandleProc)(void *)GetProcAddress(advapi, "CloseServiceHandle");
    ASSERT_NE(nullptr, close_service);
    EXPECT_FALSE(close_service(nullptr));
    EXPECT_EQ((DWORD)ERROR_CALL_NOT_IMPLEMENTED, GetLastError());

    qmt_CryptHideExports(TRUE);
    EXPECT_EQ(nullptr, GetProcAddress(advapi, "CryptGenRandom"));
    EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError());
    EXPECT_NE(nullptr, GetProcAddress(advapi, "RegCloseKey"));
    qmt_CryptHideExports(FALSE);
    EXPECT_NE(nullptr, GetProcAddress(advapi, "CryptGenRandom"));
    FreeLibrary(advapi);

    qmt_CryptRefuseProvider(PROV_RSA_AES, nullptr);
    HCRYPTPROV prov = 0;
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, nullptr, PROV_RSA_AES, 0));
    EXPECT_EQ((DWORD)NTE_KEYSET_NOT_DEF, GetLastError());
    EXPECT_TRUE(
        CryptAcquireContextA(&prov, nullptr, "Microsoft Enhanced RSA and AES Cryptographic Provider", PROV_RSA_AES, 0));
    CryptReleaseContext(prov, 0);
    qmt_CryptRefuseNone();
    EXPECT_TRUE(CryptAcquireContextA(&prov, nullptr, nullptr, PROV_RSA_AES, 0));
    CryptReleaseContext(prov, 0);
}
