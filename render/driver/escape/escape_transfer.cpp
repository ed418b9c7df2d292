/*
 * The settings transfer of the user-interface DLL and its small queries: the DEVMODE, the
 * printer-data block, the margins of the next page, the settings lock, the output path,
 * the extended-escape words, the kept data blocks and the job-control words.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/protocol/escapes.h"
#include "render/driver/page/page_setup.h"

LONG esc_ReplyDevmode(PDEV *pdev, const EscapeCall *call)
{
    if (call->out == NULL || call->cjOut != sizeof(DriverDevmode))
        return ESC_FAIL;
    memcpy(call->out, &pdev->devmode, sizeof(DriverDevmode));
    return 1;
}

LONG esc_SetDevmode(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(DriverDevmode))
        return ESC_FAIL;
    memcpy(&pdev->devmode, call->in, sizeof(DriverDevmode));
    return 1;
}

LONG esc_GetFaxModel(PDEV *pdev, const EscapeCall *call)
{
    if (!esc_HasReply(call, sizeof(DWORD))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    esc_WriteLong(call->out, 0, pdev->faxModel ? 1 : 0);
    return 1;
}

LONG esc_GetSheetCounter(PDEV *pdev, const EscapeCall *call)
{
    return esc_ReplyLong(call, esc_SheetCounter(pdev));
}

LONG esc_SetPrinterData(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(PrinterDataBlock) || pdev->printerData == NULL)
        return ESC_FAIL;
    memcpy(pdev->printerData, call->in, sizeof(PrinterDataBlock));
    return 1;
}

LONG esc_GetPrinterData(PDEV *pdev, const EscapeCall *call)
{
    if (call->out == NULL || call->cjOut != sizeof(PrinterDataBlock) || pdev->printerData == NULL)
        return ESC_FAIL;
    memcpy(call->out, pdev->printerData, sizeof(PrinterDataBlock));
    return 1;
}

LONG esc_GetPageWord(PDEV *pdev, const EscapeCall *call)
{
    return esc_ReplyLong(call, esc_PageWord(pdev));
}

// The margins of the next page: {driver paper number, left, right, top, bottom}; when the
// trailer's paper has that driver paper number, the trailer's margins of it are taken.
LONG esc_SetMargins(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(PageMarginRecord))
        return ESC_FAIL;
    PageSetupState *setup = &pdev->job.setup;
    PageMarginRecord record;
    memcpy(&record, call->in, sizeof record);
    WORD paper = record.paperNumber;
    const DevmodeTrailer *trailer = &pdev->trailer;
    BOOL fromTrailer = trailer->paperNumber == paper;
    for (int i = 0; i < 4; ++i) {
        setup->escapeMargins[i] = fromTrailer ? trailer->margins[i] : record.margins[i];
    }
    setup->escapePaper = paper;
    return 1;
}

LONG esc_SetJobInProgress(PDEV *pdev, const EscapeCall *)
{
    pdev->jobInProgress = 1;
    return 1;
}

// 0 begins a settings transfer (locks, unless a document is open whose output has not
// begun), 1 ends it.
LONG esc_SettingsLock(PDEV *pdev, const EscapeCall *call)
{
    if (!esc_HasInput(call, sizeof(WORD)))
        return ESC_FAIL;
    WORD *lock = &pdev->job.setup.snapshot.settingsLock;
    WORD step = esc_ReadWord(call->in, 0);
    WORD state = pdev->job.pageState;
    if (step == ESC_SETTINGS_BEGIN) {
        BOOL beforeOutput = (state & PAGE_STATE_DOC_OPEN) && !(state & PAGE_STATE_OUTPUT_BEGUN);
        if (!beforeOutput)
            *lock |= SNAPSHOT_LOCK_SETTINGS;
    } else if (step == ESC_SETTINGS_END) {
        *lock = (WORD)((*lock & ~SNAPSHOT_LOCK_SETTINGS) | SNAPSHOT_LOCK_TRANSFER_ENDED);
    }
    return 1;
}

// The output path is kept as text only; no file is opened by it.
LONG esc_SetOutputPath(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn < sizeof(WCHAR))
        return ESC_FAIL;
    WCHAR *path = pdev->job.escape.outputPath;
    ULONG chars = call->cjIn / sizeof(WCHAR);
    if (chars > ESC_OUTPUT_PATH_CHARS)
        chars = ESC_OUTPUT_PATH_CHARS;
    memcpy(path, call->in, chars * sizeof(WCHAR));
    path[chars] = 0;
    return 1;
}

LONG esc_GetExtendedWords(PDEV *pdev, const EscapeCall *call)
{
    if (call->out == NULL || call->cjOut != sizeof(RenderJobRecord))
        return ESC_FAIL;
    const ExtendedEscapeState *ext = &pdev->job.control.ext;
    RenderJobRecord record = {ext->modeOn, ext->jobModeFlag, ext->finishingSubMode, 0};
    memcpy(call->out, &record, sizeof record);
    return 1;
}

LONG esc_SetExtendedWords(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(RenderJobRecord))
        return ESC_FAIL;
    ExtendedEscapeState *ext = &pdev->job.control.ext;
    RenderJobRecord record;
    memcpy(&record, call->in, sizeof record);
    ext->modeOn = record.extendedMode;
    ext->jobModeFlag = record.jobModeFlag;
    ext->finishingSubMode = record.finishingSubMode;
    return 1;
}

// Whether the shared-printer warning applies: with the job-in-progress word, 1 while no
// document is open; without it, 1 while one is.
LONG esc_GetSharedWarning(PDEV *pdev, const EscapeCall *call)
{
    if (!esc_HasReply(call, sizeof(DWORD)))
        return ESC_FAIL;
    BOOL docOpen = (pdev->job.pageState & PAGE_STATE_DOC_OPEN) != 0;
    if (pdev->jobInProgress) {
        esc_WriteLong(call->out, 0, docOpen ? 0 : 1);
        return 1;
    }
    if (docOpen) {
        esc_WriteLong(call->out, 0, 1);
        return 1;
    }
    esc_WriteLong(call->out, 0, 0);
    return ESC_FAIL;
}

LONG esc_SetPageSetupWord(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(DWORD))
        return ESC_FAIL;
    pdev->job.setup.snapshot.escapePageSetup = esc_ReadLong(call->in, 0);
    return 1;
}

LONG esc_SetJobStartExtra(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(DocumentIdentity))
        return ESC_FAIL;
    memcpy(&pdev->job.escape.jobStartExtra, call->in, sizeof(DocumentIdentity));
    return 1;
}

// The kept copies: job data blocks A to D and the page data block, each by its own escape.
LONG esc_KeepPayload(PDEV *pdev, const EscapeCall *call)
{
    int slot = call->code == ESC_BLOCK_A_DATA   ? ESC_BLOCK_A
               : call->code == ESC_BLOCK_C_DATA ? ESC_BLOCK_C
               : call->code == ESC_BLOCK_B_DATA ? ESC_BLOCK_B
               : call->code == ESC_BLOCK_D_DATA ? ESC_BLOCK_D
                                                : ESC_BLOCK_PAGE;
    if (call->in == NULL && call->cjIn != 0)
        return ESC_FAIL;
    return esc_KeepBlock(pdev, slot, call->in, call->cjIn);
}

// Selector 0: the block's size; 1: the block itself.
LONG esc_QueryBlock(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(WORD))
        return ESC_FAIL;
    const EscapeBlock *block = &pdev->job.escape.blocks[call->code == ESC_QUERY_BLOCK_B ? ESC_BLOCK_B : ESC_BLOCK_PAGE];
    WORD selector = esc_ReadWord(call->in, 0);
    if (selector == ESC_QUERY_SIZE) {
        if (call->out == NULL || call->cjOut != sizeof(DWORD))
            return ESC_FAIL;
        esc_WriteLong(call->out, 0, block->size);
        return 1;
    }
    if (selector != ESC_QUERY_DATA || block->data == NULL || call->out == NULL || call->cjOut != block->size) {
        return ESC_FAIL;
    }
    memcpy(call->out, block->data, block->size);
    return 1;
}

LONG esc_SetJobValues(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(SecurityMarkingRecord))
        return ESC_FAIL;
    SecurityMarkingRecord record;
    memcpy(&record, call->in, sizeof record);
    pdev->job.escape.jobValues[0] = record.offered;
    pdev->job.escape.jobValues[1] = record.outputs;
    return 1;
}

LONG esc_JobControlFirst(PDEV *pdev, const EscapeCall *call)
{
    if (esc_HasReply(call, sizeof(DWORD)))
        esc_WriteLong(call->out, 0, pdev->job.jobControl[0]);
    if (call->in != NULL && call->cjIn == sizeof(DWORD)) {
        pdev->job.jobControl[0] = esc_ReadLong(call->in, 0) == 1 ? 1 : 0;
    }
    return 1;
}

LONG esc_GetJobId(PDEV *pdev, const EscapeCall *call)
{
    return esc_ReplyLong(call, pdev->jobId);
}

LONG esc_JobControlSecond(PDEV *pdev, const EscapeCall *call)
{
    if (esc_HasReply(call, sizeof(DWORD)))
        esc_WriteLong(call->out, 0, pdev->job.jobControl[1]);
    if (call->in != NULL && call->cjIn == sizeof(DWORD)) {
        pdev->job.jobControl[1] = (WORD)esc_ReadLong(call->in, 0);
    }
    return 1;
}
