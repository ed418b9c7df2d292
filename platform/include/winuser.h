/* User-interface services of the host build: formatting, character case, message boxes. */
#ifndef QM_WINUSER_H
#define QM_WINUSER_H

#include <windef.h>

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_RTLREADING 0x00100000L
#define MB_SERVICE_NOTIFICATION 0x00200000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#define MB_MODEMASK 0x00003000L
#define MB_MISCMASK 0x0000C000L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

#ifndef RC_INVOKED

#include <stdarg.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Formatting with the Windows rules (at most 1024 characters with the terminator). */
int WINAPIV wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...);
int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...);
int WINAPI wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist);
int WINAPI wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist);

/* Character case and stepping */
LPWSTR WINAPI CharUpperW(LPWSTR lpsz);
LPWSTR WINAPI CharLowerW(LPWSTR lpsz);
DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);
DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength);
LPWSTR WINAPI CharNextW(LPCWSTR lpsz);
LPWSTR WINAPI CharPrevW(LPCWSTR lpszStart, LPCWSTR lpszCurrent);

/* Icons made from their two planes */
HICON WINAPI CreateIcon(HINSTANCE hInstance, int nWidth, int nHeight, BYTE cPlanes, BYTE cBitsPixel,
                        const BYTE *lpbANDbits, const BYTE *lpbXORbits);
BOOL WINAPI DestroyIcon(HICON hIcon);

/* Message boxes: answered by the test host, never shown */
int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
/* The active window of the calling thread: headless, there is none (NULL) */
HWND WINAPI GetActiveWindow(void);

/* The desktop window: a fixed handle. */
HWND WINAPI GetDesktopWindow(void);
/* A display DC for the window (NULL or the desktop: the screen); NULL for another window. */
HDC WINAPI GetDC(HWND hWnd);
/* Gives a DC of GetDC back: 1, or 0 for a DC GetDC did not hand out. */
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);

/* Headless windows: a handle with its parent and instance; no class procedure runs and no
 * message is sent. Any class name is taken. */
HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
/* Destroys the window and its children: TRUE, FALSE (ERROR_INVALID_WINDOW_HANDLE) for
 * another handle. */
BOOL WINAPI DestroyWindow(HWND hWnd);
/* TRUE for a window of CreateWindowExW not yet destroyed. */
BOOL WINAPI IsWindow(HWND hWnd);
/* The parent given at creation, NULL for a top-level window or another handle. */
HWND WINAPI GetParent(HWND hWnd);
/* GWLP_HINSTANCE: the instance given at creation; 0 for another index or handle. */
LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex);
#define GWLP_HINSTANCE (-6)

#ifdef __cplusplus
}
#endif

#ifdef UNICODE
#define wsprintf wsprintfW
#define wvsprintf wvsprintfW
#define CharUpper CharUpperW
#define CharLower CharLowerW
#define CharUpperBuff CharUpperBuffW
#define CharLowerBuff CharLowerBuffW
#define CharNext CharNextW
#define CharPrev CharPrevW
#define MessageBox MessageBoxW
#endif

#endif /* RC_INVOKED */

#endif /* QM_WINUSER_H */
