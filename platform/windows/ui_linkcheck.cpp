/*
 * Target build only: a module that includes the user-interface driver's headers in its
 * order, calls the window, dialog, control and property-sheet functions the driver uses,
 * and checks the sizes it puts in dwSize and cbSize fields, so that linking it proves the
 * headers and import libraries hold them all. Built, never run. The common property-sheet
 * module has no import library: it is reached by name.
 */
#include <windows.h>
#include <winspool.h>
#include <winddiui.h>
#include <compstui.h>
#include <commctrl.h>
#include <prsht.h>

#include <stddef.h>

static_assert(sizeof(PROPSHEETPAGEW) == 52, "PROPSHEETPAGEW version 3");
static_assert(offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM) == 44, "TOOLINFOW version 2, TTTOOLINFOW_V2_SIZE");
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 28, "DOCUMENTPROPERTYHEADER");
static_assert(sizeof(DEVICEPROPERTYHEADER) == 12, "DEVICEPROPERTYHEADER");
static_assert(sizeof(PROPSHEETUI_INFO) == 28, "PROPSHEETUI_INFO");
static_assert(sizeof(SETRESULT_INFO) == 12, "SETRESULT_INFO");

static INT_PTR CALLBACK ui_Proc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

extern "C" __declspec(dllexport) ULONG_PTR WINAPI qm_UiLinkCheck(HWND hwnd, HINSTANCE instance, ULONG_PTR n)
{
    ULONG_PTR r = 0;
    WCHAR text[16];
    RECT rc = {0, 0, 4, 8};
    HWND dlg = CreateDialogParamW(instance, MAKEINTRESOURCEW(100), hwnd, ui_Proc, 0);
    r += (ULONG_PTR)DialogBoxParamW(instance, MAKEINTRESOURCEW(100), hwnd, ui_Proc, 0);
    r += (ULONG_PTR)CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 1, 1, dlg, nullptr, instance, nullptr);
    r += (ULONG_PTR)GetDlgItem(dlg, 1) + (ULONG_PTR)GetDlgCtrlID(dlg) + MapDialogRect(dlg, &rc);
    r += SetDlgItemTextW(dlg, 1, L"") + GetDlgItemTextW(dlg, 1, text, 16);
    r += CheckDlgButton(dlg, 1, BST_CHECKED) + IsDlgButtonChecked(dlg, 1);
    r += (ULONG_PTR)SendMessageW(dlg, WM_SETTEXT, 0, 0) + (ULONG_PTR)SendDlgItemMessageW(dlg, 1, CB_GETCURSEL, 0, 0);
    r += PostMessageW(dlg, WM_USER, 0, 0) + EnableWindow(dlg, TRUE) + ShowWindow(dlg, SW_SHOW);
    r += (ULONG_PTR)SetFocus(dlg) + (ULONG_PTR)GetFocus() + (ULONG_PTR)GetParent(dlg) + IsWindow(dlg);
    r += (ULONG_PTR)SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 1) + (ULONG_PTR)GetWindowLongPtrW(dlg, DWLP_USER);
    r += SetPropW(dlg, L"p", (HANDLE)n) + (ULONG_PTR)GetPropW(dlg, L"p") + (ULONG_PTR)RemovePropW(dlg, L"p");
    r += (ULONG_PTR)GetWindowTextW(dlg, text, 16) + SetWindowTextW(dlg, L"t");
    r += (ULONG_PTR)CallWindowProcW(DefWindowProcW, dlg, WM_NULL, 0, 0) + (ULONG_PTR)DefDlgProcW(dlg, WM_NULL, 0, 0);
    r += (ULONG_PTR)MessageBoxW(dlg, L"", L"", MB_OK) + EndDialog(dlg, IDOK) + DestroyWindow(dlg);

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    r += InitCommonControlsEx(&icc);
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    r += tool.cbSize;
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof(page);
    HPROPSHEETPAGE hpage = CreatePropertySheetPageW(&page);
    r += DestroyPropertySheetPage(hpage);
    PROPSHEETHEADERW sheet = {};
    sheet.dwSize = sizeof(sheet);
    r += (ULONG_PTR)PropertySheetW(&sheet);

    HMODULE compstui = LoadLibraryW(L"compstui.dll");
    r += (ULONG_PTR)GetProcAddress(compstui, "CommonPropertySheetUIW");
    FreeLibrary(compstui);
    return r;
}
