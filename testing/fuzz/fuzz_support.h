/*
 * Support of the fuzz entries (testing only, never driver code): the platform root of a
 * fuzz run, files and printers set up once per process, and the leak guard every entry
 * puts around one input.
 *
 * An entry runs in two programs: the libFuzzer target of the fuzz build (scripts/fuzz),
 * which names its own root in QM_ROOT, and the replay test of every host build, whose test
 * main gives it a fresh root. Both keep what an entry sets up once (installed printers,
 * copied files) for the life of the process; every input starts from that same state.
 */
#ifndef QM_TESTING_FUZZ_FUZZ_SUPPORT_H
#define QM_TESTING_FUZZ_FUZZ_SUPPORT_H

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The module directory entries copy driver files into. */
#define FUZZ_MODULE_DIRECTORY TEXT("C:\\drv\\")

/*
 * fuzz_EnsureRoot: gives the process a platform root of its own when QM_ROOT names none: a
 * new temporary directory, removed when the process exits. Call it before any other
 * platform call of the entry.
 */
void fuzz_EnsureRoot(void);

/*
 * fuzz_HostPath: the Windows path ("Z:" and backslashes) of a host file into path
 * (capacity characters). Returns 0 when it does not fit.
 */
BOOL fuzz_HostPath(const char *hostFile, WCHAR *path, DWORD capacity);

/* fuzz_CopyIn: copies a host file into the module directory under name. Returns 1 or 0. */
BOOL fuzz_CopyIn(const char *hostFile, LPCWSTR name);

/* fuzz_LoadModuleCopy: copies a host module into the module directory under name and loads
 * that copy as a data file (to stand in as the driver module). Returns it, or NULL. */
HMODULE fuzz_LoadModuleCopy(const char *hostModule, LPCWSTR name);

/* fuzz_WriteFile: writes size bytes as the whole file at path (created or truncated; its
 * directory must exist). Returns 1 or 0. */
BOOL fuzz_WriteFile(LPCWSTR path, const void *data, DWORD size);

/*
 * fuzz_InstallPrinter: installs the printer name with the description data file at
 * hostModel (its base file lies beside it) and the driver files of the module directory,
 * and opens it with PRINTER_ALL_ACCESS. Returns the handle, or NULL.
 */
HANDLE fuzz_InstallPrinter(LPCWSTR name, const char *hostModel);

/*
 * fuzz_Fail: writes "fuzz <target>: <what>" to standard error and aborts, so that the
 * fuzzer keeps the input as a finding and the replay test fails on it.
 */
void fuzz_Fail(const char *target, const char *what);

/* Counters of everything an input must give back. */
typedef struct FuzzCounts {
    DWORD globals;
    DWORD locals;
    DWORD heaps;
    DWORD modules;
    DWORD printers;
    DWORD registryKeys;
    DWORD handles;
    DWORD views;
    DWORD surfaces;
    DWORD palettes;
} FuzzCounts;

/* fuzz_TakeCounts: the counters now. counts: out. */
void fuzz_TakeCounts(FuzzCounts *counts);

/* fuzz_CheckCounts: fails (fuzz_Fail) naming each counter that differs from before. */
void fuzz_CheckCounts(const char *target, const FuzzCounts *before);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_FUZZ_FUZZ_SUPPORT_H */
