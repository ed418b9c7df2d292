/*
 * The page-setup snapshot: the job's settings condensed once at job start and again when
 * the job's output begins, so that page production never reads the DEVMODE.
 */
#include "render/driver/page/page_setup.h"

#include <string.h>

#include "core/ddd/model_query.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "render/driver/page/page_private.h"
#include "render/pdl/writer/job_version.h"

// Capabilities the snapshot tests: numbers 32-63 name bits of the second word, smaller
// values are masks of the first.
#define CAP_OUTPUT_OPTIONS 38
#define CAP_NO_BOOKLET_IN_MODE_3 42
#define CAP_BOOKLET_COUNT_SETTING 45
#define CAP_BIT_OPTION_TURN 53
#define CAP_MASK_JOB_INFO 0x40000UL
#define CAP_MASK_BOOKLET_COUNT 0x4000000UL

// PDL versions from which the snapshot's values are sent.
#define VERSION_FF_AI 0x01010701UL
#define VERSION_OUTPUT_MODE_2 0x01020000UL
#define VERSION_PER_PAGE_DUPLEX 0x01020008UL

// Poster grids of setting 296: value, columns, rows.
static const struct {
    LONG value;
    WORD columns;
    WORD rows;
} kPosterGrids[] = {
    {258, 2, 1},
    {259, 1, 3},
    {260, 1, 4},
    {514, 2, 2},
    {771, 3, 3},
    {1028, 4, 4},
};

// Pages per sheet that make an N-up job.
static const LONG kNupCounts[] = {2, 4, 8, 16, 32};

struct SnapshotReader {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    ModelCapabilities caps;
    BOOL failed;
};

BOOL page_ReadSetting(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, LONG *value)
{
    *value = 0;
    return devmode && util_ReadSettingLong(functionId, devmode, block, value);
}

// A numeric setting; a failed read marks the reader and gives 0.
static LONG read_value(SnapshotReader *r, WORD functionId)
{
    LONG value = 0;
    if (!page_ReadSetting(r->devmode, r->block, functionId, &value))
        r->failed = TRUE;
    return value;
}

static BOOL is_on(SnapshotReader *r, WORD functionId)
{
    return read_value(r, functionId) != 0;
}

// A string setting that is not empty; one that cannot be read marks the reader.
static BOOL has_text(SnapshotReader *r, WORD functionId)
{
    const WCHAR *text = (const WCHAR *)dma_GetTypedValue(r->devmode, r->block, functionId, VT_STRING);
    if (!text)
        r->failed = TRUE;
    return text && text[0];
}

static BOOL has_capability(const SnapshotReader *r, DWORD number)
{
    DWORD test = number >= 32 && number <= 63 ? 0xFFFF0000UL | number : number;
    return ddd_TestCapability(&r->caps, test) != 0;
}

static DWORD clamp_version(DWORD version)
{
    if (version < JOB_PDL_VERSION_MIN)
        return JOB_PDL_VERSION_MIN;
    if (version > JOB_PDL_VERSION_MAX)
        return JOB_PDL_VERSION_MAX;
    return version;
}

static void fill_version(PageSetupSnapshot *s, DWORD pdlVersion)
{
    s->pdlVersion = clamp_version(pdlVersion);
    OSVERSIONINFOW info;
    memset(&info, 0, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExW(&info)) {
        s->osMajor = (WORD)info.dwMajorVersion;
        s->osMinor = (WORD)info.dwMinorVersion;
    }
}

static void fill_color(PageSetupSnapshot *s, SnapshotReader *r)
{
    LONG mode = read_value(r, FID_COLOR_MODE);
    s->autoColorByFlag = is_on(r, FID_AUTO_COLOR);
    s->colorMode = mode == 1 ? 1 : mode == 2 ? 2 : mode == 3 ? (s->autoColorByFlag ? 0 : 2) : 0;
    s->colorSetOn = is_on(r, FID_COLOR_SET_ON) && read_value(r, FID_SPECIAL1) == 1 && s->colorMode == 0;
    if (!s->colorSetOn)
        return;
    LONG value = read_value(r, FID_COLOR_SET_VALUE);
    s->colorSetLimit = value & 0xFF;
    s->colorSetMode = (value >> 8) & 0xF;
    if (s->colorSetMode > 2) {
        s->colorSetOn = 0;
        s->colorSetLimit = 0;
        s->colorSetMode = 0;
    }
}

// FALSE when the duplex value is none of 1, 2, 3.
static BOOL fill_duplex(PageSetupSnapshot *s, SnapshotReader *r)
{
    LONG duplex = read_value(r, FID_DUPLEX);
    if (duplex < 1 || duplex > 3)
        return FALSE;
    s->duplex = duplex == 1 ? 1 : 2;
    return TRUE;
}

