/* Probes: directories made and entered, the machine-wide registry write probe. */
#include "ui/driver/runtime/probes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

TEST(Probes, DirectoriesMadeAndEntered)
{
    WCHAR before[520] = {};
    ASSERT_GT(GetCurrentDirectoryW(520, before), 0u);
    EXPECT_EQ(0, ui_IsDirectoryEnterable(u"C:\\qmprobe\\a\\b"));
    EXPECT_EQ(1, ui_CreateDirectoryPath(u"C:\\qmprobe\\a\\b"));
    EXPECT_EQ(1, ui_CreateDirectoryPath(u"C:\\qmprobe\\a\\b")); // already there
    EXPECT_EQ(1, ui_IsDirectoryEnterable(u"C:\\qmprobe\\a"));
    EXPECT_EQ(1, ui_IsDirectoryEnterable(u"C:\\qmprobe\\a\\b"));
    WCHAR after[520] = {};
    ASSERT_GT(GetCurrentDirectoryW(520, after), 0u);
    EXPECT_EQ(std::u16string(before), std::u16string(after)); // restored
    EXPECT_EQ(0, ui_IsDirectoryEnterable(nullptr));
    EXPECT_EQ(0, ui_CreateDirectoryPath(u""));
}

TEST(Probes, MachineWriteLeavesNoValue)
{
    for (BOOL deny : {FALSE, TRUE}) {
        qmt_RegistryDenyMachineWrites(deny);
        EXPECT_EQ(deny ? 0 : 1, ui_CanWriteLocalMachine());
        qmt_RegistryDenyMachineWrites(FALSE);
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        EXPECT_NE(ERROR_SUCCESS,
                  RegQueryValueExW(HKEY_LOCAL_MACHINE, u"WriteCheck", nullptr, &type, (BYTE *)&value, &size));
    }
    EXPECT_EQ(0u, qmt_LiveRegistryKeys());
}

} // namespace
