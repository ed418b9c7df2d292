/* Shared by the files of the security-marking binding: the module's functions by name. */
#ifndef QM_CORE_OUTSIDE_VQB_PRIVATE_H
#define QM_CORE_OUTSIDE_VQB_PRIVATE_H

#include "core/outside/security_marking_binding.h"

/* vqb_Find: the module's function name, looked up now; NULL when the module is not loaded
 * or lacks it. */
FARPROC vqb_Find(const char *name);

/* vqb_Warn: the warning that changes of the marking settings are discarded, when a window
 * is given. */
void vqb_Warn(HWND window);

/* vqb_ToAnsi: text in the ANSI code page into buffer (size bytes, terminated), refusing a
 * character the page lacks. Returns 1, or 0 when it has no form there or does not fit. */
BOOL vqb_ToAnsi(const WCHAR *text, char *buffer, DWORD size);

#endif /* QM_CORE_OUTSIDE_VQB_PRIVATE_H */
