#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

/* Creates a file with the given text; false when that fails. */
bool make_file(LPCWSTR name, const char *text)
{
    HANDLE h = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    BOOL ok = WriteFile(h, text, (DWORD)strlen(text), &done, nullptr);
    CloseHandle(h);
    return ok && done == strlen(text);
}

std::string read_file(LPCWSTR name)
{
    HANDLE h = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[256];
    DWORD got = 0;
    ReadFile(h, buf, sizeof buf, &got, nullptr);
    CloseHandle(h);
    return std::string(buf, got);
}

class Files : public testing::Test
{
protected:
    void SetUp() override
    {
        handles_ = qmt_LiveHandles(QMT_HANDLE_ANY);
        ASSERT_TRUE(CreateDirectoryW(u"C:\\Data", nullptr));
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_ANY), handles_) << "a handle leaked";
        EXPECT_EQ(qmt_LiveMappedViews(), 0u);
    }
    DWORD handles_ = 0;
};

} // namespace

TEST_F(Files, DispositionsAnswerAsWindows)
{
    ASSERT_TRUE(make_file(u"C:\\Data\\old.txt", "0123456789"));
    struct Case {
        const char16_t *name;
        DWORD access;
        DWORD disposition;
        bool opens;
        DWORD error;
        DWORD size_after;
    };
    const Case cases[] = {
        {u"C:\\Data\\old.txt", GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS, 10},
        {u"C:\\Data\\old.txt", GENERIC_READ, OPEN_EXISTING, true, ERROR_SUCCESS, 10},
        {u"C:\\Data\\old.txt", GENERIC_READ, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, 10},
        {u"C:\\Data\\new1.txt", GENERIC_READ, OPEN_ALWAYS, true, ERROR_SUCCESS, 0},
        {u"C:\\Data\\missing.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, 0},
        {u"C:\\Data\\missing.txt", GENERIC_WRITE, TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND, 0},
        {u"C:\\Nope\\missing.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, 0},
        {u"C:\\Nope\\new.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, 0},
        {u"C:\\Data\\old.txt", GENERIC_READ, TRUNCATE_EXISTING, false, ERROR_INVALID_PARAMETER, 10},
        {u"C:\\Data\\old.txt", GENERIC_READ, 0, false, ERROR_INVALID_PARAMETER, 10},
        {u"C:\\Data", GENERIC_READ, OPEN_EXISTING, false, ERROR_ACCESS_DENIED, 0},
        {u"c:\\DATA\\OLD.TXT", GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, 0},
        {u"C:\\Data\\old.txt", GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS, 0},
        {u"C:\\Data\\*.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_INVALID_NAME, 0},
        {u"", GENERIC_READ, OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        SetLastError(12345);
        HANDLE h = CreateFileW(c.name, c.access, FILE_SHARE_READ, nullptr, c.disposition, 0, nullptr);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.error);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        EXPECT_EQ(GetFileSize(h, nullptr), c.size_after);
        EXPECT_TRUE(CloseHandle(h));
    }
    SetLastError(0);
    EXPECT_FALSE(CloseHandle((HANDLE)0x1234));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(Files, ShareModesAreHonouredWithinTheProcess)
{
    ASSERT_TRUE(make_file(u"C:\\Data\\shared.txt", "abc"));
    LPCWSTR name = u"C:\\Data\\shared.txt";
    HANDLE reader = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    struct Case {
        DWORD access;
        DWORD share;
        bool opens;
    };
    const Case cases[] = {
        {GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
        {GENERIC_WRITE, FILE_SHARE_READ, false}, /* the reader does not share writing */
        {GENERIC_READ, 0, false},                /* the reader is reading */
        {0, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
    };
    for (const Case &c : cases) {
        SetLastError(0);
        HANDLE h = CreateFileW(name, c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << c.access << " " << c.share;
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        else
            EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    }
    EXPECT_FALSE(DeleteFileW(name));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(MoveFileW(name, u"C:\\Data\\moved.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    CloseHandle(reader);

    HANDLE deletable =
        CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(DeleteFileW(name));
    CloseHandle(deletable);
    EXPECT_EQ(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Files, ReadWriteSeekAndSize)
{
    HANDLE h = CreateFileW(u"C:\\Data\\rw.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(h, "hello world", 11, &done, nullptr));
    EXPECT_EQ(done, 11u);
    EXPECT_EQ(SetFilePointer(h, -5, nullptr, FILE_END), 6u);
    char buf[16] = {};
    ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &done, nullptr));
    EXPECT_EQ(std::string(buf, done), "world");
    ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &done, nullptr));
    EXPECT_EQ(done, 0u); /* end of file: success with nothing read */

    SetLastError(0);
    EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 11u); /* unchanged */
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(h, 5, &high, FILE_BEGIN), 5u);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(GetLastError(), (DWORD)NO_ERROR);
    ASSERT_TRUE(SetEndOfFile(h));
    DWORD size_high = 99;
    EXPECT_EQ(GetFileSize(h, &size_high), 5u);
    EXPECT_EQ(size_high, 0u);
    EXPECT_TRUE(FlushFileBuffers(h));

    FILETIME set = {0x12345600, 0x01D00000}, got = {};
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &set));
    EXPECT_TRUE(GetFileTime(h, nullptr, nullptr, &got));
    EXPECT_EQ(got.dwHighDateTime, set.dwHighDateTime);
    EXPECT_EQ(got.dwLowDateTime, set.dwLowDateTime);
    CloseHandle(h);
    EXPECT_EQ(read_file(u"C:\\Data\\rw.bin"), "hello");

    /* Access rights of the handle are enforced. */
    HANDLE ro = CreateFileW(u"C:\\Data\\rw.bin", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(WriteFile(ro, "x", 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(SetEndOfFile(ro));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(SetFileTime(ro, nullptr, nullptr, &set));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    CloseHandle(ro);
    HANDLE wo = CreateFileW(u"C:\\Data\\rw.bin", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReadFile(wo, buf, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    CloseHandle(wo);
    EXPECT_FALSE(CloseHandle(wo));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(wo, buf, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetFileSize(wo, nullptr), INVALID_FILE_SIZE);
}

TEST_F(Files, WriteFaultsCutAWriteAtTheChosenByte)
{
    HANDLE h = CreateFileW(u"C:\\Data\\fault.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    qmt_FailWriteAt(7, FALSE, 0);
    EXPECT_TRUE(WriteFile(h, "abcd", 4, &done, nullptr));
    EXPECT_FALSE(WriteFile(h, "efghij", 6, &done, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DISK_FULL);
    EXPECT_EQ(done, 3u);
    EXPECT_TRUE(WriteFile(h, "K", 1, &done, nullptr)); /* the fault fires once */
    qmt_FailWriteAt(2, TRUE, 0);
    EXPECT_TRUE(WriteFile(h, "lmn", 3, &done, nullptr));
    EXPECT_EQ(done, 2u);
    CloseHandle(h);
    qmt_ClearWriteFault();
    EXPECT_EQ(read_file(u"C:\\Data\\fault.bin"), "abcdefgKlm");
}

TEST_F(Files, ReadOnlyAttributeProtectsTheFile)
{
    LPCWSTR name = u"C:\\Data\\locked.txt";
    ASSERT_TRUE(make_file(name, "keep"));
    EXPECT_EQ(GetFileAttributesW(name), (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(SetFileAttributesW(name, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(name), (DWORD)(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(CreateFileW(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileW(name));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(CopyFileW(u"C:\\WINDOWS\\..\\Data\\locked.txt", name, FALSE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(read_file(name), "keep");
    ASSERT_TRUE(SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(name));
    EXPECT_FALSE(SetFileAttributesW(name, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesW(u"C:\\Data\\no\\file"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
}

TEST_F(Files, DirectoriesMovesAndCopies)
{
    EXPECT_FALSE(CreateDirectoryW(u"c:\\data", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(u"C:\\a\\b", nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    ASSERT_TRUE(make_file(u"C:\\Data\\one.txt", "1"));
    ASSERT_TRUE(make_file(u"C:\\Data\\two.txt", "2"));
    EXPECT_FALSE(RemoveDirectoryW(u"C:\\Data"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(RemoveDirectoryW(u"C:\\Data\\one.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
    EXPECT_FALSE(RemoveDirectoryW(u"C:\\Gone"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileW(u"C:\\Data"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileW(u"C:\\Data\\three.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);

    EXPECT_FALSE(MoveFileW(u"C:\\Data\\one.txt", u"C:\\Data\\TWO.txt"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(MoveFileExW(u"C:\\Data\\one.txt", u"C:\\Data\\TWO.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(read_file(u"C:\\Data\\two.txt"), "1");
    EXPECT_TRUE(MoveFileW(u"C:\\Data\\two.txt", u"C:\\Data\\Two.TXT")); /* case only */
    WIN32_FIND_DATAW fd;
    HANDLE f = FindFirstFileW(u"C:\\Data\\t*", &fd);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::u16string(fd.cFileName), u"Two.TXT");
    FindClose(f);
    EXPECT_FALSE(MoveFileW(u"C:\\Data\\none", u"C:\\Data\\x"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(CopyFileW(u"C:\\Data\\two.txt", u"C:\\copy.txt", TRUE));
    EXPECT_FALSE(CopyFileW(u"C:\\Data\\two.txt", u"C:\\copy.txt", TRUE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
    EXPECT_FALSE(CopyFileW(u"C:\\Data\\none.txt", u"C:\\copy2.txt", TRUE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read_file(u"C:\\COPY.TXT"), "1");
    EXPECT_TRUE(DeleteFileW(u"C:\\Data\\two.txt"));
    EXPECT_TRUE(RemoveDirectoryW(u"C:\\DATA"));
}

TEST_F(Files, FindListsMatchesSortedWithoutRegardToCase)
{
    ASSERT_TRUE(make_file(u"C:\\Data\\b.TXT", "b"));
    ASSERT_TRUE(make_file(u"C:\\Data\\a.txt", "aa"));
    ASSERT_TRUE(make_file(u"C:\\Data\\c.ini", "c"));
    ASSERT_TRUE(make_file(u"C:\\Data\\noext", ""));
    ASSERT_TRUE(CreateDirectoryW(u"C:\\Data\\Sub", nullptr));
    auto list = [](LPCWSTR pattern) {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(pattern, &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(fd.cFileName);
        while (FindNextFileW(h, &fd));
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_MORE_FILES);
        EXPECT_TRUE(FindClose(h));
        return names;
    };
    using V = std::vector<std::u16string>;
    EXPECT_EQ(list(u"c:\\data\\*.txt"), (V{u"a.txt", u"b.TXT"}));
    EXPECT_EQ(list(u"C:\\Data\\*"), (V{u".", u"..", u"a.txt", u"b.TXT", u"c.ini", u"noext", u"Sub"}));
    EXPECT_EQ(list(u"C:\\Data\\*.*").size(), 7u);
    EXPECT_EQ(list(u"C:\\Data\\?.*"), (V{u".", u"..", u"a.txt", u"b.TXT", u"c.ini"}));
    EXPECT_EQ(list(u"C:\\Data\\NOEXT.*"), (V{u"noext"}));
    EXPECT_EQ(list(u"C:\\Data\\C.INI"), (V{u"c.ini"}));
    EXPECT_EQ(list(u"C:\\*"), (V{u"Data"})); /* no "." and ".." at a drive's root */

    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(u"C:\\Data\\a.txt", &fd);
    EXPECT_EQ(fd.nFileSizeLow, 2u);
    EXPECT_EQ(fd.dwFileAttributes, (DWORD)FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(qmt_LiveHandles(QMT_HANDLE_FIND), 1u);
    EXPECT_FALSE(CloseHandle(h)); /* search handles close with FindClose only */
    EXPECT_TRUE(FindClose(h));
    EXPECT_FALSE(FindClose(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(FindFirstFileW(u"C:\\Data\\*.doc", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(u"C:\\Nope\\*", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(u"C:\\Data\\", &fd), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST_F(Files, ReadOnlyMappingsOutliveTheirFileHandle)
{
    std::string content(70000, 'x');
    content[65536] = 'Y';
    HANDLE h = CreateFileW(u"C:\\Data\\map.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done;
    WriteFile(h, content.data(), (DWORD)content.size(), &done, nullptr);
    HANDLE m = CreateFileMappingW(h, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(m, nullptr);
    CloseHandle(h);
    const char *view = (const char *)MapViewOfFile(m, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::string(view, content.size()), content);
    const char *tail = (const char *)MapViewOfFile(m, FILE_MAP_READ, 0, 65536, 0);
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(tail[0], 'Y');
    EXPECT_EQ(qmt_LiveMappedViews(), 2u);
    EXPECT_EQ(MapViewOfFile(m, FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(MapViewOfFile(m, FILE_MAP_READ, 0, 100, 0), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MAPPED_ALIGNMENT);
    EXPECT_EQ(MapViewOfFile(m, FILE_MAP_READ, 0, 0, 80000), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CloseHandle(m));
    EXPECT_EQ(view[1], 'x'); /* views stay until unmapped */
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_TRUE(UnmapViewOfFile(tail));
    EXPECT_FALSE(UnmapViewOfFile(view));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_ADDRESS);

    HANDLE empty = CreateFileW(u"C:\\Data\\empty.bin", GENERIC_READ, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_EQ(CreateFileMappingW(empty, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_INVALID);
    CloseHandle(empty);
    HANDLE wo = CreateFileW(u"C:\\Data\\map.bin", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(CreateFileMappingW(wo, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    CloseHandle(wo);
    EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 16, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(Files, TempFileNamesAreUniqueAndFollowThePattern)
{
    WCHAR dir[MAX_PATH], name[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::set<std::u16string> seen;
    for (int i = 0; i < 40; ++i) {
        UINT n = GetTempFileNameW(dir, u"QMPREFIX", 0, name);
        ASSERT_NE(n, 0u);
        EXPECT_TRUE(seen.insert(name).second) << "name given twice";
        EXPECT_EQ(std::u16string(name).compare(0, 11, u"C:\\TEMP\\QMP"), 0);
        EXPECT_EQ(GetFileAttributesW(name), (DWORD)FILE_ATTRIBUTE_ARCHIVE); /* created */
    }
    EXPECT_EQ(GetTempFileNameW(u"C:\\Data", u"ab", 0x1ABC, name), 0x1ABCu);
    EXPECT_EQ(std::u16string(name), u"C:\\Data\\ab1ABC.TMP");
    EXPECT_EQ(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES); /* not created */
    EXPECT_EQ(GetTempFileNameW(u"C:\\Data\\", nullptr, 0x2000F, name), 0x2000Fu);
    EXPECT_EQ(std::u16string(name), u"C:\\Data\\F.TMP");
    EXPECT_EQ(GetTempFileNameW(u"C:\\Missing", u"QMP", 0, name), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DIRECTORY);
    std::u16string longdir(MAX_PATH - 10, u'd');
    EXPECT_EQ(GetTempFileNameW(longdir.c_str(), u"QMP", 0, name), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BUFFER_OVERFLOW);
}
