/*
 * Document page 52 of models of class 4: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {517, pg52_PageProc, 52, UI_NONE_ID, 0, nullptr, 0};
const TabDescriptor g_Page52 = {52, &kPageInfoPanel, &kPage};

INT_PTR CALLBACK pg52_PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pg_DispatchPage(window, message, wParam, lParam, 52);
}
