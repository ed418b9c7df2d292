/* Common controls of the host build: property sheets (prsht.h) and the common-control
 * initialisation. */
#ifndef QM_COMMCTRL_H
#define QM_COMMCTRL_H

#include <windows.h>
#include <prsht.h>

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

#ifndef RC_INVOKED

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX *picce);
void WINAPI InitCommonControls(void);

#ifdef __cplusplus
}
#endif

#endif /* RC_INVOKED */

#endif /* QM_COMMCTRL_H */
