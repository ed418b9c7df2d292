/*
 * Device page 5: user and owner settings: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel23Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const PanelInfo kPanel24Info = {nullptr, 0, 0, nullptr, nullptr, 0};
const TabDescriptor g_Panel23 = {23, &kPanel23Info, nullptr};
const TabDescriptor g_Panel24 = {24, &kPanel24Info, nullptr};
static const TabDescriptor *const kPanels[] = {&g_Panel23, &g_Panel24};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {501, pg5_PageProc, 5, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page5 = {5, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg5_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 5);
}
