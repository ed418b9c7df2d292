/*
 * Probes of the machine the sheets run on: directories that can be entered or made, and
 * write access to the machine-wide registry.
 */
#ifndef QM_UI_DRIVER_RUNTIME_PROBES_H
#define QM_UI_DRIVER_RUNTIME_PROBES_H

#include <windows.h>

#define UI_WRITE_CHECK_VALUE TEXT("WriteCheck")

/* ui_IsDirectoryEnterable: 1 when SetCurrentDirectoryW to path succeeds; the current
 * directory is restored. 0 for NULL or failure. */
int ui_IsDirectoryEnterable(const WCHAR *path);

/* ui_CreateDirectoryPath: CreateDirectoryW for every backslash-separated prefix of path and
 * for the whole path (existing ones stay). Returns 1 when the path is then a directory. */
int ui_CreateDirectoryPath(const WCHAR *path);

/* ui_CanWriteLocalMachine: 1 when the REG_DWORD value "WriteCheck" = 1 can be set directly
 * under HKEY_LOCAL_MACHINE (it is deleted again at once), else 0. */
int ui_CanWriteLocalMachine(void);

#endif /* QM_UI_DRIVER_RUNTIME_PROBES_H */
