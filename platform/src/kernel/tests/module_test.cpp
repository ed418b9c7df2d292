#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

typedef int(WINAPI *OwnStringProc)(UINT, LPWSTR, int);

/* Export of qmtestlnk.dll, which this program is linked with. */
extern "C" int WINAPI QmTestOwnString(UINT id, LPWSTR buffer, int size);

/* Notifications counted by the test module's DllMain: [detach, attach, last instance]. */
LONG g_calls[3];

class Modules : public testing::Test
{
protected:
    void SetUp() override
    {
        char address[32];
        snprintf(address, sizeof address, "%lx", (unsigned long)(ULONG_PTR)g_calls);
        setenv("QM_TESTMOD_CALLS", address, 1);
        g_calls[0] = g_calls[1] = g_calls[2] = 0;
        live_ = qmt_LiveModules();
    }
    void TearDown() override
    {
        unsetenv("QM_TESTMOD_CALLS");
        EXPECT_EQ(qmt_LiveModules(), live_) << "a module was not freed";
    }
    DWORD live_ = 0;
};

std::u16string module_path(HMODULE h)
{
    WCHAR buf[MAX_PATH];
    DWORD n = GetModuleFileNameW(h, buf, MAX_PATH);
    return std::u16string(buf, n);
}

bool ends_with(const std::u16string &s, const std::u16string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TEST_F(Modules, LoadCountsReferencesAndRunsDllMainOnceEachWay)
{
    HMODULE h = LoadLibraryW(u"QMTESTMOD");
    ASSERT_NE(h, nullptr) << GetLastError();
    EXPECT_EQ(g_calls[DLL_PROCESS_ATTACH], 1);
    EXPECT_EQ(g_calls[2], (LONG)(ULONG_PTR)h); /* DllMain gets the module's own handle */
    EXPECT_EQ(LoadLibraryW(u"qmtestmod.dll"), h);
    EXPECT_EQ(LoadLibraryExW(u"QMTestMod.DLL", nullptr, LOAD_WITH_ALTERED_SEARCH_PATH), h);
    EXPECT_EQ(g_calls[DLL_PROCESS_ATTACH], 1);
    EXPECT_EQ(qmt_ModuleLoadCount(u"qmtestmod"), 3u);
    EXPECT_EQ(qmt_LiveModules(), live_ + 1);
    EXPECT_EQ(GetModuleHandleW(u"QMTESTMOD.dll"), h);

    std::u16string path = module_path(h);
    EXPECT_EQ(path.compare(0, 3, u"Z:\\"), 0);
    EXPECT_TRUE(ends_with(path, u"\\bin\\qmtestmod.dll"));
    /* Loading by that Windows path finds the same module. */
    EXPECT_EQ(LoadLibraryW(path.c_str()), h);
    EXPECT_TRUE(FreeLibrary(h));

    OwnStringProc own = (OwnStringProc)(void *)GetProcAddress(h, "QmTestOwnString");
    ASSERT_NE(own, nullptr);
    WCHAR buf[32];
    EXPECT_EQ(own(7, buf, 32), 12);
    EXPECT_EQ(std::u16string(buf), u"Module seven");
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(h, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(h, "LoadStringW"), nullptr); /* a dependency's, not its own */
    EXPECT_EQ(GetProcAddress(h, (LPCSTR)1), nullptr);

    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(g_calls[DLL_PROCESS_DETACH], 0);
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(g_calls[DLL_PROCESS_DETACH], 1);
    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(h));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetModuleHandleW(u"qmtestmod"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
}

TEST_F(Modules, GetModuleFileNameCutsToTheBuffer)
{
    std::u16string full = module_path(nullptr);
    EXPECT_TRUE(ends_with(full, u"\\kernel_tests"));
    WCHAR buf[8];
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameW(nullptr, buf, 5), 5u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(buf), full.substr(0, 4));
    EXPECT_EQ(GetModuleFileNameW(nullptr, buf, 0), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetModuleFileNameW((HMODULE)g_calls, buf, 8), 0u);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
}

