/*
 * Test support for code that finds its files beside the driver module: a copy of the test
 * program loaded as a data file from a directory under the platform root stands in for
 * the driver module, so that each test has its own module directory; files copied or
 * written there; printers installed with a description data file.
 */
#ifndef QM_CORE_CONTEXT_TESTS_DRIVER_FILES_H
#define QM_CORE_CONTEXT_TESTS_DRIVER_FILES_H

#include "core/util/module.h"
#include "platform/include/qmhost.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>

namespace driver_files {

/* The module directory the tests use. */
inline const WCHAR *Directory()
{
    return TEXT("C:\\drv\\");
}

/* A Windows path of a host file ("Z:" and the path with backslashes). */
inline std::u16string HostFile(const char *path)
{
    std::u16string out = u"Z:";
    for (const char *p = path; *p; ++p)
        out.push_back(*p == '/' ? u'\\' : (char16_t)(unsigned char)*p);
    return out;
}

/* Writes bytes to a file (its directory created when missing). */
inline void WriteFileBytes(const std::u16string &path, const std::string &bytes)
{
    std::u16string directory = path.substr(0, path.find_last_of(u'\\'));
    CreateDirectoryW((LPCWSTR)directory.c_str(), nullptr);
    HANDLE file =
        CreateFileW((LPCWSTR)path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

/* Copies a file into the module directory under a name. */
inline void CopyIn(const std::u16string &from, const std::u16string &name)
{
    CreateDirectoryW(TEXT("C:\\drv"), nullptr);
    std::u16string to = std::u16string(Directory()) + name;
    ASSERT_TRUE(CopyFileW((LPCWSTR)from.c_str(), (LPCWSTR)to.c_str(), FALSE));
}

/*
 * Makes C:\drv\ the module directory: the test program copied there and loaded as a data
 * file, its handle stored as the module's. Returns the handle (free it at the end).
 */
inline HMODULE PinModuleDirectory()
{
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    CopyIn(self, u"qmdrvtest.dll");
    HMODULE module = LoadLibraryExW(TEXT("C:\\drv\\qmdrvtest.dll"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, module);
    util_SetModuleHandle((HINSTANCE)module);
    return module;
}

/* Installs a printer whose description data file is dataFile; opens it. */
inline HANDLE InstallPrinter(const WCHAR *name, const std::u16string &dataFile)
{
    QMH_PRINTER_SETUP setup = {name,
                               TEXT("LPT1:"),
                               TEXT("QM Driver"),
                               TEXT("C:\\drv\\qmkelvim.dll"),
                               (LPCWSTR)dataFile.c_str(),
                               TEXT("C:\\drv\\qmkelviu.dll"),
                               nullptr,
                               nullptr,
                               0};
    EXPECT_TRUE(qmh_InstallPrinter(&setup));
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterW((LPWSTR)name, &printer, nullptr));
    return printer;
}

} // namespace driver_files

#endif
