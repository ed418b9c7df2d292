/*
 * The security-marking binding: the module of the printer's client software that adds
 * marking outputs to printed pages, found through HKLM "SOFTWARE\Tessaly Ornet\Sigilon
 * Basic", loaded by path and called by name. Every successful ext_VqbOpen holds one load
 * of the module until its ext_VqbClose, so a module in use by one session is never
 * unloaded under it; the functions are looked up at each call.
 *
 * Results: 1 success unless said otherwise; VQB_E_* below.
 */
#ifndef QM_CORE_OUTSIDE_SECURITY_MARKING_BINDING_H
#define QM_CORE_OUTSIDE_SECURITY_MARKING_BINDING_H

#include <windows.h>

#include "core/outside/outside_interfaces.h"
#include "core/security_marking/security_marking.h"
#include "core/settings/settings_types.h"

#define VQB_OK 1
#define VQB_DIALOG_DONE 2      /* the dialog closed with its settings */
#define VQB_DIALOG_CANCELLED 3 /* the dialog was cancelled */
#define VQB_CONFLICT 4         /* the settings conflict */
#define VQB_E_ARGUMENT (-1)    /* missing argument, or a PDL index outside the table */
#define VQB_E_TRANSLATE (-4)   /* an identifier cannot be translated; no settings size */
#define VQB_E_MEMORY (-5)
#define VQB_E_VALUE (-6)      /* a value cannot be read */
#define VQB_E_CONVERT (-7)    /* a name has no form in the ANSI code page */
#define VQB_E_LANGUAGE (-8)   /* no language number */
#define VQB_E_MODE (-9)       /* a job call of another mode than 1 */
#define VQB_E_NO_HANDLE (-10) /* a session without module handle */
#define VQB_E_TOO_SMALL (-11) /* the texts do not fit the block */
#define VQB_E_NONE (-100)     /* the module lists no settings */
#define VQB_E_MODULE (-101)   /* the module failed or a function is missing */

/* The PDL keywords handed to the module, by PDL index. */
#define VQB_PDL_COUNT 2

/* The texts and code of the job-ids record (ext_VqbSendJobIds). */
typedef struct VqbJobIdsInput {
    const WCHAR *user;
    const WCHAR *document;
    const WCHAR *host;
    BYTE code[16];
} VqbJobIdsInput;

#ifdef __cplusplus
extern "C" {
#endif

/* ext_VqbOpen: loads the module and opens a session for the printer and its type with the
 * PDL keyword of pdlIndex (0 "LUMIQ", 1 "PCLXL"). session: out, a new session or NULL. */
int WINAPI ext_VqbOpen(const WCHAR *printerName, const WCHAR *typeName, DWORD pdlIndex, VqbSession **session);

/* ext_VqbClose: releases the module's handle, the session's load of the module and the
 * session. A session without handle is left as it is (-10). */
int WINAPI ext_VqbClose(VqbSession *session);

/* ext_VqbReadIdValues: the settings the module asks for with their current values; a
 * setting of an area not given cannot be read (-6). values: out, a new record for
 * ext_VqbFreeIdValues, NULL on failure. */
int WINAPI ext_VqbReadIdValues(VqbSession *session, DriverDevmode *devmode, PrinterDataBlock *block,
                               VqbIdValues **values);

/* ext_VqbFreeIdValues: frees a record of ext_VqbReadIdValues. */
int WINAPI ext_VqbFreeIdValues(VqbIdValues *values);

/* ext_VqbPassDriverSettings: hands the values to the module. */
int WINAPI ext_VqbPassDriverSettings(VqbSession *session, const VqbIdValues *values);

/*
 * ext_VqbRunSettingsDialog: the module's dialog over the current block (NULL: none).
 * Returns 2 with newBlock (a new global-heap block) and changed, 3 when cancelled, or an
 * error; a failed dialog shows the warning message when a window is given.
 */
int WINAPI ext_VqbRunSettingsDialog(HWND window, VqbSession *session, const VqbSettingsBlock *current,
                                    VqbSettingsBlock *newBlock, BOOL *changed);

/* ext_VqbTestConflict: 1 without conflict, 4 with one, or an error; a failed test shows
 * the warning message when a window is given. */
int WINAPI ext_VqbTestConflict(HWND window, VqbSession *session, const VqbIdValues *values,
                               const VqbSettingsBlock *block);

/* ext_VqbCountOutputs: the number of outputs of the block's settings, also kept in the
 * session. count: out. */
int WINAPI ext_VqbCountOutputs(VqbSession *session, const VqbSettingsBlock *block, DWORD *count);

/*
 * ext_VqbSetSettingsText: packs text 1 and text 2 (each in the ANSI code page with its
 * terminator) and value (4 bytes) into a zeroed block of size bytes and hands it to the
 * module as its settings. -11 when they do not fit.
 */
int WINAPI ext_VqbSetSettingsText(VqbSession *session, DWORD size, const WCHAR *text1, const WCHAR *text2, DWORD value);

/* ext_VqbSendJobIds: hands the module the 800-byte job-ids record of the input (texts in
 * the ANSI code page, cut to their fields at a whole character). */
int WINAPI ext_VqbSendJobIds(const VqbJobIdsInput *input, VqbSession *session);

/* ext_VqbCallJob: mode 1 sends the job ids (ext_VqbSendJobIds); another mode gives -9. */
int WINAPI ext_VqbCallJob(VqbSession *session, DWORD mode, const VqbJobIdsInput *input);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_OUTSIDE_SECURITY_MARKING_BINDING_H */
