/*
 * Document page 3 of monochrome models: its descriptor, page record and panel, and the descriptors of the
 * sub-dialog panels it opens. Control tables are empty until the page's controls exist.
 */
#include "ui/pages/page_descriptors.h"

static const PanelInfo kPageInfoPanel = {nullptr, 0, UI_HELP_PAGE, nullptr, nullptr, 0};
static const PageInfo kPage = {537, pg3_PageProc, 3, UI_NONE_ID, 0, nullptr, 0};
const TabDescriptor g_PageMonochrome3 = {3, &kPageInfoPanel, &kPage};
