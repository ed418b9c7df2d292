#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

class Identity : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_PinUserName(nullptr);
        qmt_PinComputerName(nullptr);
        qmt_PinCommandLine(nullptr);
    }
};

} // namespace

TEST_F(Identity, UserNameCountsItsTerminator)
{
    qmt_PinUserName(u"\u5C71\u7530 Taro");
    WCHAR name[16];
    DWORD size = 3;
    SetLastError(0);
    EXPECT_FALSE(GetUserNameW(name, &size));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(size, 8u);
    ASSERT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(std::u16string(name), u"\u5C71\u7530 Taro");
    SetLastError(0);
    EXPECT_FALSE(GetUserNameW(name, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(Identity, ComputerNameCountsWithoutItsTerminator)
{
    WCHAR name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    EXPECT_EQ(size, (DWORD)lstrlenW(name));
    EXPECT_GT(size, 0u);
    WCHAR upper[MAX_COMPUTERNAME_LENGTH + 1];
    lstrcpyW(upper, name);
    CharUpperW(upper);
    EXPECT_EQ(lstrcmpW(upper, name), 0);

    qmt_PinComputerName(u"PRINTHOST01");
    size = 5;
    SetLastError(0);
    EXPECT_FALSE(GetComputerNameW(name, &size));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(size, 12u);
    ASSERT_TRUE(GetComputerNameW(name, &size));
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(std::u16string(name), u"PRINTHOST01");
    qmt_PinComputerName(u"");
    size = 4;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    EXPECT_EQ(size, 0u);
}

TEST_F(Identity, CommandLineNamesTheProgram)
{
    std::u16string line = GetCommandLineW();
    EXPECT_NE(line.find(u"kernel_tests"), std::u16string::npos);
    qmt_PinCommandLine(u"\"C:\\Program Files\\app.exe\" /p");
    EXPECT_EQ(std::u16string(GetCommandLineW()), u"\"C:\\Program Files\\app.exe\" /p");
}
