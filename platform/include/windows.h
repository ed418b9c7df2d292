/*
 * The Windows API of the host build: the part of it that this system calls, written for
 * this project. The target build uses the mingw-w64 headers instead.
 */
#ifndef QM_WINDOWS_H
#define QM_WINDOWS_H

#include <windef.h>
#include <winerror.h>
#include <winbase.h>
#include <wingdi.h>
#if __has_include(<winnls.h>)
#include <winnls.h>
#endif
#if __has_include(<winuser.h>)
#include <winuser.h>
#endif
#if __has_include(<winreg.h>)
#include <winreg.h>
#endif

#endif /* QM_WINDOWS_H */
