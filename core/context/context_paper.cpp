/*
 * Finding a paper option by number, size or name (driver_context.h).
 */
#include "core/context/driver_context.h"

static BOOL paper_Near(WORD a, WORD b);
static BOOL paper_SizeMatches(const PaperMatch *key, const DddSize *size);
static BOOL paper_Matches(WORD mode, const PaperMatch *key, const DddPaper *paper);

/* Sizes within the tolerance, the bound included. */
static BOOL paper_Near(WORD a, WORD b)
{
    int difference = (int)a - (int)b;
    return difference >= -PAPER_MATCH_TOLERANCE && difference <= PAPER_MATCH_TOLERANCE;
}

/*
 * The key in either orientation: when both pairs are upright or both lying, width against
 * width and height against height, otherwise crosswise.
 */
static BOOL paper_SizeMatches(const PaperMatch *key, const DddSize *size)
{
    BOOL keyUpright = key->width <= key->height;
    BOOL paperUpright = size->width <= size->height;
    if (keyUpright == paperUpright) {
        return paper_Near(key->width, size->width) && paper_Near(key->height, size->height);
    }
    return paper_Near(key->width, size->height) && paper_Near(key->height, size->width);
}

static BOOL paper_Matches(WORD mode, const PaperMatch *key, const DddPaper *paper)
{
    switch (mode) {
    case PAPER_MATCH_NUMBER: return paper->head.key == key->number;
    case PAPER_MATCH_SIZE: return paper_SizeMatches(key, &paper->minSize);
    default: return paper->name && lstrcmpW(paper->name, key->name) == 0;
    }
}

BOOL WINAPI ddd_FindPaperOption(PaperFindRequest *request)
{
    if (!request) {
        return FALSE;
    }
    ZeroMemory(&request->match, sizeof(request->match));
    DriverContext *context = request->context;
    if (!context || !context->model || !context->model->bytes || request->mode < PAPER_MATCH_NUMBER ||
        request->mode > PAPER_MATCH_NAME || (request->mode == PAPER_MATCH_NAME && !request->key.name)) {
        request->status = UI_STATUS_FAILED;
        return FALSE;
    }
    FunctionDefRequest def = {context, request->functionId, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        request->status = UI_STATUS_FAILED;
        return FALSE;
    }
    const DddDefinition *definition = (const DddDefinition *)def.record;
    request->status = UI_STATUS_PAST_END;
    for (WORD n = 1; n <= def.optionCount; ++n) {
        void *option = NULL;
        if (ddd_FetchOptionRecord(
                definition->head.level, 0, context->model, context->base, definition, n, NULL, &option) != DDD_OK) {
            continue;
        }
        const DddOption *record = (const DddOption *)option;
        void *paper = NULL;
        if (record->targetType == 10) {
            ddd_FetchRecordByKey(record->head.level, context->model, context->base, 10, record->targetKey, 0, &paper);
        }
        ddd_FreeRecord(&option, DDD_FREE_OWN_TYPE);
        if (!paper) {
            continue; /* an option without paper record, such as a size this model lacks */
        }
        const DddPaper *found = (const DddPaper *)paper;
        if (paper_Matches(request->mode, &request->key, found)) {
            request->match.number = found->head.key;
            request->match.width = found->minSize.width;
            request->match.height = found->minSize.height;
            request->status = UI_STATUS_OK;
            if (found->name) {
                DWORD bytes = (DWORD)(lstrlenW(found->name) + 1) * sizeof(WCHAR);
                request->match.name = (WCHAR *)GlobalAlloc(GPTR, bytes);
                if (request->match.name) {
                    CopyMemory(request->match.name, found->name, bytes);
                } else {
                    request->status = UI_STATUS_NO_MEMORY;
                }
            }
            ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE);
            break;
        }
        ddd_FreeRecord(&paper, DDD_FREE_OWN_TYPE);
    }
    ddd_ReleaseRecord(def.record);
    return request->status == UI_STATUS_OK;
}

void WINAPI ddd_FreePaperMatchName(PaperMatch *match)
{
    if (match && match->name) {
        GlobalFree(match->name);
        match->name = NULL;
    }
}
