/*
 * Test controls of the kernel's files, modules and profile files. Used by tests only.
 * Included by platform/testing/qm_testing.h.
 */
#ifndef QM_TESTING_FILES_H
#define QM_TESTING_FILES_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of kernel object counted by qmt_LiveHandles. */
#define QMT_HANDLE_ANY 0
#define QMT_HANDLE_FILE 1
#define QMT_HANDLE_MAPPING 2
#define QMT_HANDLE_FIND 3

/* Open handles of one kind (QMT_HANDLE_*), or of every kind with QMT_HANDLE_ANY. */
DWORD qmt_LiveHandles(DWORD kind);
/* Views of file mappings not yet unmapped. */
DWORD qmt_LiveMappedViews(void);

/* Write fault: once `after` further bytes have been written by WriteFile (counted over
 * every file of the process), the WriteFile that would pass that count writes only the
 * bytes up to it and then either fails with `error` (short_write FALSE; error 0 means
 * ERROR_DISK_FULL) or succeeds with the short count (short_write TRUE). The fault fires
 * once. qmt_ClearWriteFault() turns it off. */
void qmt_FailWriteAt(DWORD after, BOOL short_write, DWORD error);
void qmt_ClearWriteFault(void);
/* The next `count` WriteFile calls fail with `error` (0 means ERROR_DISK_FULL) writing
 * nothing; 0 turns it off. Checked before the fault of qmt_FailWriteAt. */
void qmt_FailWrites(DWORD count, DWORD error);

/* Read fault: after `calls` further successful ReadFile calls (over every file of the
 * process), the next one fails with `error` (0 means ERROR_READ_FAULT) reading nothing.
 * The fault fires once; qmt_ClearReadFault() turns it off. */
void qmt_FailReadAfter(DWORD calls, DWORD error);
void qmt_ClearReadFault(void);

/* CreateFileW fails with `error` (0 means ERROR_ACCESS_DENIED) for every path that holds
 * the text (compared without case, "/" read as "\\"); NULL turns it off. */
void qmt_FailCreateFile(LPCWSTR text, DWORD error);

/* GetTempFileNameW fails with ERROR_DIRECTORY in this directory (compared without case
 * and trailing separator; several may be set); NULL clears the list. */
void qmt_FailTempFileName(LPCWSTR directory);

/* The next `count` _close calls answer -1 (the descriptor is released all the same); 0
 * turns it off. */
void qmt_FailCrtCloses(DWORD count);

/* Modules. Load count: successful LoadLibrary* calls naming the module (by file name,
 * case-insensitive, with or without ".dll"), references to a loaded one included. */
DWORD qmt_ModuleLoadCount(LPCWSTR name);
/* Modules loaded by LoadLibrary* and not yet freed to zero references. */
DWORD qmt_LiveModules(void);
/* Makes every later load of the module of that file name fail with ERROR_MOD_NOT_FOUND
 * (several names may be set); NULL clears the list. */
void qmt_FailModuleLoad(LPCWSTR name);
/* Makes GetProcAddress fail with ERROR_PROC_NOT_FOUND for the export of that name in
 * every module (several names may be set); NULL clears the list. */
void qmt_HideExport(LPCSTR name);
/* Resets the load counts. */
void qmt_ResetModuleCounts(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_FILES_H */
