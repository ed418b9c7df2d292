/*
 * esc_Dispatch: QUERYESCSUPPORT, the PDEV check, the settings lock and the table of every
 * escape code the driver answers.
 */
#include "render/driver/escape/escape_private.h"

#include "core/protocol/escapes.h"
#include "render/driver/page/page_setup.h"

// How a row treats the settings lock.
enum LockRule {
    LOCK_NONE,
    LOCK_IGNORED, // locked: 1 without storing
    LOCK_REFUSED, // locked: -1
};

// What a row answers to QUERYESCSUPPORT.
enum QueryRule {
    QUERY_ONE,
    QUERY_COPY_COUNT,
    QUERY_PASSTHROUGH,
    QUERY_TECHNOLOGY,
    QUERY_EXTENDED,
};

struct EscapeRow {
    ULONG code;
    LockRule lock;
    QueryRule query;
    EscapeHandler handler;
};

LONG esc_ReplyDevmode(PDEV *pdev, const EscapeCall *call);
LONG esc_SetDevmode(PDEV *pdev, const EscapeCall *call);
LONG esc_GetFaxModel(PDEV *pdev, const EscapeCall *call);
LONG esc_GetSheetCounter(PDEV *pdev, const EscapeCall *call);
LONG esc_SetPrinterData(PDEV *pdev, const EscapeCall *call);
LONG esc_GetPrinterData(PDEV *pdev, const EscapeCall *call);
LONG esc_GetPageWord(PDEV *pdev, const EscapeCall *call);
LONG esc_SetMargins(PDEV *pdev, const EscapeCall *call);
LONG esc_SetJobInProgress(PDEV *pdev, const EscapeCall *call);
LONG esc_SettingsLock(PDEV *pdev, const EscapeCall *call);
LONG esc_SetOutputPath(PDEV *pdev, const EscapeCall *call);
LONG esc_GetExtendedWords(PDEV *pdev, const EscapeCall *call);
LONG esc_SetExtendedWords(PDEV *pdev, const EscapeCall *call);
LONG esc_GetSharedWarning(PDEV *pdev, const EscapeCall *call);
LONG esc_SetPageSetupWord(PDEV *pdev, const EscapeCall *call);
LONG esc_SetJobStartExtra(PDEV *pdev, const EscapeCall *call);
LONG esc_KeepPayload(PDEV *pdev, const EscapeCall *call);
LONG esc_QueryBlock(PDEV *pdev, const EscapeCall *call);
LONG esc_SetJobValues(PDEV *pdev, const EscapeCall *call);
LONG esc_JobControlFirst(PDEV *pdev, const EscapeCall *call);
LONG esc_GetJobId(PDEV *pdev, const EscapeCall *call);
LONG esc_JobControlSecond(PDEV *pdev, const EscapeCall *call);

