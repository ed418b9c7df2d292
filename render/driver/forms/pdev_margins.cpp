/*
 * The printable area of a paper no fixed-size record describes: a spooler form's
 * imageable area with the device paper list, else the custom-size paper's margins.
 */
#include "core/ddd/ddd_access.h"
#include "render/driver/forms/forms.h"
#include "render/driver/forms/pdev_paper.h"

// SpoolerFormArea: the imageable area of the spooler form for the paper, searched by
// number, then by name, then by a size equal to the paper's. Returns 1 on a hit.
static BOOL SpoolerFormArea(PDEV *pdev, const PaperQuery *query, PaperTenths *tenths)
{
    FORM_INFO_1W *list = NULL;
    DWORD count = 0;
    if (util_ListForms(pdev->printer, &list, &count) != FORM_LOOKUP_FOUND || list == NULL) {
        return FALSE;
    }
    const FORM_INFO_1W *hit = NULL;
    if (query->number >= 1 && query->number <= count) {
        hit = &list[query->number - 1];
    }
    for (DWORD i = 0; hit == NULL && query->name != NULL && i < count; ++i) {
        if (pdev_SameName(list[i].pName, query->name)) {
            hit = &list[i];
        }
    }
    for (DWORD i = 0; hit == NULL && i < count; ++i) {
        if (list[i].Size.cx == tenths->width * PDEV_SPOOLER_UNITS_PER_TENTH &&
            list[i].Size.cy == tenths->height * PDEV_SPOOLER_UNITS_PER_TENTH) {
            hit = &list[i];
        }
    }
    if (hit != NULL) {
        tenths->left = hit->ImageableArea.left / PDEV_SPOOLER_UNITS_PER_TENTH;
        tenths->top = hit->ImageableArea.top / PDEV_SPOOLER_UNITS_PER_TENTH;
        tenths->right = hit->ImageableArea.right / PDEV_SPOOLER_UNITS_PER_TENTH;
        tenths->bottom = hit->ImageableArea.bottom / PDEV_SPOOLER_UNITS_PER_TENTH;
    }
    GlobalFree(list);
    return hit != NULL;
}

// pdev_MarginRule: the printable area of a paper of the size in tenths that no fixed-size
// record describes. With the device paper list the spooler's form for it gives the area;
// otherwise the custom-size record's margins, widened so that its largest image is
// centred, the left and top margins then grown to the model's alignment unit.
void pdev_MarginRule(PDEV *pdev, const PaperQuery *query, PaperTenths *tenths)
{
    if (pdev->trailer.devicePaperList != 0 && SpoolerFormArea(pdev, query, tenths)) {
        return;
    }
    LONG w = tenths->width, h = tenths->height;
    LONG left = 0, top = 0, right = 0, bottom = 0;
    DddPaper *custom = pdev_FetchPaper(pdev, PDEV_CUSTOM_PAPER);
    if (custom != NULL) {
        left = custom->margins[0].width;
        top = custom->margins[0].height;
        right = custom->margins[1].width;
        bottom = custom->margins[1].height;
        LONG maxWidth = custom->maxImage.width, maxHeight = custom->maxImage.height;
        if (maxWidth + left + right < w) {
            left = (w - maxWidth + 1) / 2;
            right = w - maxWidth - left;
        }
        if (maxHeight + top + bottom < h) {
            top = (h - maxHeight + 1) / 2;
            bottom = h - maxHeight - top;
        }
        pdev_FreePaper(&custom);
    }
    LONG unit = (LONG)ddd_GetAlignmentUnit(pdev->modelFile);
    if (unit > 1) {
        left += w % unit;
        top += h % unit;
    }
    tenths->left = left;
    tenths->top = top;
    tenths->right = w - right;
    tenths->bottom = h - bottom;
}
