/*
 * Document page 3: colour: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel11Info = {nullptr, 0, UI_HELP_SHARED, nullptr, nullptr, 0};
static const PanelInfo kPanel26Info = {nullptr, 0, UI_HELP_SHARED, nullptr, nullptr, 0};
static const PanelInfo kPanel27Info = {nullptr, 0, UI_HELP_SHARED, nullptr, nullptr, 0};
static const TabDescriptor kPanel11 = {11, &kPanel11Info, nullptr};
static const TabDescriptor kPanel26 = {26, &kPanel26Info, nullptr};
static const TabDescriptor kPanel27 = {27, &kPanel27Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel11, &kPanel26, &kPanel27};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {505, pg3_PageProc, 3, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page3 = {3, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg3_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 3);
}
