/*
 * Document page 13: the feature list: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel4Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel8Info = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PanelInfo kPanel56Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const TabDescriptor kPanel4 = {4, &kPanel4Info, nullptr};
static const TabDescriptor kPanel8 = {8, &kPanel8Info, nullptr};
static const TabDescriptor kPanel56 = {56, &kPanel56Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel4, &kPanel8, &kPanel56};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {504, pg13_PageProc, 13, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page13 = {13, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg13_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 13);
}
