/*
 * The printer-data block upgrade: a stored block of this model is copied (current
 * version) or converted (versions 0x5040 to 0x521F: overlaid on the defaults, then
 * mended); any other block gives the model's defaults. The stored block is read only
 * within its first 5452 bytes, which the loader always hands over.
 */
#include "core/devmode_upgrade/printer_data_upgrade.h"

#include "core/devmode_upgrade/upgrade_private.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

#include <string.h>

/* Printer name of every block default written here. */
static const WCHAR kDefaultsPrinterName[] = TEXT("DummyName");

/* The header words of a block: 8203, 8204, 8202 and 5137 at its start. */
typedef struct BlockHeader {
    WORD layout;
    WORD version;
    WORD size;
    WORD modelCode;
} BlockHeader;

/* What every block fix-up sees. */
typedef struct BlockFixupState {
    DriverContext *context;
    const PrinterDataBlock *defaults;
    PrinterDataBlock *block;
    WORD version;   /* the stored block's */
    WORD modelCode; /* the current one */
} BlockFixupState;

typedef BOOL (*BlockFixup)(const BlockFixupState *state);

/* Capability mask whose models turn setting 5204 to 2 in blocks below 0x5120. */
static const DWORD kCapMonitor5204 = 0x2000000;
static const WORD kModelClassOption4624 = 0x410;
static const WORD kModelClassMinimum = 0x540;
static const WORD kModelClassSame5100 = 0x350;
static const WORD kModelCode73 = 0x73;

/* Tray settings that take their defaults in blocks below the current version. */
static const WORD kTrayResets[] = {FID_TRAY_6222,
                                   FID_TRAY_6223,
                                   FID_TRAY_6252,
                                   FID_TRAY_6253,
                                   FID_TRAY_6237,
                                   FID_TRAY_6238,
                                   FID_TRAY_6312,
                                   FID_TRAY_6313};

static WORD pdu_Word(const PrinterDataBlock *block, WORD functionId)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
    WORD value = 0;
    if (row && row->offset + sizeof(value) <= sizeof(*block))
        memcpy(&value, block->bytes + row->offset, sizeof(value));
    return value;
}

static void pdu_ReadHeader(const PrinterDataBlock *block, BlockHeader *header)
{
    header->layout = pdu_Word(block, FID_BLOCK_LAYOUT_ID);
    header->version = pdu_Word(block, FID_BLOCK_VERSION);
    header->size = pdu_Word(block, FID_BLOCK_SIZE);
    header->modelCode = pdu_Word(block, FID_MODEL_CODE);
}

/* The stored model code as it counts for the comparison. */
static WORD pdu_StoredModelCode(const BlockHeader *stored, const BlockHeader *current)
{
    if (current->modelCode == kModelCode73 && stored->version == 0x4005)
        return kModelCode73;
    if ((stored->version == 0x5100 && (current->modelCode & UPG_MODEL_CLASS_MASK) == kModelClassSame5100) ||
        stored->version < 0x4003)
        return current->modelCode;
    return stored->modelCode;
}

static BOOL pdu_Reset(const BlockFixupState *state, WORD functionId)
{
    return upg_ResetSetting(NULL, state->defaults, NULL, state->block, functionId);
}

/* Below 0x5120 on models with capability 0x2000000: 5204 := 2. */
static BOOL pdu_Monitor5204(const BlockFixupState *state)
{
    if (state->version >= 0x5120 || !upg_HasCapability(state->context, kCapMonitor5204))
        return TRUE;
    return upg_WriteNumber(NULL, state->block, FID_DOCUMENT_MONITOR_5204, 2);
}

/* Exactly 0x5120 on 0x410-class models: 4623 moves to 4624. */
static BOOL pdu_Option4624(const BlockFixupState *state)
{
    if (state->version != 0x5120 || (state->modelCode & UPG_MODEL_CLASS_MASK) != kModelClassOption4624)
        return TRUE;
    DWORD value = 0;
    return upg_ReadNumber(NULL, state->block, FID_OPTION_4623, &value) &&
           upg_WriteNumber(NULL, state->block, FID_OPTION_4624, value) &&
           upg_WriteNumber(NULL, state->block, FID_OPTION_4623, 0);
}

/*
 * Below 0x5140: the device address (8213, text) takes the value of setting 8209. A number
 * becomes its decimal text, the one way a number can land in a text setting.
 */
static BOOL pdu_DeviceAddress(const BlockFixupState *state)
{
    if (state->version >= 0x5140)
        return TRUE;
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    if (dma_GetFunctionValue(FID_CONFIG_8209, NULL, state->block, &type, &size, &value) != SST_OK)
        return FALSE;
    WCHAR text[24];
    const WCHAR *written = (const WCHAR *)value;
    if (type != VT_STRING) {
        if (!dma_FormatValueText(type, &value, text))
            return FALSE;
        written = text;
    }
    const SettingLocation *row = dma_FindSettingRow(FID_DEVICE_ADDRESS, NULL);
    DWORD bytes = (dma_CountWideChars(written, 0xFFFF) + 1) * sizeof(WCHAR);
    return row && bytes <= row->capacity &&
           dma_SetFunctionValue(FID_DEVICE_ADDRESS, NULL, state->block, VT_STRING, bytes, &written) == SST_OK;
}

