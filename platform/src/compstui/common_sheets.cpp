/*
 * CommonPropertySheetUIW: the callback tree of a printer driver's sheet.
 *
 * The top callback gets PROPSHEETUI_REASON_INIT; while in it (and any callback after it)
 * it may add child callbacks (CPSFUNC_ADD_PFNPROPSHEETUIW, which calls the child's INIT at
 * once) and pages (CPSFUNC_ADD_HPROPSHEETPAGE, CPSFUNC_ADD_PROPSHEETPAGEW). Then the top
 * callback gets GET_INFO_HEADER, the sheet runs (PropertySheetW) with every page in the
 * order added, and every callback whose INIT succeeded gets DESTROY, the most recent
 * first, with lParam 1 when the sheet ended with its changes saved, else 0.
 *
 * CPSFUNC_SET_RESULT calls SET_RESULT of the callback named by the handle and then of each
 * callback above it, up to the top, until one answers below 1; it returns how many were
 * called. The top callback's final Result goes out through pResult.
 *
 * Answers: CPSUI_OK after a sheet closed by OK or after a saved Apply, CPSUI_CANCEL after
 * a cancelled sheet or when the top INIT answered below 1, CPSUI_RESTARTWINDOWS and
 * CPSUI_REBOOTSYSTEM as the sheet asked; ERR_CPSUI_INVALID_PDATA for a missing callback,
 * ERR_CPSUI_NO_PROPSHEETPAGE when no page was added, ERR_CPSUI_GETLASTERROR when the header
 * or the sheet failed.
 */
#include <windows.h>
#include <compstui.h>

#include <set>
#include <vector>

#include "platform/src/kernel/kernel_private.h"

namespace {

struct Session;

/* A callback or a page of the tree; its address is its handle. */
struct Node {
    Session *session;
    Node *parent;
    PFNPROPSHEETUI pfn; /* NULL for a page */
    PROPSHEETUI_INFO info;
    HPROPSHEETPAGE page;
    bool initialised;
};

struct Session {
    std::vector<Node *> nodes; /* in the order added */
    std::vector<HPROPSHEETPAGE> pages;
    int startPage;
};

std::set<Node *> g_live; /* handles of every live session */

Node *cps_Node(HANDLE handle)
{
    Node *node = (Node *)handle;
    return g_live.count(node) ? node : nullptr;
}

LONG_PTR CALLBACK cps_Function(HANDLE hComPropSheet, UINT Function, LPARAM lParam1, LPARAM lParam2);

Node *cps_AddNode(Session *s, Node *parent, PFNPROPSHEETUI pfn, LPARAM lParamInit)
{
    if (!qmk::AllocationAllowed())
        return nullptr;
    Node *node = new Node();
    node->session = s;
    node->parent = parent;
    node->pfn = pfn;
    node->info.cbSize = sizeof(PROPSHEETUI_INFO);
    node->info.Version = PROPSHEETUI_INFO_VERSION;
    node->info.Flags = PSUIINFO_UNICODE;
    node->info.hComPropSheet = (HANDLE)node;
    node->info.pfnComPropSheet = cps_Function;
    node->info.lParamInit = lParamInit;
    s->nodes.push_back(node);
    g_live.insert(node);
    return node;
}

LONG cps_Call(Node *node, WORD reason, LPARAM lParam)
{
    node->info.Reason = reason;
    return node->pfn(&node->info, lParam);
}

/* Adds a child callback and runs its INIT; its handle, or 0 when it failed. */
LONG_PTR cps_AddCallback(Node *caller, PFNPROPSHEETUI pfn, LPARAM lParamInit)
{
    if (!pfn)
        return 0;
    Node *child = cps_AddNode(caller->session, caller, pfn, lParamInit);
    if (!child)
        return 0;
    if (cps_Call(child, PROPSHEETUI_REASON_INIT, lParamInit) < 1)
        return 0;
    child->initialised = true;
    return (LONG_PTR)child;
}

LONG_PTR cps_AddPage(Node *caller, HPROPSHEETPAGE page)
{
    if (!page || !qmk::AllocationAllowed())
        return 0;
    Node *node = cps_AddNode(caller->session, caller, nullptr, 0);
    if (!node)
        return 0;
    node->page = page;
    caller->session->pages.push_back(page);
    return (LONG_PTR)node;
}

LONG_PTR cps_SetResult(Node *from, LPARAM hSetResult, LPARAM result)
{
    LONG_PTR called = 0;
    for (Node *node = from; node; node = node->parent) {
        if (!node->pfn || !node->initialised)
            continue;
        SETRESULT_INFO info = {};
        info.cbSize = sizeof(info);
        info.hSetResult = (HANDLE)hSetResult;
        info.Result = (LRESULT)result;
        ++called;
        if (cps_Call(node, PROPSHEETUI_REASON_SET_RESULT, (LPARAM)&info) < 1)
            break;
    }
    return called;
}

LONG_PTR CALLBACK cps_Function(HANDLE hComPropSheet, UINT Function, LPARAM lParam1, LPARAM lParam2)
{
    Node *caller = cps_Node(hComPropSheet);
    if (!caller)
        return 0;
    switch (Function) {
    case CPSFUNC_ADD_HPROPSHEETPAGE: return cps_AddPage(caller, (HPROPSHEETPAGE)lParam1);
    case CPSFUNC_ADD_PROPSHEETPAGEW: {
        HPROPSHEETPAGE page = CreatePropertySheetPageW((LPCPROPSHEETPAGEW)lParam1);
        LONG_PTR handle = cps_AddPage(caller, page);
        if (!handle && page)
            DestroyPropertySheetPage(page);
        return handle;
    }
    case CPSFUNC_ADD_PFNPROPSHEETUIW: return cps_AddCallback(caller, (PFNPROPSHEETUI)lParam1, lParam2);
    case CPSFUNC_SET_RESULT: return cps_SetResult(caller, lParam1, lParam2);
    case CPSFUNC_GET_PAGECOUNT: return (LONG_PTR)caller->session->pages.size();
    case CPSFUNC_SET_HSTARTPAGE: {
        Node *target = cps_Node((HANDLE)lParam1);
        for (size_t i = 0; target && i < caller->session->pages.size(); ++i)
            if (caller->session->pages[i] == target->page) {
                caller->session->startPage = (int)i;
                return 1;
            }
        return 0;
    }
    }
    return 0;
}

/* DESTROY to every callback whose INIT succeeded, the most recent first; frees the nodes.
 * The top callback's Result after it. */
ULONG_PTR cps_Destroy(Session *s, LPARAM lParam)
{
    for (size_t i = s->nodes.size(); i-- > 0;) {
        Node *node = s->nodes[i];
        if (node->pfn && node->initialised)
            cps_Call(node, PROPSHEETUI_REASON_DESTROY, lParam);
    }
    ULONG_PTR result = s->nodes.empty() ? 0 : s->nodes.front()->info.Result;
    for (Node *node : s->nodes) {
        g_live.erase(node);
        delete node;
    }
    s->nodes.clear();
    return result;
}

} // namespace