static const EscapeRow kRows[] = {
    {ESC_SETCOPYCOUNT, LOCK_NONE, QUERY_COPY_COUNT, esc_SetCopyCount},
    {ESC_PASSTHROUGH, LOCK_NONE, QUERY_PASSTHROUGH, esc_Passthrough},
    {ESC_GETTECHNOLOGY, LOCK_NONE, QUERY_TECHNOLOGY, esc_GetTechnology},
    {ESC_EXT_CONTROL, LOCK_NONE, QUERY_ONE, esc_ExtendedControl},
    {ESC_EXT_RASTER, LOCK_NONE, QUERY_EXTENDED, esc_RasterTransfer},
    {ESC_EXT_FINISHING, LOCK_NONE, QUERY_EXTENDED, esc_FinishingMode},
    {ESC_EXT_DUPLEX, LOCK_NONE, QUERY_EXTENDED, esc_DuplexFinishing},
    {ESC_EXT_DATA, LOCK_NONE, QUERY_EXTENDED, esc_KeepExtendedBlock},
    {ESC_PAGE_END, LOCK_NONE, QUERY_ONE, esc_PageEndQuery},
    {ESC_GET_DEVMODE, LOCK_NONE, QUERY_ONE, esc_ReplyDevmode},
    {ESC_STAMP_MODE, LOCK_NONE, QUERY_ONE, esc_StampSwitch},
    {ESC_PLACE_ANNOTATION, LOCK_NONE, QUERY_ONE, esc_PlaceAnnotation},
    {ESC_SET_DEVMODE, LOCK_IGNORED, QUERY_ONE, esc_SetDevmode},
    {ESC_GET_JOB_INFO, LOCK_NONE, QUERY_ONE, esc_GetJobInfo},
    {ESC_SET_JOB_INFO, LOCK_IGNORED, QUERY_ONE, esc_SetJobInfo},
    {ESC_STAMP_RESTORE, LOCK_NONE, QUERY_ONE, esc_StampRestore},
    {ESC_GET_FAX_MODEL, LOCK_NONE, QUERY_ONE, esc_GetFaxModel},
    {ESC_GET_SHEET, LOCK_NONE, QUERY_ONE, esc_GetSheetCounter},
    {ESC_SET_PRINTER_DATA, LOCK_IGNORED, QUERY_ONE, esc_SetPrinterData},
    {ESC_GET_PRINTER_DATA, LOCK_NONE, QUERY_ONE, esc_GetPrinterData},
    {ESC_GET_PAGE_WORD, LOCK_NONE, QUERY_ONE, esc_GetPageWord},
    {ESC_SET_MARGINS, LOCK_NONE, QUERY_ONE, esc_SetMargins},
    {ESC_JOB_IN_PROGRESS, LOCK_NONE, QUERY_ONE, esc_SetJobInProgress},
    {ESC_SETTINGS_LOCK, LOCK_NONE, QUERY_ONE, esc_SettingsLock},
    {ESC_OUTPUT_PATH, LOCK_IGNORED, QUERY_ONE, esc_SetOutputPath},
    {ESC_FAX_LIST, LOCK_NONE, QUERY_ONE, esc_SetFaxList}, // "no input: 0" comes before the lock
    {ESC_ATTR_SETS, LOCK_IGNORED, QUERY_ONE, esc_SetAttrSets},
    {ESC_GET_EXT_WORDS, LOCK_NONE, QUERY_ONE, esc_GetExtendedWords},
    {ESC_SET_EXT_WORDS, LOCK_NONE, QUERY_ONE, esc_SetExtendedWords},
    {ESC_SHARED_WARNING, LOCK_NONE, QUERY_ONE, esc_GetSharedWarning},
    {ESC_PAGE_SETUP_WORD, LOCK_NONE, QUERY_ONE, esc_SetPageSetupWord},
    {ESC_JOB_START_EXTRA, LOCK_NONE, QUERY_ONE, esc_SetJobStartExtra},
    {ESC_BLOCK_A_DATA, LOCK_REFUSED, QUERY_ONE, esc_KeepPayload},
    {ESC_QUERY_BLOCK_B, LOCK_NONE, QUERY_ONE, esc_QueryBlock},
    {ESC_BLOCK_C_DATA, LOCK_REFUSED, QUERY_ONE, esc_KeepPayload},
    {ESC_JOB_VALUES, LOCK_NONE, QUERY_ONE, esc_SetJobValues},
    {ESC_BLOCK_B_DATA, LOCK_REFUSED, QUERY_ONE, esc_KeepPayload},
    {ESC_BLOCK_D_DATA, LOCK_REFUSED, QUERY_ONE, esc_KeepPayload},
    {ESC_JOB_CONTROL_FIRST, LOCK_NONE, QUERY_ONE, esc_JobControlFirst},
    {ESC_PAGE_DATA, LOCK_REFUSED, QUERY_ONE, esc_KeepPayload},
    {ESC_QUERY_PAGE_DATA, LOCK_NONE, QUERY_ONE, esc_QueryBlock},
    {ESC_GET_JOB_ID, LOCK_NONE, QUERY_ONE, esc_GetJobId},
    {ESC_JOB_CONTROL_SECOND, LOCK_NONE, QUERY_ONE, esc_JobControlSecond},
    {ESC_LOCALE_PAPER, LOCK_NONE, QUERY_ONE, esc_SetLocalePaper},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == 44, "escape table");

static const EscapeRow *find_row(ULONG code)
{
    for (const EscapeRow &row : kRows) {
        if (row.code == code)
            return &row;
    }
    return NULL;
}

// query_answer: QUERYESCSUPPORT for a code of the table. The PDEV is not checked: values
// that come from it read as off when it is not valid.
static LONG query_answer(PDEV *pdev, const EscapeRow *row)
{
    PDEV *valid = pdev_IsValid(pdev) ? pdev : NULL;
    switch (row->query) {
    case QUERY_COPY_COUNT: return esc_QuerySetCopyCount(valid);
    case QUERY_PASSTHROUGH: return esc_QueryPassthrough(valid);
    case QUERY_TECHNOLOGY: return ESC_EXT_CONTROL;
    case QUERY_EXTENDED: return esc_QueryExtended(valid);
    case QUERY_ONE: break;
    }
    return 1;
}

static BOOL is_locked(const PDEV *pdev)
{
    return (pdev->job.setup.snapshot.settingsLock & SNAPSHOT_LOCK_SETTINGS) != 0;
}

extern "C" ULONG WINAPI esc_Dispatch(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut)
{
    if (pso == NULL)
        return (ULONG)ESC_FAIL;
    PDEV *pdev = pdev_FromSurface(pso);
    if (iEsc == QUERYESCSUPPORT) {
        if (pvIn == NULL || cjIn < sizeof(WORD))
            return (ULONG)ESC_FAIL;
        const EscapeRow *row = find_row(esc_ReadWord((const BYTE *)pvIn, 0));
        return row == NULL ? 0 : (ULONG)query_answer(pdev, row);
    }
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const EscapeRow *row = find_row(iEsc);
    if (row == NULL)
        return 0;
    if (row->lock != LOCK_NONE && is_locked(pdev)) {
        return row->lock == LOCK_IGNORED ? 1 : (ULONG)ESC_FAIL;
    }
    EscapeCall call = {iEsc, cjIn, (const BYTE *)pvIn, cjOut, (BYTE *)pvOut};
    return (ULONG)row->handler(pdev, &call);
}
