#include "core/util/module.h"

#include <gtest/gtest.h>

namespace {

TEST(UtilModule, DirectoryOfTheModuleWithATrailingBackslash)
{
    WCHAR buffer[UTIL_MODULE_DIRECTORY_MIN_BYTES / sizeof(WCHAR)];
    EXPECT_EQ(0, util_GetModuleDirectory(buffer, UTIL_MODULE_DIRECTORY_MIN_BYTES - 1));
    EXPECT_EQ(0, util_GetModuleDirectory(nullptr, UTIL_MODULE_DIRECTORY_MIN_BYTES));
    ASSERT_EQ(1, util_GetModuleDirectory(buffer, sizeof(buffer)));
    int length = 0;
    while (buffer[length]) {
        ++length;
    }
    ASSERT_GT(length, 1);
    EXPECT_EQ('\\', buffer[length - 1]);
    /* The stored handle is the one the directory is taken from. */
    HINSTANCE self = (HINSTANCE)GetModuleHandleW(nullptr);
    util_SetModuleHandle(self);
    EXPECT_EQ(self, util_GetModuleHandle());
    WCHAR again[UTIL_MODULE_DIRECTORY_MIN_BYTES / sizeof(WCHAR)];
    ASSERT_EQ(1, util_GetModuleDirectory(again, sizeof(again)));
    EXPECT_EQ(0, memcmp(buffer, again, (length + 1) * sizeof(WCHAR)));
    util_SetModuleHandle(nullptr);
}

} // namespace
