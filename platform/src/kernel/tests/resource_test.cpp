#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

/* The test program's own resources come from fixture.rc. */

TEST(Resources, LoadStringCopiesCutsAndLendsAsWindows)
{
    WCHAR buf[40];
    EXPECT_EQ(LoadStringW(nullptr, 1, buf, 40), 3);
    EXPECT_EQ(std::u16string(buf), u"One");
    EXPECT_EQ(LoadStringW(nullptr, 17, buf, 40), 9); /* second block of 16 */
    EXPECT_EQ(std::u16string(buf), u"Seventeen");
    EXPECT_EQ(LoadStringW(nullptr, 32767, buf, 40), 13);
    struct Case {
        int size;
        int result;
        const char16_t *text;
    };
    const Case cuts[] = {
        {23, 22, u"A longer string to cut"},
        {22, 21, u"A longer string to cu"},
        {5, 4, u"A lo"},
        {1, 0, u""},
    };
    for (const Case &c : cuts) {
        buf[0] = u'#';
        EXPECT_EQ(LoadStringW(nullptr, 2, buf, c.size), c.result);
        EXPECT_EQ(std::u16string(buf), c.text);
    }
    const WCHAR *lent = nullptr;
    EXPECT_EQ(LoadStringW(nullptr, 2, (LPWSTR)&lent, 0), 22);
    ASSERT_NE(lent, nullptr);
    EXPECT_EQ(std::u16string(lent, 22), u"A longer string to cut");

    buf[0] = u'#';
    EXPECT_EQ(LoadStringW(nullptr, 3, buf, 40), 0); /* missing in an existing block */
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(LoadStringW(nullptr, 500, buf, 40), 0); /* missing block */
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
}

TEST(Resources, FindByNumberNameAndLanguage)
{
    HRSRC r = FindResourceW(nullptr, MAKEINTRESOURCEW(100), RT_RCDATA);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, r), 5u);
    const char *data = (const char *)LockResource(LoadResource(nullptr, r));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(data, 5), "rawAB");
    EXPECT_EQ(FindResourceW(nullptr, u"#100", RT_RCDATA), r);
    EXPECT_EQ(FindResourceExW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(100), 0), r);

    HRSRC named = FindResourceW(nullptr, u"Settings", u"qmData");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(std::string((const char *)LoadResource(nullptr, named), SizeofResource(nullptr, named)), "named");
    const void *raw = nullptr;
    DWORD size = 0;
    EXPECT_TRUE(qmk::FindResourceData(nullptr, u"QMDATA", u"SETTINGS", 0, &raw, &size));
    EXPECT_EQ(raw, LoadResource(nullptr, named));

    struct Case {
        LPCWSTR type;
        LPCWSTR name;
        DWORD error;
    };
    const Case missing[] = {
        {RT_RCDATA, MAKEINTRESOURCEW(101), ERROR_RESOURCE_NAME_NOT_FOUND},
        {RT_BITMAP, MAKEINTRESOURCEW(100), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {u"QMDATA", MAKEINTRESOURCEW(1), ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const Case &c : missing) {
        SetLastError(0);
        EXPECT_EQ(FindResourceW(nullptr, c.name, c.type), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_EQ(FindResourceExW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(100), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
              nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_LANG_NOT_FOUND);
    EXPECT_EQ(LoadResource(nullptr, (HRSRC)&size), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, (HRSRC)&size), 0u);
}

TEST(Resources, ResourceOnlyModuleLoadsAsDataFile)
{
    DWORD live = qmt_LiveModules();
    for (DWORD flags :
         {(DWORD)LOAD_LIBRARY_AS_DATAFILE, (DWORD)(DONT_RESOLVE_DLL_REFERENCES | LOAD_WITH_ALTERED_SEARCH_PATH)}) {
        HMODULE h = LoadLibraryExW(u"QMTESTRES.DLL", nullptr, flags);
        ASSERT_NE(h, nullptr);
        WCHAR buf[40];
        EXPECT_EQ(LoadStringW(h, 5, buf, 40), 12);
        EXPECT_EQ(std::u16string(buf), u"English five");
        HRSRC jp = FindResourceExW(h, RT_STRING, MAKEINTRESOURCEW(1), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
        ASSERT_NE(jp, nullptr);
        const WCHAR *block = (const WCHAR *)LoadResource(h, jp);
        EXPECT_EQ(std::u16string(block + 6, block[5]), u"Japanese five");
        EXPECT_EQ(LoadResource(nullptr, jp), nullptr); /* not the main program's */
        EXPECT_EQ(GetProcAddress(h, "DllMain"), nullptr);
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);
        EXPECT_EQ(qmt_LiveModules(), live + 1);
        EXPECT_TRUE(FreeLibrary(h));
    }
    EXPECT_EQ(qmt_LiveModules(), live);
}