/* Exactly 0x5140 on 0x540-class models: 4365 takes its default. */
static BOOL pdu_Minimum4365(const BlockFixupState *state)
{
    if (state->version != 0x5140 || (state->modelCode & UPG_MODEL_CLASS_MASK) != kModelClassMinimum)
        return TRUE;
    return pdu_Reset(state, FID_MODEL_MINIMUM_VALUE);
}

/* Below the current version: the tray settings of kTrayResets take their defaults. */
static BOOL pdu_TrayResets(const BlockFixupState *state)
{
    if (state->version >= UPG_VERSION_CURRENT)
        return TRUE;
    BOOL all = TRUE;
    for (WORD functionId : kTrayResets) {
        if (!pdu_Reset(state, functionId))
            all = FALSE;
    }
    return all;
}

/* Always: 5153 and 4129 take their defaults. */
static BOOL pdu_AlwaysReset(const BlockFixupState *state)
{
    BOOL special = pdu_Reset(state, FID_SPECIAL1);
    BOOL colorSet = pdu_Reset(state, FID_COLOR_SET_ON);
    return special && colorSet;
}

/* The block fix-ups in the order they run (blocks from 0x5040 on). */
static const BlockFixup kBlockFixups[] = {
    pdu_Monitor5204,
    pdu_Option4624,
    pdu_DeviceAddress,
    pdu_Minimum4365,
    pdu_TrayResets,
    pdu_AlwaysReset,
};

/* Overlays the stored block on the defaults in work and runs every fix-up. 1 when all
 * went through. */
static BOOL pdu_ConvertRecent(const PrinterDataBlock *stored, const BlockHeader *storedHeader, PrinterDataBlock *work,
                              const PrinterDataBlock *defaults, DriverContext *context, const BlockHeader *current)
{
    DWORD size = storedHeader->size < sizeof(*work) ? storedHeader->size : sizeof(*work);
    memcpy(work->bytes, stored->bytes, size);
    BlockFixupState state = {context, defaults, work, storedHeader->version, current->modelCode};
    static const WORD kHeaderWords[] = {FID_BLOCK_LAYOUT_ID, FID_BLOCK_VERSION, FID_BLOCK_SIZE, FID_MODEL_CODE};
    for (WORD functionId : kHeaderWords) {
        if (!upg_WriteNumber(NULL, work, functionId, pdu_Word(defaults, functionId)))
            return FALSE;
    }
    BOOL all = TRUE;
    for (BlockFixup fixup : kBlockFixups) {
        if (!fixup(&state))
            all = FALSE;
    }
    return all;
}

/* The result for the stored block in work (which holds the defaults); PDU_DEFAULTS
 * leaves the defaults there. */
static LONG pdu_Upgrade(const PrinterDataBlock *stored, PrinterDataBlock *work, const PrinterDataBlock *defaults,
                        DriverContext *context)
{
    BlockHeader current;
    BlockHeader header;
    pdu_ReadHeader(defaults, &current);
    pdu_ReadHeader(stored, &header);
    if (pdu_StoredModelCode(&header, &current) != current.modelCode || header.version > current.version)
        return PDU_DEFAULTS;
    if (header.version == current.version) {
        memcpy(work, stored, sizeof(*work));
        if (header.layout != current.layout && !upg_WriteNumber(NULL, work, FID_BLOCK_LAYOUT_ID, current.layout)) {
            memcpy(work, defaults, sizeof(*work));
            return PDU_DEFAULTS;
        }
        return PDU_COPIED;
    }
    if (header.version < UPG_BLOCK_RECENT_FIRST)
        return PDU_DEFAULTS;
    if (pdu_ConvertRecent(stored, &header, work, defaults, context, &current))
        return PDU_CONVERTED;
    memcpy(work, defaults, sizeof(*work));
    return PDU_DEFAULTS;
}

LONG WINAPI pd_UpgradePrinterData(const PrinterDataBlock *stored, PrinterDataBlock *output, DriverContext *context)
{
    if (!stored || !output || !context)
        return PDU_FAILED;
    PrinterDataBlock *defaults = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    PrinterDataBlock *work = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    LONG result = PDU_FAILED;
    if (defaults && work && opt_SetAllDefaults(context, NULL, defaults, kDefaultsPrinterName)) {
        memcpy(work, defaults, sizeof(*work));
        result = pdu_Upgrade(stored, work, defaults, context);
        memcpy(output, work, sizeof(*output));
    }
    if (defaults)
        GlobalFree(defaults);
    if (work)
        GlobalFree(work);
    return result;
}
