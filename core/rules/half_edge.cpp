/*
 * Half the longer edge of the current paper minus a value: the offset of the paper's
 * centre that the job text carries.
 */
#include "core/rules/rules_private.h"

#include "core/settings/settings.h"

enum {
    PAPER_USER = 256,
    PAPER_A4 = 9,
    PAPER_A4_VARIANT = 267, /* measured as A4 */
    PAPER_RECORD = 10
};

/* The longer edge of the paper in 0.1 mm. Returns 1, or 0 when its size cannot be read. */
static BOOL edge_Longer(const HalfEdgeRequest *request, LONG paper, LONG *edge)
{
    SHORT value = (SHORT)paper;
    WCHAR name[CUSTOM_SLOT_NAME_CHARS] = {0};
    CustomPaperRecord slot = {};
    CustomSlotRequest custom = {request->devmode, request->block, &value, VT_SHORT, &slot, name};
    if (opt_FindCustomPaperSlot(&value, VT_SHORT, NULL, NULL, NULL, NULL)) {
        if (!opt_GetCustomPaperSize(&custom)) {
            return FALSE;
        }
        *edge = slot.width > slot.length ? slot.width : slot.length;
        return TRUE;
    }
    if (paper == PAPER_USER) {
        CustomPaperSizeRequest size = {request->devmode, request->block, 0, 0};
        if (!dm_GetCustomPaperSize(&size)) {
            return FALSE;
        }
        *edge = size.width > size.length ? size.width : size.length;
        return TRUE;
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, request->model, request->base, PAPER_RECORD, (WORD)paper, 0, &record) !=
        DDD_OK) {
        return FALSE;
    }
    const DddPaper *rec = (const DddPaper *)record;
    *edge = rec->minSize.width > rec->minSize.height ? rec->minSize.width : rec->minSize.height;
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    return TRUE;
}

BOOL WINAPI opt_CalcHalfLongEdgeRemainder(HalfEdgeRequest *request)
{
    LONG paper = 0, edge = 0;
    if (!request || !rule_Read(FID_OUTPUT_PAPER, request->devmode, request->block, &paper)) {
        return FALSE;
    }
    if (paper == PAPER_A4_VARIANT) {
        paper = PAPER_A4;
    }
    if (!edge_Longer(request, paper, &edge)) {
        return FALSE;
    }
    request->result = edge / 2 - request->value;
    return TRUE;
}

BOOL WINAPI opt_CalcSetting478Remainder(HalfEdgeRequest *request)
{
    if (!request || !rule_Read(FID_CENTRE_OFFSET, request->devmode, request->block, &request->value)) {
        return FALSE;
    }
    return opt_CalcHalfLongEdgeRemainder(request);
}