static void fill_layout(PageSetupSnapshot *s, SnapshotReader *r)
{
    LONG pages = read_value(r, FID_PAGES_PER_SHEET);
    s->nupCount = 1;
    for (LONG n : kNupCounts)
        if (pages == n)
            s->nupCount = (WORD)n;

    LONG kind = read_value(r, FID_PAGE_LAYOUT);
    s->posterOn = kind == 1;
    if (s->posterOn) {
        LONG grid = read_value(r, FID_POSTER_GRID);
        s->posterOn = 0;
        for (const auto &g : kPosterGrids) {
            if (g.value != grid)
                continue;
            s->posterOn = 1;
            s->posterColumns = g.columns;
            s->posterRows = g.rows;
        }
    }
    s->posterOverlap = is_on(r, FID_POSTER_OVERLAP);

    s->bookletOn = kind == 2 && !(has_capability(r, CAP_NO_BOOKLET_IN_MODE_3) && s->printMode == 3);
    LONG type = read_value(r, FID_BOOKLET_TYPE);
    s->bookletType = type >= 0 && type <= 2 ? type : 0;
    if (s->bookletType == 1)
        s->threshold = read_value(r, FID_BOOKLET_THRESHOLD_4364);
    if (s->bookletType == 2)
        s->threshold = read_value(r, FID_BOOKLET_THRESHOLD_323);
    // Only a booklet carries a booklet count: a plain job with the booklet type set would
    // otherwise defer its header for good.
    if (s->bookletOn && s->bookletType == 1 && has_capability(r, CAP_MASK_BOOKLET_COUNT)) {
        s->bookletCountFlag = has_capability(r, CAP_BOOKLET_COUNT_SETTING) ? read_value(r, FID_BOOKLET_COUNT) == 2
                                                                           : read_value(r, FID_BOOKLET_COUNT_FLAG) == 1;
    }
}

static void fill_forms(PageSetupSnapshot *s, SnapshotReader *r)
{
    BOOL first = has_text(r, FID_STAMP_NAME);
    BOOL second = has_text(r, FID_STAMP_TEXT);
    if (!first || !second)
        return;
    if (is_on(r, FID_STAMP_REPEAT))
        s->formFirst = 1;
    else
        s->formSecond = 1;
    s->formOptionA = read_value(r, FID_STAMP_OPTION_A);
    s->formOptionB = read_value(r, FID_STAMP_OPTION_B);
}

static void fill_output(PageSetupSnapshot *s, SnapshotReader *r)
{
    BOOL options = has_capability(r, CAP_OUTPUT_OPTIONS);
    if (options && read_value(r, FID_OUTPUT_OPTION_ON) == 1) {
        s->outputSource = (WORD)read_value(r, FID_OUTPUT_OPTION_SOURCE);
        s->outputMode = is_on(r, FID_OUTPUT_OPTION_MODE) && s->outputSource != 264 ? 1 : 2;
    } else {
        LONG mode = read_value(r, FID_BANNER);
        s->outputMode = mode == 1 ? 1 : mode == 2 && s->pdlVersion >= VERSION_OUTPUT_MODE_2 ? 2 : 0;
        s->outputSource = (WORD)read_value(r, FID_BANNER_SOURCE);
    }
    if (!options)
        return;
    if (read_value(r, FID_OPTION_A_ON) == 1) {
        s->optionAOn = 1;
        s->optionAValue = (WORD)read_value(r, FID_OPTION_A_VALUE);
    }
    if (read_value(r, FID_OPTION_B_ON) == 1) {
        s->optionBOn = 1;
        s->optionBValue = (WORD)read_value(r, FID_OPTION_B_VALUE);
        for (WORD i = 0; i < 20; ++i)
            s->optionBList[i] = (WORD)read_value(r, (WORD)(FID_NUMBER_LIST_FIRST + i));
    }
}

static void fill_bit_options(PageSetupSnapshot *s, SnapshotReader *r)
{
    for (WORD i = 0; i < 6; ++i) {
        BOOL on = is_on(r, (WORD)(FID_OWNER_ITEM_FLAG + i));
        s->bitOptionValues[i] = on ? (SHORT)read_value(r, (WORD)(FID_OWNER_ITEM_PLACEMENT + i)) : (SHORT)-1;
        if (on)
            s->bitOptionsOn = 1;
    }
    s->bitOptionTurn = s->bitOptionsOn && read_value(r, FID_PAGE_LAYOUT) == 2 &&
                       read_value(r, FID_PAGES_PER_SHEET) == 1 && has_capability(r, CAP_BIT_OPTION_TURN);
}

// markingOn: the security-marking data of the user-interface DLL shows as setting 1339,
// which job control forces on while the PDEV holds that data.
static void fill_collation(PageSetupSnapshot *s, SnapshotReader *r)
{
    s->deviceCollates = s->copies != 1 && s->collate && dma_GetDeviceFeatureLevel(r->devmode, r->block, &r->caps) == 2;
    s->reverseOrder = is_on(r, FID_REVERSE_ORDER);
    s->markingOn = is_on(r, FID_SECURITY_MARKING);
    s->setting1343 = read_value(r, FID_NO_MEMORY_MODEL);
    s->driverLayout = s->deviceCollates || s->reverseOrder || s->markingOn || s->setting1343 != 0;
}