extern "C" LONG WINAPI CommonPropertySheetUIW(HWND hWndOwner, PFNPROPSHEETUI pfnPropSheetUI, LPARAM lParam,
                                              LPDWORD pResult)
{
    if (!pfnPropSheetUI)
        return ERR_CPSUI_INVALID_PDATA;
    Session s;
    s.startPage = 0;
    Node *top = cps_AddNode(&s, nullptr, pfnPropSheetUI, lParam);
    if (!top)
        return ERR_CPSUI_ALLOCMEM_FAILED;
    LONG answer;
    if (cps_Call(top, PROPSHEETUI_REASON_INIT, lParam) < 1) {
        answer = CPSUI_CANCEL;
        // The pages added before the failure belong to no sheet.
        for (HPROPSHEETPAGE page : s.pages)
            DestroyPropertySheetPage(page);
        cps_Destroy(&s, 0);
        return answer;
    }
    top->initialised = true;
    PROPSHEETUI_INFO_HEADER header = {};
    header.cbSize = sizeof(header);
    header.hWndParent = hWndOwner;
    INT_PTR sheet = -1;
    if (cps_Call(top, PROPSHEETUI_REASON_GET_INFO_HEADER, (LPARAM)&header) < 1) {
        answer = ERR_CPSUI_GETLASTERROR;
    } else if (s.pages.empty()) {
        answer = ERR_CPSUI_NO_PROPSHEETPAGE;
    } else {
        PROPSHEETHEADERW psh = {};
        psh.dwSize = sizeof(psh);
        psh.dwFlags = ((header.Flags & PSUIHDRF_NOAPPLYNOW) ? PSH_NOAPPLYNOW : 0) |
                      ((header.Flags & PSUIHDRF_PROPTITLE) ? PSH_PROPTITLE : 0);
        psh.hwndParent = header.hWndParent ? header.hWndParent : hWndOwner;
        psh.hInstance = header.hInst;
        psh.pszCaption = header.pTitle;
        psh.nPages = (UINT)s.pages.size();
        psh.nStartPage = (UINT)s.startPage;
        psh.phpage = s.pages.data();
        sheet = PropertySheetW(&psh);
        s.pages.clear(); // the sheet freed them
        answer = sheet < 0                      ? ERR_CPSUI_GETLASTERROR
                 : sheet == ID_PSREBOOTSYSTEM   ? CPSUI_REBOOTSYSTEM
                 : sheet == ID_PSRESTARTWINDOWS ? CPSUI_RESTARTWINDOWS
                 : sheet > 0                    ? CPSUI_OK
                                                : CPSUI_CANCEL;
    }
    for (HPROPSHEETPAGE page : s.pages)
        DestroyPropertySheetPage(page);
    DWORD result = (DWORD)cps_Destroy(&s, sheet > 0 ? 1 : 0);
    if (pResult)
        *pResult = result;
    return answer;
}
