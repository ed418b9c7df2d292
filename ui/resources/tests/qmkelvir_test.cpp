/* The resource module: it loads as a data file, answers LoadStringW and carries its
 * version. */
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

std::u16string WindowsPath(const char *host)
{
    std::u16string path = u"Z:";
    for (const char *p = host; *p; ++p)
        path.push_back(*p == '/' ? u'\\' : (char16_t)(unsigned char)*p);
    return path;
}

TEST(ResourceModule, LoadsAsDataFileWithVersionAndStrings)
{
    HMODULE module = LoadLibraryExW(WindowsPath(QM_RESOURCE_MODULE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    WCHAR text[40];
    EXPECT_EQ(LoadStringW(module, 16, text, 40), 6);
    EXPECT_EQ(std::u16string(text), u"\x30E6\x30FC\x30B6\x30FC\x5B9A\x7FA9");
    HRSRC version = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    EXPECT_GT(SizeofResource(module, version), 64u);
    EXPECT_TRUE(FreeLibrary(module));
}

} // namespace
