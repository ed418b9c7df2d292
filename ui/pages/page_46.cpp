/*
 * Device page 46, in place of page 5 on some models: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPanel47Info = {nullptr, 0, 0, nullptr, nullptr, 0};
static const TabDescriptor kPanel47 = {47, &kPanel47Info, nullptr};
static const TabDescriptor *const kPanels[] = {&kPanel47, &g_Panel23, &g_Panel24};
static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {3580, pg46_PageProc, 46, UI_NONE_ID, 0, kPanels, sizeof(kPanels) / sizeof(kPanels[0])};
const TabDescriptor g_Page46 = {46, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg46_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 46);
}
