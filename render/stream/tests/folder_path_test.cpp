/*
 * Making an output folder level by level, and temporary file names.
 */
#include "render/stream/file_io.h"

#include "render/stream/tests/output_fixture.h"

namespace output_test {
namespace {

TEST(FolderPath, EveryLevelIsMade)
{
    struct Case {
        const WCHAR *path;
        std::vector<const WCHAR *> made;
    } cases[] = {
        {TEXT("C:\\out\\a\\b"), {TEXT("C:\\out"), TEXT("C:\\out\\a"), TEXT("C:\\out\\a\\b")}},
        {TEXT("C:/slash/a/"), {TEXT("C:\\slash"), TEXT("C:\\slash\\a")}},
        {TEXT("C:\u00A5yen\u00A5a"), {TEXT("C:\\yen"), TEXT("C:\\yen\\a")}},
        {TEXT("\\\\server\\share\\x"), {TEXT("\\\\server\\share\\x")}},
        {TEXT("C:\\out\\a"), {TEXT("C:\\out\\a")}}, // existing levels count as made
    };
    for (const Case &c : cases) {
        EXPECT_EQ(util_CreateFolderPath(NULL, c.path), 0);
        for (const WCHAR *dir : c.made)
            EXPECT_EQ(GetFileAttributesW(dir), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    }
    EXPECT_EQ(qmt_MessageBoxCount(), 0u);
}

// A level that cannot be made asks the user: OK answers -1, Cancel (or a failed box) -2.
TEST(FolderPath, LevelThatCannotBeMadeAsks)
{
    HANDLE blocker = CreateFileW(TEXT("C:\\file"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(blocker);
    ScriptAnswers({IDOK, IDCANCEL, 0});
    EXPECT_EQ(util_CreateFolderPath(NULL, TEXT("C:\\file\\x\\y")), -1);
    EXPECT_EQ(util_CreateFolderPath(NULL, TEXT("C:\\file\\x")), -2);
    EXPECT_EQ(util_CreateFolderPath(NULL, TEXT("C:\\file\\x")), -2);
    ASSERT_EQ(qmt_MessageBoxCount(), 3u);
    EXPECT_EQ(std::u16string(Box(0).text), u"Folder failed");
    EXPECT_EQ(std::u16string(Box(0).caption), u"Output caption");
    EXPECT_EQ(Box(0).type, (UINT)(MB_OKCANCEL | MB_ICONWARNING | MB_SETFOREGROUND));
    EXPECT_FALSE(Exists(TEXT("C:\\file\\x")));
}

// The temporary name comes from the first directory that gives one.
TEST(TempFileName, FallsBackThroughTheDirectories)
{
    struct Case {
        std::vector<const WCHAR *> failing;
        std::u16string directory;
    } cases[] = {
        {{}, u"C:\\TEMP\\QMP"},
        {{TEXT("C:\\TEMP")}, u"C:\\WINDOWS\\QMP"},
        {{TEXT("C:\\TEMP"), TEXT("C:\\WINDOWS")}, u"C:\\WINDOWS\\system32\\QMP"},
        {{TEXT("C:\\TEMP"), TEXT("C:\\WINDOWS"), TEXT("C:\\WINDOWS\\system32")}, u"C:\\QMP"},
        {{TEXT("C:\\TEMP"), TEXT("C:\\WINDOWS"), TEXT("C:\\WINDOWS\\system32"), TEXT("C:\\")}, u"c:\\qmnqt.tmp"},
    };
    for (const Case &c : cases) {
        qmt_FailTempFileName(NULL);
        for (const WCHAR *dir : c.failing)
            qmt_FailTempFileName(dir);
        WCHAR path[MAX_PATH];
        ASSERT_EQ(util_MakeTempFileName(path, NULL), 0);
        EXPECT_EQ(std::u16string(path).substr(0, c.directory.size()), c.directory);
    }
    qmt_FailTempFileName(NULL);
    WCHAR path[MAX_PATH];
    util_MakeTempFileName(path, TEXT("ABCD"));
    EXPECT_EQ(std::u16string(path).substr(0, 11), u"C:\\TEMP\\ABC");
}

} // namespace
} // namespace output_test
