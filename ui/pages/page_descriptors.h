/*
 * The pages of the two property sheets and the sub-dialog panels two pages share: their
 * descriptors and page procedures. Every page procedure has the frame's one shape.
 */
#ifndef QM_UI_PAGES_PAGE_DESCRIPTORS_H
#define QM_UI_PAGES_PAGE_DESCRIPTORS_H

#include <windows.h>

#include "ui/driver/sheet/sheet_records.h"

#define UI_HELP_PAGE 9999   /* help context of every page and of panel 8 */
#define UI_HELP_SHARED 8888 /* help context of panels 11, 26 and 27 */

extern const TabDescriptor g_Page1;
extern const TabDescriptor g_Page2;
extern const TabDescriptor g_Page3;
extern const TabDescriptor g_PageMonochrome3;
extern const TabDescriptor g_Page5;
extern const TabDescriptor g_Page6;
extern const TabDescriptor g_Page13;
extern const TabDescriptor g_Page17;
extern const TabDescriptor g_Page46;
extern const TabDescriptor g_Page52;

/* Panels listed under two pages: 28 and 29 (pages 1 and 2), 23 and 24 (pages 5 and 46). */
extern const TabDescriptor g_Panel23;
extern const TabDescriptor g_Panel24;
extern const TabDescriptor g_Panel28;
extern const TabDescriptor g_Panel29;

/* pg_DispatchPage: the frame's page procedure for the page's panel (dispatch kind 1): the
 * message's slot procedure called with the panel, FALSE when the message has no slot. */
INT_PTR pg_DispatchPage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LONG panelId);

INT_PTR CALLBACK pg1_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg2_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg3_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg5_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg6_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg13_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg17_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg46_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK pg52_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif /* QM_UI_PAGES_PAGE_DESCRIPTORS_H */
