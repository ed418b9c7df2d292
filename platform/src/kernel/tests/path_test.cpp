#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

std::string root()
{
    return getenv("QM_ROOT");
}

bool host_exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

} // namespace

TEST(Path, FullPathResolvesDotsSeparatorsAndTheCurrentDirectory)
{
    struct Case {
        const char16_t *in;
        const char16_t *out;
    };
    const Case cases[] = {
        {u"C:\\a\\b\\..\\c", u"C:\\a\\c"},
        {u"c:/a//b/./c/", u"c:\\a\\b\\c\\"},
        {u"C:\\..\\..\\x", u"C:\\x"}, /* never above the drive */
        {u"C:\\dir\\name. ", u"C:\\dir\\name"},
        {u"rel\\file.txt", u"C:\\rel\\file.txt"},
        {u"\\top", u"C:\\top"},
        {u"D:x", u"D:\\x"},
        {u"\\\\?\\C:\\long", u"C:\\long"},
        {u"Z:\\work\\bin\\..\\lib", u"Z:\\work\\lib"},
    };
    for (const Case &c : cases) {
        WCHAR buf[MAX_PATH];
        LPWSTR part = nullptr;
        DWORD n = GetFullPathNameW(c.in, MAX_PATH, buf, &part);
        EXPECT_EQ(std::u16string(buf), std::u16string(c.out));
        EXPECT_EQ(n, std::u16string(c.out).size());
    }
    WCHAR small[4];
    EXPECT_EQ(GetFullPathNameW(u"C:\\abc\\def", 4, small, nullptr), 11u); /* size needed with NUL */
    SetLastError(0);
    EXPECT_EQ(GetFullPathNameW(u"", MAX_PATH, small, nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    SetLastError(0);
    EXPECT_EQ(GetFullPathNameW(u"\\\\server\\share\\x", MAX_PATH, small, nullptr), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}

TEST(Path, MixedCaseFindsExistingComponentsAndNewOnesKeepTheirCase)
{
    ASSERT_TRUE(CreateDirectoryW(u"C:\\Program Files", nullptr));
    ASSERT_TRUE(CreateDirectoryW(u"c:\\PROGRAM FILES\\Vendor", nullptr));
    std::string host;
    ASSERT_TRUE(qmk::HostPath(u"C:\\program files\\VENDOR\\..\\vendor\\New.Ini", &host));
    EXPECT_EQ(host, root() + "/c/Program Files/Vendor/New.Ini");
    EXPECT_TRUE(host_exists(root() + "/c/Program Files/Vendor"));
    ASSERT_TRUE(qmk::HostPath(u"Z:\\tmp", &host));
    EXPECT_EQ(host, "/tmp");
    /* And back again, for GetModuleFileNameW. */
    EXPECT_EQ(qmk::WindowsPathOfHost(root() + "/c/Program Files/x.dll"), u"C:\\Program Files\\x.dll");
    EXPECT_EQ(qmk::WindowsPathOfHost("/usr/lib/libz.so"), u"Z:\\usr\\lib\\libz.so");
}

TEST(Path, CurrentDirectoryMovesRelativePaths)
{
    WCHAR buf[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryW(MAX_PATH, buf), 3u);
    EXPECT_EQ(std::u16string(buf), u"C:\\");
    ASSERT_TRUE(CreateDirectoryW(u"C:\\Work", nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(u"c:\\work\\"));
    EXPECT_EQ(GetCurrentDirectoryW(2, buf), 8u);
    GetCurrentDirectoryW(MAX_PATH, buf);
    EXPECT_EQ(std::u16string(buf), u"c:\\work");
    HANDLE h = CreateFileW(u"here.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_TRUE(host_exists(root() + "/c/Work/here.txt"));

    SetLastError(0);
    EXPECT_FALSE(SetCurrentDirectoryW(u"C:\\nowhere"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(SetCurrentDirectoryW(u"here.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
    ASSERT_TRUE(SetCurrentDirectoryW(u".."));
    GetCurrentDirectoryW(MAX_PATH, buf);
    EXPECT_EQ(std::u16string(buf), u"c:\\");
    SetCurrentDirectoryW(u"C:\\");
}

TEST(Path, SystemDirectoriesExistAndFollowTheBufferRule)
{
    WCHAR buf[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryW(buf, MAX_PATH), 10u);
    EXPECT_EQ(std::u16string(buf), u"C:\\WINDOWS");
    EXPECT_EQ(GetWindowsDirectoryW(buf, 10), 11u);
    EXPECT_EQ(GetSystemDirectoryW(buf, MAX_PATH), 19u);
    EXPECT_EQ(GetFileAttributesW(buf), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetTempPathW(MAX_PATH, buf), 8u);
    EXPECT_EQ(std::u16string(buf), u"C:\\TEMP\\");
    EXPECT_EQ(GetFileAttributesW(buf), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetShortPathNameW(u"c:\\windows", buf, MAX_PATH), 10u);
    EXPECT_EQ(std::u16string(buf), u"c:\\windows");
    SetLastError(0);
    EXPECT_EQ(GetShortPathNameW(u"C:\\WINDOWS\\none\\x", buf, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}
