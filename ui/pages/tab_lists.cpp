/*
 * The shipped tab lists: the document sheet (pages 1, 2, 3, 17, 13), its list for model
 * classes 3 and 4 (pages 1, 3, 2, 17, 13, 52), the device sheet (pages 5, 6), and the
 * pages put in place of pages 3 and 5.
 */
#include "ui/driver/sheet/tab_lists.h"
#include "ui/pages/page_descriptors.h"

static const TabDescriptor *const kDocumentTabs[] = {&g_Page1, &g_Page2, &g_Page3, &g_Page17, &g_Page13};
static const TabDescriptor *const kAlternativeTabs[] = {&g_Page1, &g_Page3, &g_Page2, &g_Page17, &g_Page13, &g_Page52};
static const TabDescriptor *const kDeviceTabs[] = {&g_Page5, &g_Page6};

const SheetTabLists g_SheetTabLists = {
    {kDocumentTabs, sizeof(kDocumentTabs) / sizeof(kDocumentTabs[0])},
    {kAlternativeTabs, sizeof(kAlternativeTabs) / sizeof(kAlternativeTabs[0])},
    {kDeviceTabs, sizeof(kDeviceTabs) / sizeof(kDeviceTabs[0])},
    &g_Page3,
    &g_PageMonochrome3,
    &g_Page5,
    &g_Page46,
};
