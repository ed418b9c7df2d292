/*
 * Records of the temporary files a direct fax leaves behind: one REG_BINARY value
 * "DFaxInfo_n" per file (n from 1) under key A (the first per-user base path +
 * "DirectFax\TempFile") and key B (the second + "TempFile"), both under
 * HKEY_CURRENT_USER, holding the file's path and the sheet window that owns it. Records
 * whose file is gone, or whose window is closed and whose file is older than a week, are
 * purged, and the file with them when the driver made it.
 */
#ifndef QM_CORE_DIRECTFAX_DIRECT_FAX_H
#define QM_CORE_DIRECTFAX_DIRECT_FAX_H

#include <stddef.h>

#include <windows.h>

#include "core/context/driver_context.h"
#include "platform/include/qm_layout.h"

enum {
    DFAX_PATH_CHARS = 260,
    DFAX_MAX_AGE_SECONDS = 604800 /* seven days */
};

/* One record: the file's path (zero-padded), 0, the owning top-level window and its
 * instance. */
typedef struct DirectFaxRecord {
    WCHAR path[DFAX_PATH_CHARS];
    DWORD zero;
    HWND window;
    HINSTANCE instance;
} DirectFaxRecord;

static_assert(sizeof(DirectFaxRecord) == QM_LAYOUT(532, 544), "DirectFaxRecord");
static_assert(offsetof(DirectFaxRecord, zero) == 520, "DirectFaxRecord.zero");
static_assert(offsetof(DirectFaxRecord, window) == QM_LAYOUT(524, 528), "DirectFaxRecord.window");

#ifdef __cplusplus
extern "C" {
#endif

/* ureg_IsDirectFaxValueName: 1 when name starts with "DFaxInfo_". */
BOOL ureg_IsDirectFaxValueName(const WCHAR *name);

/*
 * ureg_PurgeDirectFaxTempFiles: purges key A and key B, each built from the given base
 * (followed by "DirectFax\TempFile" or "TempFile") or, when NULL, from the description's
 * per-user base path; a key whose path cannot be built is left alone.
 */
void ureg_PurgeDirectFaxTempFiles(DriverContext *context, const WCHAR *baseA, const WCHAR *baseB);

/*
 * ureg_RegisterDirectFaxTempFile: purges both keys, then records path in key B for the
 * window's top-level ancestor and its instance under the first free number, unless a
 * record holds the same path (without case), window and instance. reserved: unused.
 * 1, or 0 (no key, a path of 260 characters or more, a failed write).
 */
BOOL ureg_RegisterDirectFaxTempFile(DriverContext *context, HWND window, const WCHAR *path, DWORD reserved);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DIRECTFAX_DIRECT_FAX_H */
