/*
 * The registry through the Windows API: types and the size protocol, names without case,
 * enumeration order, deletion rules and concurrent writers. Run on the host and under
 * Windows itself (Wine); the tests over the host's controls are in
 * registry_controls_test.cpp.
 */
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <string>
#include <vector>

#include "platform/src/registry/tests/registry_fixture.h"
#include "platform/testing/qm_wide.h"

TEST_F(Registry, EveryTypeReadsBackByteForByteWithTheSizeProtocol)
{
    HKEY k = Create(HKEY_CURRENT_USER, TEXT("Software\\Test"));
    const WCHAR sz[] = TEXT("text");
    const WCHAR multi[] = TEXT("a\0bc\0");
    DWORD dword = 0x12345678;
    BYTE binary[1000];
    for (int i = 0; i < 1000; ++i)
        binary[i] = (BYTE)(i * 7);
    struct Case {
        LPCWSTR name;
        DWORD type;
        const BYTE *data;
        DWORD size;
    } cases[] = {
        {TEXT("Sz"), REG_SZ, (const BYTE *)sz, sizeof(sz)},
        {TEXT("SzNoTerminator"), REG_SZ, (const BYTE *)sz, 6},
        {TEXT("Expand"), REG_EXPAND_SZ, (const BYTE *)sz, sizeof(sz)},
        {TEXT("Multi"), REG_MULTI_SZ, (const BYTE *)multi, sizeof(multi)},
        {TEXT("Dword"), REG_DWORD, (const BYTE *)&dword, 4},
        {TEXT("Binary"), REG_BINARY, binary, sizeof(binary)},
        {TEXT("Empty"), REG_BINARY, nullptr, 0},
    };
    for (const Case &c : cases)
        ASSERT_EQ(RegSetValueExW(k, c.name, 0, c.type, c.data, c.size), ERROR_SUCCESS);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "value type " << c.type << " size " << c.size);
        DWORD type = 0, size = 0;
        ASSERT_EQ(RegQueryValueExW(k, c.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);
        std::vector<BYTE> buf(c.size + 4, 0xEE);
        if (c.size > 0) {
            DWORD small = c.size - 1;
            EXPECT_EQ(RegQueryValueExW(k, c.name, nullptr, &type, buf.data(), &small), ERROR_MORE_DATA);
            EXPECT_EQ(small, c.size);
        }
        DWORD cb = (DWORD)buf.size();
        ASSERT_EQ(RegQueryValueExW(k, c.name, nullptr, &type, buf.data(), &cb), ERROR_SUCCESS);
        EXPECT_EQ(cb, c.size);
        if (c.size) {
            EXPECT_EQ(memcmp(buf.data(), c.data, c.size), 0);
        }
        EXPECT_EQ(buf[c.size], 0xEE) << "nothing written past the value";
    }
    DWORD cb = 4;
    EXPECT_EQ(RegQueryValueExW(k, TEXT("Missing"), nullptr, nullptr, nullptr, &cb), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(k, TEXT("Dword"), nullptr, nullptr, (BYTE *)&dword, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(k, TEXT("Bad"), 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
    EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
}

TEST_F(Registry, NamesIgnoreCaseButKeepTheirSpelling)
{
    HKEY k = Create(HKEY_LOCAL_MACHINE, TEXT("Software\\MixedCase\\Child"));
    DWORD one = 1, two = 2;
    ASSERT_EQ(RegSetValueExW(k, TEXT("ValueName"), 0, REG_DWORD, (BYTE *)&one, 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(k, TEXT("VALUENAME"), 0, REG_DWORD, (BYTE *)&two, 4), ERROR_SUCCESS);
    RegCloseKey(k);

    HKEY open = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\mixedcase"), 0, KEY_READ, &open), ERROR_SUCCESS);
    EXPECT_EQ(EnumKey(open, 0), QMW("Child"));
    HKEY child = nullptr;
    ASSERT_EQ(RegOpenKeyExW(open, TEXT("cHiLd"), 0, KEY_READ, &child), ERROR_SUCCESS);
    WCHAR name[32];
    DWORD cch = 32, value = 0, cb = 4;
    ASSERT_EQ(RegEnumValueW(child, 0, name, &cch, nullptr, nullptr, (BYTE *)&value, &cb), ERROR_SUCCESS);
    EXPECT_EQ(qm_wstring(name, cch), QMW("ValueName"));
    EXPECT_EQ(value, 2u);
    cch = 32;
    EXPECT_EQ(RegEnumValueW(child, 1, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(child);
    RegCloseKey(open);

    HKEY none = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Software\\Absent"), 0, KEY_READ, &none), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(none, nullptr);
}

TEST_F(Registry, EnumerationIsStableKeysSortedValuesInCreationOrder)
{
    HKEY k = Create(HKEY_CURRENT_USER, TEXT("Order"));
    /* Sub keys come back sorted without case, as Windows keeps them; the names here include
     * the characters a temporary-file record uses ("C:/dir/file") and a long name. */
    qm_wstring long_name(200, QMW('x'));
    LPCWSTR names[] = {TEXT("zeta"), TEXT("Alpha"), TEXT("C:/Temp/QMP1.tmp"), TEXT("beta"), (LPCWSTR)long_name.c_str()};
    for (LPCWSTR n : names) {
        HKEY s = Create(k, n);
        RegCloseKey(s);
    }
    std::vector<qm_wstring> got;
    for (DWORD i = 0;; ++i) {
        qm_wstring n = EnumKey(k, i);
        if (n == QMW("<none>"))
            break;
        got.push_back(n);
    }
    std::vector<qm_wstring> want = {QMW("Alpha"), QMW("beta"), QMW("C:/Temp/QMP1.tmp"), long_name, QMW("zeta")};
    EXPECT_EQ(got, want);

    /* Values: creation order; rewriting one keeps its place; the default value is "". */
    DWORD v = 0;
    for (LPCWSTR n : {TEXT("b"), TEXT("a"), TEXT(""), TEXT("c")})
        ASSERT_EQ(RegSetValueExW(k, n, 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
    v = 9;
    ASSERT_EQ(RegSetValueExW(k, nullptr, 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueW(k, TEXT("a")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(k, TEXT("a")), ERROR_FILE_NOT_FOUND);
    std::vector<qm_wstring> values;
    WCHAR name[8];
    for (DWORD i = 0;; ++i) {
        DWORD cch = 8;
        if (RegEnumValueW(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values.push_back(qm_wstring(name, cch));
    }
    EXPECT_EQ(values, (std::vector<qm_wstring>{QMW("b"), QMW(""), QMW("c")}));
    DWORD cb = 4;
    ASSERT_EQ(RegQueryValueExW(k, TEXT(""), nullptr, nullptr, (BYTE *)&v, &cb), ERROR_SUCCESS);
    EXPECT_EQ(v, 9u);

    /* A short name buffer answers ERROR_MORE_DATA; the key information has the maxima. */
    DWORD cch = 1;
    EXPECT_EQ(RegEnumKeyExW(k, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    DWORD subs = 0, max_sub = 0, nvalues = 0, max_name = 0, max_data = 0;
    ASSERT_EQ(
        RegQueryInfoKeyW(
            k, nullptr, nullptr, nullptr, &subs, &max_sub, nullptr, &nvalues, &max_name, &max_data, nullptr, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(subs, 5u);
    EXPECT_EQ(max_sub, 200u);
    EXPECT_EQ(nvalues, 3u);
    EXPECT_EQ(max_name, 1u);
    EXPECT_EQ(max_data, 4u);
    RegCloseKey(k);
}

TEST_F(Registry, DeletingKeysFollowsWindowsRules)
{
    HKEY parent = Create(HKEY_CURRENT_USER, TEXT("Del\\Parent"));
    HKEY child = Create(parent, TEXT("Child"));
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TEXT("Del\\Parent")), ERROR_ACCESS_DENIED) << "has a sub key";
    EXPECT_EQ(RegDeleteKeyW(parent, TEXT("Missing")), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegDeleteKeyW(parent, TEXT("CHILD")), ERROR_SUCCESS);
    DWORD v = 1;
    EXPECT_EQ(RegSetValueExW(child, TEXT("x"), 0, REG_DWORD, (BYTE *)&v, 4), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(child), ERROR_INVALID_HANDLE);
    RegCloseKey(parent);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TEXT("Del\\Parent")), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Del\\Parent"), 0, KEY_READ, &parent), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ConcurrentWritersToOneKeyLoseNothing)
{
    /* Each change reads, edits and rewrites the key's file; the store lock must keep two
     * writers from rewriting over each other. */
    HKEY k = Create(HKEY_CURRENT_USER, TEXT("Concurrent"));
    RegCloseKey(k);
    const int kThreads = 4, kValues = 20;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            HKEY mine = nullptr;
            ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Concurrent"), 0, KEY_ALL_ACCESS, &mine), ERROR_SUCCESS);
            for (int i = 0; i < kValues; ++i) {
                WCHAR name[16] = {(WCHAR)(QMW('A') + t), (WCHAR)(QMW('a') + i), 0};
                DWORD v = (DWORD)(t * 100 + i);
                EXPECT_EQ(RegSetValueExW(mine, name, 0, REG_DWORD, (BYTE *)&v, 4), ERROR_SUCCESS);
            }
            RegCloseKey(mine);
        });
    }
    for (std::thread &th : threads)
        th.join();
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Concurrent"), 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyW(
                  k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, (DWORD)(kThreads * kValues));
    RegCloseKey(k);
}
