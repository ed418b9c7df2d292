/*
 * Document page 1: paper, copies and favorites: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel15Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel16Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel58Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel28Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel29Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel35Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel36Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel22Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel42Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel44Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel43Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel55Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const TabDescriptor kPanel15 = {15, &kPanel15Info, nullptr};
static const TabDescriptor kPanel16 = {16, &kPanel16Info, nullptr};
static const TabDescriptor kPanel58 = {58, &kPanel58Info, nullptr};
const TabDescriptor g_Panel28 = {28, &kPanel28Info, nullptr};
const TabDescriptor g_Panel29 = {29, &kPanel29Info, nullptr};
static const TabDescriptor kPanel35 = {35, &kPanel35Info, nullptr};
static const TabDescriptor kPanel36 = {36, &kPanel36Info, nullptr};
static const TabDescriptor kPanel22 = {22, &kPanel22Info, nullptr};
static const TabDescriptor kPanel42 = {42, &kPanel42Info, nullptr};
static const TabDescriptor kPanel44 = {44, &kPanel44Info, nullptr};
static const TabDescriptor kPanel43 = {43, &kPanel43Info, nullptr};
static const TabDescriptor kPanel55 = {55, &kPanel55Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel15,
                                               &kPanel16,
                                               &kPanel58,
                                               &g_Panel28,
                                               &g_Panel29,
                                               &kPanel35,
                                               &kPanel36,
                                               &kPanel22,
                                               &kPanel42,
                                               &kPanel44,
                                               &kPanel43,
                                               &kPanel55};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {520, pg1_PageProc, 1, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page1 = {1, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg1_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 1);
}
