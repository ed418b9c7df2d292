/*
 * The extended escapes of applications: control and feature query (0x1071), the raster
 * transfer (0x1072), the finishing mode (0x1073), the duplex and finishing queries and
 * overrides (0x1074) and the kept data of 0x1078.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "core/protocol/escapes.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_color.h"
#include "render/pdl/colour/colour_session.h"

// Raster transfer record: the data header, then the drawing item with its raster
// operation first.
#define RASTER_RECORD_MIN (RASTER_HEADER_SIZE + 4)
#define RASTER_CHUNK_MAX 0xFF00UL
#define RASTER_SRCCOPY 0xCC0020UL
#define TRANSFER_ID_LAST 0x3FFF

static ExtendedEscapeState *ext_state(PDEV *pdev)
{
    return &pdev->job.control.ext;
}

// The gate of 0x1072-0x1074: the mode on and the escape's feature present.
static BOOL gate_open(PDEV *pdev, WORD feature)
{
    return ext_state(pdev)->modeOn == 1 && esc_LookupFeature(pdev, feature, NULL) == 0;
}

LONG esc_QueryExtended(PDEV *pdev)
{
    return pdev != NULL && ext_state(pdev)->modeOn == 1 ? 1 : 0;
}

static LONG feature_query(PDEV *pdev, const EscapeCall *call, WORD feature)
{
    if (call->out == NULL)
        return ESC_FAIL;
    if (call->cjOut < EXT_FEATURE_REPLY_SIZE)
        return ESC_BAD_SIZE;
    if (esc_ReadLong(call->out, 0) != EXT_FEATURE_REPLY_SIZE && call->cjOut != EXT_FEATURE_REPLY_SIZE) {
        return ESC_BAD_SIZE;
    }
    ExtendedFeature entry;
    if (esc_LookupFeature(pdev, feature, &entry) != 0)
        return ESC_UNDEFINED;
    esc_WriteWord(call->out, 4, entry.escape);
    for (int i = 0; i < 3; ++i)
        esc_WriteLong(call->out, (ULONG)(6 + 4 * i), entry.values[i]);
    return 1;
}

LONG esc_ExtendedControl(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL)
        return ESC_FAIL;
    if (call->cjIn < EXT_REQUEST_SIZE || esc_ReadLong(call->in, 0) != EXT_REQUEST_SIZE)
        return ESC_BAD_SIZE;
    WORD op = esc_ReadWord(call->in, 4);
    WORD argument = esc_ReadWord(call->in, 6);
    switch (op) {
    case 1:
    case 2: ext_state(pdev)->modeOn = op == 1 ? 1 : 0; return 1;
    case 3: return feature_query(pdev, call, argument);
    case 0x6585:
        if (!esc_HasReply(call, sizeof(DWORD)))
            return ESC_FAIL;
        esc_WriteLong(call->out, 0, EXT_SIGNATURE);
        return 1;
    default: return ESC_BAD_OP;
    }
}

static void end_transfer(ExtendedEscapeState *ext)
{
    ext->transferId = 0;
    ext->expectedBytes = 0;
    ext->receivedBytes = 0;
}

// The transfer order of a chunk: starts a transfer, continues the running one or refuses
// the chunk. Returns 0 when the chunk is accepted, else -4.
static LONG accept_chunk(ExtendedEscapeState *ext, DWORD total, DWORD offset, DWORD length, DWORD id)
{
    if (ext->transferId == 0) {
        if (offset != 0 || id != 0) {
            end_transfer(ext);
            return ESC_BAD_SIZE;
        }
        ext->transferCounter = ext->transferCounter >= TRANSFER_ID_LAST ? 1 : (WORD)(ext->transferCounter + 1);
        ext->transferId = ext->transferCounter;
        ext->expectedBytes = total;
        ext->receivedBytes = 0;
    } else if (id != ext->transferId) {
        end_transfer(ext);
        return ESC_BAD_SIZE;
    } else if (offset != ext->receivedBytes) {
        return ESC_BAD_SIZE;
    }
    if ((unsigned long long)ext->receivedBytes + length > ext->expectedBytes) {
        end_transfer(ext);
        return ESC_BAD_SIZE;
    }
    ext->receivedBytes += length;
    return 0;
}

LONG esc_RasterTransfer(PDEV *pdev, const EscapeCall *call)
{
    if (!gate_open(pdev, ESC_FEATURE_RASTER))
        return 0;
    if (call->in == NULL || call->cjIn < RASTER_RECORD_MIN)
        return ESC_FAIL;
    DWORD total = esc_ReadLong(call->in, 0);
    DWORD offset = esc_ReadLong(call->in, 4);
    DWORD length = esc_ReadLong(call->in, 8);
    DWORD id = esc_ReadLong(call->in, 12);
    // A chunk larger than the writer takes at once or than the record: refused uncounted.
    if (length > RASTER_CHUNK_MAX || length > call->cjIn - RASTER_RECORD_MIN)
        return ESC_BAD_SIZE;
    if (esc_ReadLong(call->in, RASTER_HEADER_SIZE) != RASTER_SRCCOPY)
        return 0;
    // A record whose parts do not fit, or that cannot be drawn, is refused uncounted.
    RasterChunk chunk;
    LONG checked = esc_ReadRasterChunk(call->in, call->cjIn, &chunk);
    if (checked != 0)
        return checked;
    if (jc_EnsurePageStarted(pdev) != 0)
        return ESC_FAIL;
    ExtendedEscapeState *ext = ext_state(pdev);
    LONG order = accept_chunk(ext, total, offset, length, id);
    if (order != 0)
        return order;
    WORD transfer = ext->transferId;
    if (ext->receivedBytes == ext->expectedBytes)
        end_transfer(ext);
    LONG drawn = esc_DrawRasterChunk(pdev, call->in, call->in + RASTER_HEADER_SIZE, call->cjIn);
    jc_MarkPageColored(pdev);
    clr_InitPageColorSet(pdev);
    return drawn < 0 ? drawn : transfer;
}

LONG esc_FinishingMode(PDEV *pdev, const EscapeCall *call)
{
    if (!gate_open(pdev, ESC_FEATURE_FINISHING))
        return 0;
    if (!esc_HasInput(call, sizeof(WORD)))
        return ESC_FAIL;
    ExtendedEscapeState *ext = ext_state(pdev);
    WORD code = esc_ReadWord(call->in, 0);
    BOOL started = (pdev->flags & PDEV_FLAG_DOC_STARTED) != 0;
    switch (code) {
    case 0x1201:
    case 0x1202:
        if (started)
            return ESC_NOT_NOW;
        ext->jobModeFlag = code == 0x1201 ? 1 : 0;
        if (code == 0x1201)
            ext->finishingSubMode = 0;
        return 1;
    case 0x1203:
    case 0x1204:
    case 0x1205:
        if (!ext->jobModeFlag)
            return ESC_NOT_NOW;
        ext->finishingSubMode = code == 0x1203 ? 1 : code == 0x1204 ? 2 : 0;
        return 1;
    default: return ESC_UNDEFINED;
    }
}

// The overrides 0x1304 arms per pages-per-sheet value: setting 264's value.
struct SheetOverride {
    WORD pagesPerSheet;
    WORD setting264;
};
static const SheetOverride kSheetOverrides[] = {{1, 0}, {2, 1}, {4, 3}, {8, 3}, {16, 3}, {32, 3}};

// Override slots of ExtendedEscapeState.overrides.
#define OVERRIDE_295 0
#define OVERRIDE_264 1
#define OVERRIDE_294 2
#define OVERRIDE_321 3
#define OVERRIDE_296 4

static BOOL is_sheet_value(DWORD value, WORD *setting264)
{
    for (const SheetOverride &row : kSheetOverrides) {
        if (row.pagesPerSheet == value) {
            if (setting264 != NULL)
                *setting264 = row.setting264;
            return TRUE;
        }
    }
    return FALSE;
}

static LONG reply_word(const EscapeCall *call, WORD value)
{
    if (!esc_HasReply(call, sizeof(WORD)))
        return ESC_BAD_SIZE;
    esc_WriteWord(call->out, 0, value);
    return 1;
}

static LONG set_duplex(PDEV *pdev, WORD value)
{
    ExtendedEscapeState *ext = ext_state(pdev);
    if (value == 0x1311 || value == 0x1314) {
        ext->duplexOverride = value == 0x1311 ? 1 : EXT_NO_OVERRIDE;
        return 1;
    }
    if (value != 0x1312 && value != 0x1313)
        return ESC_BAD_VALUE;
    if (!(pdev->devmode.dm.dmFields & DM_DUPLEX))
        return ESC_NOT_NOW;
    ext->duplexOverride = value == 0x1312 ? 2 : 3;
    return 1;
}

static LONG set_pages_per_sheet(PDEV *pdev, WORD value)
{
    WORD *overrides = ext_state(pdev)->overrides;
    WORD setting264 = 0;
    if (value == 0) {
        for (int i = 0; i < EXT_OVERRIDE_COUNT; ++i)
            overrides[i] = EXT_NO_OVERRIDE;
        return 1;
    }
    if (!is_sheet_value(value, &setting264))
        return ESC_BAD_VALUE;
    overrides[OVERRIDE_295] = value;
    overrides[OVERRIDE_264] = setting264;
    overrides[OVERRIDE_294] = 1;
    overrides[OVERRIDE_296] = 0;
    overrides[OVERRIDE_321] = EXT_NO_OVERRIDE;
    return 1;
}

LONG esc_DuplexFinishing(PDEV *pdev, const EscapeCall *call)
{
    if (!gate_open(pdev, ESC_FEATURE_DUPLEX))
        return 0;
    if (call->in == NULL)
        return ESC_FAIL;
    if (call->cjIn < EXT_REQUEST_SIZE || esc_ReadLong(call->in, 0) != EXT_REQUEST_SIZE)
        return ESC_BAD_SIZE;
    WORD code = esc_ReadWord(call->in, 4);
    WORD value = esc_ReadWord(call->in, 6);
    switch (code) {
    case 0x1301: {
        if (!esc_HasReply(call, sizeof(WORD)))
            return ESC_BAD_SIZE;
        WORD duplex = pdev_GetSetting16(pdev, FID_DUPLEX);
        if (duplex < 1 || duplex > 3)
            return ESC_FAIL;
        return reply_word(call, (WORD)(0x1310 + duplex));
    }
    case 0x1302: return set_duplex(pdev, value);
    case 0x1303: {
        if (!esc_HasReply(call, sizeof(WORD)))
            return ESC_BAD_SIZE;
        if (pdev_GetSetting16(pdev, FID_PAGE_LAYOUT) != 0)
            return reply_word(call, 0);
        WORD pages = pdev_GetSetting16(pdev, FID_PAGES_PER_SHEET);
        return is_sheet_value(pages, NULL) ? reply_word(call, pages) : ESC_FAIL;
    }
    case 0x1304: return set_pages_per_sheet(pdev, value);
    default: return ESC_UNDEFINED;
    }
}

// 0x1078: {u32 n, n bytes}, kept as job data block B.
LONG esc_KeepExtendedBlock(PDEV *pdev, const EscapeCall *call)
{
    if (!esc_HasInput(call, sizeof(DWORD)))
        return ESC_FAIL;
    DWORD count = esc_ReadLong(call->in, 0);
    if ((unsigned long long)count + sizeof(DWORD) > 0x10000)
        return ESC_BAD_SIZE;
    if (count > call->cjIn - sizeof(DWORD) || (count >= 1 && count <= 3))
        return ESC_FAIL;
    return esc_KeepBlock(pdev, ESC_BLOCK_B, call->in + sizeof(DWORD), count);
}