static void apply_corrections(PageSetupSnapshot *s, const SnapshotReader *r)
{
    if (s->nupCount > 1 || s->bookletOn) {
        s->paper267 = 0;
        s->pageSetupPerSheet = 0;
        s->perPageDuplex = 0;
    }
    if (s->printMode == 3 || s->posterOn || s->storedJob || s->separatorMode)
        s->perPageDuplex = 0;
    if (has_capability(r, CAP_NO_BOOKLET_IN_MODE_3) && s->printMode == 3) {
        s->outputMode = 0;
        s->optionAOn = 0;
        s->optionBOn = 0;
    }
}

LONG jc_BuildPageSetupSnapshot(PageSetupSnapshot *s, DWORD pdlVersion, DriverDevmode *devmode, PrinterDataBlock *block,
                               const ModelCapabilities *caps)
{
    if (!s)
        return -1;
    memset(s, 0, sizeof(*s));
    if (!devmode)
        return -1;
    SnapshotReader reader = {devmode, block, {{0, 0}}, FALSE};
    if (caps)
        reader.caps = *caps;
    SnapshotReader *r = &reader;

    fill_version(s, pdlVersion);
    s->copies = (WORD)read_value(r, FID_COPIES);
    s->collate = read_value(r, FID_COLLATE) == 1;
    s->tonerSave = is_on(r, FID_TONER_SAVE);
    s->jobInfoOn = has_capability(r, CAP_MASK_JOB_INFO);
    LONG printMode = read_value(r, FID_JOB_TYPE);
    s->printMode = printMode >= 1 && printMode <= 3 ? printMode : 0;
    fill_color(s, r);
    BOOL duplexKnown = fill_duplex(s, r);
    fill_layout(s, r);
    fill_forms(s, r);
    s->storedJob = read_value(r, FID_STORED_JOB) == 1;
    s->nameTextOn = read_value(r, FID_NAME_TEXT_ON) == 1;
    s->separatorMode = is_on(r, FID_SEPARATOR_ON) ? (read_value(r, FID_SEPARATOR_KIND) != 0 ? 2 : 1) : 0;
    s->paper267 = read_value(r, FID_OUTPUT_PAPER) == PDEV_NO_OUTPUT_PAPER;
    s->pageSetupPerSheet = 1;
    s->skipEmptyPages = is_on(r, FID_SKIP_EMPTY_PAGES);
    s->perPageDuplex =
        is_on(r, FID_PER_PAGE_DUPLEX) && is_on(r, FID_OPTION_DUPLEX) && s->pdlVersion >= VERSION_PER_PAGE_DUPLEX;
    BOOL sendFlags = s->pdlVersion >= VERSION_FF_AI;
    s->ffFlag = sendFlags ? is_on(r, FID_FF_FLAG) : -1;
    s->aiFlag = sendFlags ? is_on(r, FID_AI_FLAG) : -1;
    fill_output(s, r);
    fill_bit_options(s, r);
    s->setting383 = read_value(r, FID_NO_MARGINS) == 1;
    s->turnAllowed = is_on(r, FID_NO_MEMORY_MODEL) ? 0 : 1;
    s->setting387 = read_value(r, FID_TRAILER_PAPER) == 1;
    s->setting326 = (WORD)read_value(r, FID_BINDING_POSITION_CHOICE);
    s->setting344 = (WORD)read_value(r, FID_BINDING_POSITION2_CHOICE);
    fill_collation(s, r);
    s->headerDeferred = s->bookletCountFlag || s->markingOn || s->storedJob;
    apply_corrections(s, r);
    return duplexKnown && !r->failed ? 0 : -1;
}

LONG jc_RebuildPageSetupSnapshot(PageSetupSnapshot *s, DWORD pdlVersion, DriverDevmode *devmode,
                                 PrinterDataBlock *block, const ModelCapabilities *caps)
{
    if (!s)
        return -1;
    PageSetupSnapshot kept = *s;
    LONG result = jc_BuildPageSetupSnapshot(s, pdlVersion, devmode, block, caps);
    s->coverFlag = kept.coverFlag;
    s->firstSource = kept.firstSource;
    s->settingsLock = kept.settingsLock;
    s->escapePageSetup = kept.escapePageSetup;
    s->replayRequest = kept.replayRequest;
    memcpy(s->tail, kept.tail, sizeof(s->tail));
    return result;
}

DWORD jc_ApplyVersionSwitch(DWORD version, DriverDevmode *devmode, PrinterDataBlock *block)
{
    SnapshotReader reader = {devmode, block, {{0, 0}}, FALSE};
    if (!devmode || read_value(&reader, FID_VERSION_SWITCH) == 0)
        return JOB_PDL_VERSION_MIN;
    return version;
}
