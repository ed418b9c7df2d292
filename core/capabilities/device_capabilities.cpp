/*
 * The dispatch of the capability queries: one row per DC index with its handler and what
 * it needs prepared, and the handlers of single values.
 */
#include "core/capabilities/capabilities_private.h"

#include "core/ddd/model_query.h"
#include "core/devmode_helpers/devmode_helpers.h"
#include "core/devmode_merge/devmode_merge.h"
#include "core/handlers/handler_rows.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/stored/stored.h"

enum {
    TRUETYPE_ANSWER = 6,     /* DCTT_DOWNLOAD | DCTT_SUBDEV */
    ORIENTATION_ANSWER = 90, /* landscape turns counter-clockwise */
    ENTRY_COPIES = 4,
    ENTRY_COLOR_KIND = 5,
    ENTRY_PRINT_RATE = 16,
    NO_VERSION = 1280,
    NO_DRIVER = 8644,
    DM_EXTRA_FULL = DM_FULL_SIZE - DM_PUBLIC_SIZE,
    DM_PAPER_FIELDS_END = 84 /* dmPaperWidth's end: an input's dmSize that holds 8, 9, 10 */
};

/* A value of the effective DEVMODE, or the fallback without one. */
static LONG dc_Setting(const DcQuery *query, WORD functionId, LONG fallback)
{
    LONG value = 0;
    if (!query->devmode) {
        return fallback;
    }
    return util_ReadSettingLong(functionId, query->devmode, query->block, &value) ? value : -1;
}

static LONG dc_Fields(const DcQuery *q)
{
    return dc_Setting(q, FID_FIELDS, -1);
}
static LONG dc_Version(const DcQuery *q)
{
    return dc_Setting(q, FID_SPEC_VERSION, NO_VERSION);
}
static LONG dc_Driver(const DcQuery *q)
{
    return dc_Setting(q, FID_LAYOUT_ID, NO_DRIVER);
}
static LONG dc_Size(const DcQuery *q)
{
    return dc_Setting(q, FID_SIZE, DM_PUBLIC_SIZE);
}
static LONG dc_Extra(const DcQuery *q)
{
    return dc_Setting(q, FID_DRIVER_EXTRA, DM_EXTRA_FULL);
}

static LONG dc_TrueType(const DcQuery *)
{
    return TRUETYPE_ANSWER;
}

static LONG dc_Orientation(const DcQuery *)
{
    return ORIENTATION_ANSWER;
}

/* No file dependencies: an output gets one empty entry. */
static LONG dc_FileDependencies(const DcQuery *q)
{
    if (q->output) {
        ((WCHAR *)q->output)[0] = 0;
    }
    return 0;
}

/* Entry 4, or 999 when the model asks for more than the printer's value of 4365. */
static LONG dc_Copies(const DcQuery *q)
{
    if (!q->context) {
        return UTIL_MODEL_BELOW_MINIMUM;
    }
    ModelMinimumRequest check = {q->devmode, q->block, q->context->model, q->context->base, 0};
    if (q->block && dma_CheckModelMinimum(&check) && check.result == UTIL_MODEL_BELOW_MINIMUM) {
        return UTIL_MODEL_BELOW_MINIMUM;
    }
    return ddd_GetEntry4Word(q->context->model);
}

static LONG dc_Duplex(const DcQuery *q)
{
    LONG value = 0;
    if (!q->block) {
        return -1;
    }
    return util_ReadSettingLong(FID_OPTION_DUPLEX, NULL, q->block, &value) && value != 0 ? 1 : 0;
}

static LONG dc_Collate(const DcQuery *q)
{
    if (!q->context || !q->devmode) {
        return -1;
    }
    ModelCapabilities caps = {};
    ddd_GetModelCapabilities(q->context->model, &caps);
    WORD level = dma_GetDeviceFeatureLevel(q->devmode, q->block, &caps);
    return level == 1 || level == 2 ? 1 : 0;
}

/* Entry 5: 1 monochrome, 2 and 18 colour, anything else unknown. */
static LONG dc_ColorDevice(const DcQuery *q)
{
    if (!q->context) {
        return -1;
    }
    DWORD kind = ddd_GetEntryNumber(q->context->model, ENTRY_COLOR_KIND, 1, 0);
    return kind == 1 ? 0 : kind == 2 || kind == 18 ? 1 : -1;
}

static LONG dc_PrintRate(const DcQuery *q)
{
    if (q->index == DC_PRINTRATEUNIT) {
        return 1; /* PRINTRATEUNIT_PPM */
    }
    return q->context ? (LONG)ddd_GetEntryNumber(q->context->model, ENTRY_PRINT_RATE, 2, 0) : -1;
}

static LONG dc_Staple(const DcQuery *q)
{
    LONG a = 0, b = 0;
    if (!q->devmode) {
        return -1;
    }
    return util_ReadSettingLong(FID_STAPLE_OPTION_4101, q->devmode, q->block, &a) &&
                   util_ReadSettingLong(FID_STAPLE_OPTION_5134, q->devmode, q->block, &b) && a == 1 && b == 1
               ? 1
               : 0;
}

/* Each resolution item as {x, y}: its value holds x in the high and y in the low half. */
static LONG dc_Resolutions(const DcQuery *q)
{
    if (!q->context) {
        return -1;
    }
    FunctionDefRequest def = {q->context, FID_QUALITY_PAIR, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        return -1;
    }
    DWORD count = def.optionCount;
    ddd_ReleaseRecord(def.record);
    for (DWORD i = 0; q->output && i < count; ++i) {
        DWORD_PTR value = 0;
        void *option = hdl_FetchDatabaseOption(q->context, FID_QUALITY_PAIR, i, &value);
        if (!option) {
            return -1;
        }
        ddd_ReleaseRecord(option);
        ((LONG *)q->output)[2 * i] = (LONG)HIWORD((DWORD)value);
        ((LONG *)q->output)[2 * i + 1] = (LONG)LOWORD((DWORD)value);
    }
    return (LONG)count;
}