TEST_F(Modules, FailuresAnswerWithTheirLastError)
{
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(LoadLibraryW(u"nothere.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryW(u"C:\\none\\x.dll"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);

    HANDLE f = CreateFileW(u"C:\\text.dll", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done;
    WriteFile(f, "not a module", 12, &done, nullptr);
    CloseHandle(f);
    EXPECT_EQ(LoadLibraryW(u"C:\\TEXT.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_EXE_FORMAT);

    qmt_FailModuleLoad(u"QMTESTMOD.DLL");
    EXPECT_EQ(LoadLibraryW(u"qmtestmod"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_MOD_NOT_FOUND);
    qmt_FailModuleLoad(nullptr);

    setenv("QM_TESTMOD_REFUSE", "1", 1);
    EXPECT_EQ(LoadLibraryW(u"qmtestmod"), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_DLL_INIT_FAILED);
    unsetenv("QM_TESTMOD_REFUSE");
    EXPECT_EQ(g_calls[DLL_PROCESS_ATTACH], 1);
    EXPECT_EQ(g_calls[DLL_PROCESS_DETACH], 1);
    EXPECT_EQ(qmt_ModuleLoadCount(u"qmtestmod"), 0u);
    EXPECT_FALSE(DisableThreadLibraryCalls(nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(Modules, SearchOrderReachesTheCurrentDirectoryAndQmDllPath)
{
    WCHAR bin[MAX_PATH];
    GetModuleFileNameW(nullptr, bin, MAX_PATH);
    std::u16string source = bin;
    source = source.substr(0, source.find_last_of(u'\\')) + u"\\qmtestres.dll";
    ASSERT_TRUE(CreateDirectoryW(u"C:\\Cur", nullptr));
    ASSERT_TRUE(CreateDirectoryW(u"C:\\Extra", nullptr));
    ASSERT_TRUE(CopyFileW(source.c_str(), u"C:\\Cur\\Current.dll", TRUE));
    ASSERT_TRUE(CopyFileW(source.c_str(), u"C:\\Extra\\FromPath.dll", TRUE));

    EXPECT_EQ(LoadLibraryExW(u"current.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(u"C:\\Cur"));
    HMODULE cur = LoadLibraryExW(u"current", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(cur, nullptr);
    SetCurrentDirectoryW(u"C:\\");

    std::string extra;
    ASSERT_TRUE(qmk::HostPath(u"C:\\Extra", &extra));
    setenv("QM_DLL_PATH", ("/nonexistent:" + extra).c_str(), 1);
    HMODULE from_path =
        LoadLibraryExW(u"FROMPATH.DLL", nullptr, DONT_RESOLVE_DLL_REFERENCES | LOAD_WITH_ALTERED_SEARCH_PATH);
    unsetenv("QM_DLL_PATH");
    EXPECT_NE(from_path, nullptr);
    EXPECT_EQ(module_path(from_path), u"C:\\Extra\\FromPath.dll");
    EXPECT_TRUE(FreeLibrary(cur));
    EXPECT_TRUE(FreeLibrary(from_path));
}

TEST_F(Modules, SystemLibrariesAndLinkedLibrariesAreFoundByName)
{
    HMODULE kernel = GetModuleHandleW(u"kernel32");
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(LoadLibraryA("KERNEL32.DLL"), kernel);
    EXPECT_TRUE(FreeLibrary(kernel));
    EXPECT_EQ(GetProcAddress(kernel, "LoadLibraryExA"), (FARPROC)(void *)&LoadLibraryExA);
    EXPECT_EQ(qmk::ModuleOfAddress((const void *)&LoadStringW), kernel);
    EXPECT_EQ(qmk::ModuleOfAddress((const void *)&module_path), GetModuleHandleW(nullptr));

    /* qmtestlnk.dll is linked into this program: nobody loaded it, yet it is found and
     * knows its own path and resources. */
    WCHAR buf[32];
    EXPECT_EQ(QmTestOwnString(7, buf, 32), 12);
    HMODULE linked = GetModuleHandleW(u"QMTESTLNK");
    ASSERT_NE(linked, nullptr);
    EXPECT_TRUE(ends_with(module_path(linked), u"\\qmtestlnk.dll"));
    OwnStringProc own = (OwnStringProc)(void *)GetProcAddress(linked, "QmTestOwnString");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(qmk::ModuleOfAddress((const void *)own), linked);
    EXPECT_EQ(own(7, buf, 32), 12);
    EXPECT_EQ(LoadLibraryW(u"qmtestlnk"), linked); /* loading finds it too */
    EXPECT_EQ(GetModuleHandleW(module_path(linked).c_str()), linked);
    EXPECT_TRUE(FreeLibrary(linked)); /* never unloaded */
    EXPECT_EQ(GetModuleHandleW(u"qmtestlnk.dll"), linked);
}
