/*
 * Document page 2: output mode and finishing: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel10Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel20Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel21Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel37Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel38Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel14Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel39Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel41Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel40Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel48Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel57Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const TabDescriptor kPanel10 = {10, &kPanel10Info, nullptr};
static const TabDescriptor kPanel20 = {20, &kPanel20Info, nullptr};
static const TabDescriptor kPanel21 = {21, &kPanel21Info, nullptr};
static const TabDescriptor kPanel37 = {37, &kPanel37Info, nullptr};
static const TabDescriptor kPanel38 = {38, &kPanel38Info, nullptr};
static const TabDescriptor kPanel14 = {14, &kPanel14Info, nullptr};
static const TabDescriptor kPanel39 = {39, &kPanel39Info, nullptr};
static const TabDescriptor kPanel41 = {41, &kPanel41Info, nullptr};
static const TabDescriptor kPanel40 = {40, &kPanel40Info, nullptr};
static const TabDescriptor kPanel48 = {48, &kPanel48Info, nullptr};
static const TabDescriptor kPanel57 = {57, &kPanel57Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel10,
                                               &kPanel20,
                                               &kPanel21,
                                               &kPanel37,
                                               &kPanel38,
                                               &kPanel14,
                                               &g_Panel29,
                                               &g_Panel28,
                                               &kPanel39,
                                               &kPanel41,
                                               &kPanel40,
                                               &kPanel48,
                                               &kPanel57};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {521, pg2_PageProc, 2, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page2 = {2, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg2_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 2);
}
