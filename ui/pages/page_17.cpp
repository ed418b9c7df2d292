/*
 * Document page 17: the entry list: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel18Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel19Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel25Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const TabDescriptor kPanel18 = {18, &kPanel18Info, nullptr};
static const TabDescriptor kPanel19 = {19, &kPanel19Info, nullptr};
static const TabDescriptor kPanel25 = {25, &kPanel25Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel18, &kPanel19, &kPanel25};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {
    524, pg17_PageProc, 17, UI_NONE_ID, 0x901E, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page17 = {17, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg17_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 17);
}