/* One row of the dispatch table. */
typedef struct DcRow {
    WORD index;
    DcHandler handler;
    DWORD flags;
} DcRow;

static const DWORD kAll = DC_PREPARE_CONTEXT | DC_PREPARE_DEVMODE | DC_PREPARE_BLOCK;

static const DcRow kRows[] = {
    {DC_PAPERNAMES, dc_Papers, kAll},
    {DC_PAPERSIZE, dc_Papers, kAll},
    {DC_PAPERS, dc_Papers, kAll},
    {DC_BINS, dc_Bins, kAll},
    {DC_BINNAMES, dc_Bins, kAll},
    {DC_ENUMRESOLUTIONS, dc_Resolutions, DC_PREPARE_CONTEXT},
    {DC_TRUETYPE, dc_TrueType, 0},
    {DC_VERSION, dc_Version, kAll},
    {DC_DRIVER, dc_Driver, kAll},
    {DC_SIZE, dc_Size, kAll},
    {DC_EXTRA, dc_Extra, kAll},
    {DC_FIELDS, dc_Fields, kAll},
    {DC_COPIES, dc_Copies, DC_PREPARE_CONTEXT | DC_PREPARE_BLOCK},
    {DC_DUPLEX, dc_Duplex, DC_PREPARE_CONTEXT | DC_PREPARE_BLOCK},
    {DC_ORIENTATION, dc_Orientation, 0},
    {DC_FILEDEPENDENCIES, dc_FileDependencies, 0},
    {DC_MINEXTENT, dc_Extent, kAll},
    {DC_MAXEXTENT, dc_Extent, kAll},
    {DC_COLLATE, dc_Collate, kAll},
    {DC_COLORDEVICE, dc_ColorDevice, DC_PREPARE_CONTEXT},
    {DC_MEDIAREADY, dc_MediaReady, DC_PREPARE_CONTEXT},
    {DC_PRINTRATE, dc_PrintRate, DC_PREPARE_CONTEXT},
    {DC_PRINTRATEPPM, dc_PrintRate, DC_PREPARE_CONTEXT},
    {DC_PRINTRATEUNIT, dc_PrintRate, DC_PREPARE_CONTEXT},
    {DC_STAPLE, dc_Staple, kAll},
};

void dc_CopyName(WCHAR *to, const WCHAR *from, DWORD capacity)
{
    DWORD n = 0;
    while (from && n + 1 < capacity && from[n]) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

/*
 * The effective DEVMODE: the printer's default (its first part) with the model's default
 * second part, merged with the input in the merge's second form; then the input's paper
 * size, length and width as 16-bit values when its dmSize holds them.
 */
static DriverDevmode *dc_EffectiveDevmode(const DcQuery *q, const DEVMODEW *input)
{
    DriverDevmode *devmode = dm_AllocDevmode(0);
    if (!devmode) {
        return NULL;
    }
    DWORD size = DM_FULL_SIZE;
    BOOL ok = FALSE;
    PRINTER_INFO_2W *info = pd_GetPrinterDefaultDevmode(q->printer, q->context, devmode, &size, &ok);
    BOOL done = info && ok && pd_MakeDefaultSecondPart(q->printer, &devmode->second) &&
                dm_MergeDevmode(q->context, devmode, input, q->block, q->printer, HC_VALIDATE2);
    if (info) {
        GlobalFree(info);
    }
    if (done && input && input->dmSize >= DM_PAPER_FIELDS_END) {
        SHORT paper[3] = {input->dmPaperWidth, input->dmPaperLength, input->dmPaperSize};
        static const WORD ids[3] = {FID_PAPER_WIDTH, FID_PAPER_LENGTH, FID_PAPER_SIZE};
        for (int i = 0; i < 3 && done; ++i) {
            done = dma_SetFunctionValue(ids[i], devmode, q->block, VT_SHORT, 2, &paper[i]) == SST_OK;
        }
    }
    if (!done) {
        GlobalFree(devmode);
        return NULL;
    }
    return devmode;
}

LONG WINAPI dc_DeviceCapabilities(HANDLE printer, const WCHAR *device, WORD index, void *output, const DEVMODEW *input)
{
    (void)device;
    const DcRow *row = NULL;
    for (const DcRow &r : kRows) {
        if (r.index == index) {
            row = &r;
        }
    }
    if (!row) {
        return -1;
    }
    DcQuery query = {printer, index, output, row->flags, NULL, NULL, NULL};
    LONG result = -1;
    BOOL prepared = TRUE;
    if (row->flags & (DC_PREPARE_CONTEXT | DC_PREPARE_BLOCK | DC_PREPARE_DEVMODE)) {
        query.context = ddd_OpenContext(printer);
        prepared = query.context != NULL;
    }
    if (prepared && (row->flags & (DC_PREPARE_BLOCK | DC_PREPARE_DEVMODE))) {
        query.block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
        prepared = query.block && pd_LoadPrinterData(printer, query.block, query.context);
    }
    if (prepared && (row->flags & DC_PREPARE_DEVMODE)) {
        query.devmode = dc_EffectiveDevmode(&query, input);
        prepared = query.devmode != NULL;
    }
    if (prepared) {
        result = row->handler(&query);
    }
    if (query.devmode) {
        GlobalFree(query.devmode);
    }
    if (query.block) {
        GlobalFree(query.block);
    }
    if (query.context) {
        ddd_CloseContext(query.context);
    }
    return result;
}
