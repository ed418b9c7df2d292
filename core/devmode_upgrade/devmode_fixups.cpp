/*
 * The fix-ups of a recent DEVMODE (private versions 0x5003 to 0x521F), one function per
 * row, all run in table order; a fix-up whose condition does not hold succeeds. The
 * "input" settings they test are read from the overlaid DEVMODE, which holds the input's
 * values, so nothing is read from the input itself.
 */
#include "core/devmode_upgrade/devmode_fixups.h"

#include "core/devmode_upgrade/upgrade_private.h"
#include "core/settings/settings.h"

/* What every fix-up sees. */
typedef struct FixupState {
    DriverContext *context;
    const DriverDevmode *defaults;
    DriverDevmode *devmode;
    WORD version;   /* the input's private version */
    WORD modelCode; /* the default of setting 5137 */
} FixupState;

typedef BOOL (*DevmodeFixup)(const FixupState *state);

/* Capability bit 45: the model keeps the booklet sheet count in setting 465. */
static const DWORD kCapBookletCount = 0xFFFF0000u | 45;
/* The booklet layout of byte setting 321 whose count moved to setting 465. */
static const DWORD kBookletLayout = 2;
/* Value of 465 meaning "the count is wanted". */
static const DWORD kBookletCountWanted = 2;
static const WORD kModelClassResets271 = 0x20;
static const WORD kModelClassSource = 0x410;
static const DWORD kOldManualSource = 0x111;
static const DWORD kNewManualSource = 0x112;

static BOOL dfx_Read(const FixupState *state, WORD functionId, DWORD *value)
{
    return upg_ReadNumber(state->devmode, NULL, functionId, value);
}

static BOOL dfx_Write(const FixupState *state, WORD functionId, DWORD value)
{
    return upg_WriteNumber(state->devmode, NULL, functionId, value);
}

static BOOL dfx_Reset(const FixupState *state, WORD functionId)
{
    return upg_ResetSetting(state->defaults, NULL, state->devmode, NULL, functionId);
}

/* Models of class 0x20 take setting 271's default. */
static BOOL dfx_ModelClassReset(const FixupState *state)
{
    if ((state->modelCode & UPG_MODEL_CLASS_MASK) != kModelClassResets271)
        return TRUE;
    return dfx_Reset(state, FID_PRIVATE_271);
}

/* Setting 350 at 0 takes its default. */
static BOOL dfx_Reset350(const FixupState *state)
{
    DWORD value = 0;
    if (!dfx_Read(state, FID_PRIVATE_350, &value))
        return FALSE;
    return value != 0 || dfx_Reset(state, FID_PRIVATE_350);
}

/* target := (1 when first is 1) + (2 when second is 1), for inputs below 0x5005. */
static BOOL dfx_PackTwoFlags(const FixupState *state, WORD target, WORD first, WORD second)
{
    if (state->version >= 0x5005)
        return TRUE;
    DWORD a = 0;
    DWORD b = 0;
    if (!dfx_Read(state, first, &a) || !dfx_Read(state, second, &b))
        return FALSE;
    return dfx_Write(state, target, (a == 1 ? 1u : 0u) + (b == 1 ? 2u : 0u));
}

static BOOL dfx_Byte454(const FixupState *state)
{
    return dfx_PackTwoFlags(state, FID_PRIVATE_454, FID_FLAG_1308, FID_FLAG_1311);
}

static BOOL dfx_Byte455(const FixupState *state)
{
    return dfx_PackTwoFlags(state, FID_PRIVATE_455, FID_FLAG_1306, FID_FLAG_1309);
}

/*
 * Inputs up to 0x503F on models with capability bit 45: a booklet count asked for with
 * setting 1328 (under layout 2 of setting 321) moves to its place in setting 465, and the
 * binding settings 320 and 448 that went with it take their defaults; 1328 is cleared.
 */
static BOOL dfx_BookletCount(const FixupState *state)
{
    if (state->version > 0x503F || !upg_HasCapability(state->context, kCapBookletCount))
        return TRUE;
    DWORD layout = 0;
    DWORD wanted = 0;
    if (!dfx_Read(state, FID_PAGE_LAYOUT, &layout) || !dfx_Read(state, FID_BOOKLET_COUNT_FLAG, &wanted))
        return FALSE;
    if (layout == kBookletLayout && wanted != 0) {
        if (!dfx_Write(state, FID_BOOKLET_COUNT, kBookletCountWanted) || !dfx_Reset(state, FID_BINDING_POSITION) ||
            !dfx_Reset(state, FID_PRIVATE_448))
            return FALSE;
    }
    return dfx_Write(state, FID_BOOKLET_COUNT_FLAG, 0);
}

/* Inputs of exactly 0x5120 on 0x410-class models: paper source 0x111 became 0x112, in
 * dmDefaultSource and in setting 265. */
static BOOL dfx_PaperSource(const FixupState *state)
{
    if (state->version != 0x5120 || (state->modelCode & UPG_MODEL_CLASS_MASK) != kModelClassSource)
        return TRUE;
    if (state->devmode->dm.dmDefaultSource == (short)kOldManualSource)
        state->devmode->dm.dmDefaultSource = (short)kNewManualSource;
    DWORD source = 0;
    if (!dfx_Read(state, FID_PAPER_SOURCE, &source))
        return FALSE;
    return source != kOldManualSource || dfx_Write(state, FID_PAPER_SOURCE, kNewManualSource);
}

/* Inputs below 0x5200: byte 473 := 3 when setting 1354 is on. */
static BOOL dfx_Byte473(const FixupState *state)
{
    if (state->version >= 0x5200)
        return TRUE;
    DWORD on = 0;
    if (!dfx_Read(state, FID_FLAG_1354, &on))
        return FALSE;
    return on == 0 || dfx_Write(state, FID_PRIVATE_473, 3);
}

/* Inputs below 0x5140 with byte 448 at 1: 448 := 6 under binding positions 9 or 10 (320)
 * or 5 (341); otherwise setting 1329 is cleared. */
static BOOL dfx_Byte448(const FixupState *state)
{
    if (state->version >= 0x5140)
        return TRUE;
    DWORD value448 = 0;
    if (!dfx_Read(state, FID_PRIVATE_448, &value448))
        return FALSE;
    if (value448 != 1)
        return TRUE;
    DWORD position = 0;
    DWORD position2 = 0;
    if (!dfx_Read(state, FID_BINDING_POSITION, &position) || !dfx_Read(state, FID_BINDING_POSITION2, &position2))
        return FALSE;
    if (position == 9 || position == 10 || position2 == 5)
        return dfx_Write(state, FID_PRIVATE_448, 6);
    return dfx_Write(state, FID_FLAG_1329, 0);
}

/*
 * Inputs of 0x5004 and older once took settings from the printer's stored blocks into
 * the second part. The list of such settings is empty, and the output here is the
 * first part alone, so nothing is moved.
 */
static BOOL dfx_SecondPartFromPrinterData(const FixupState *state)
{
    (void)state;
    return TRUE;
}

/* The fix-ups in the order they run. */
static const DevmodeFixup kFixups[] = {
    dfx_ModelClassReset,
    dfx_Reset350,
    dfx_Byte454,
    dfx_Byte455,
    dfx_BookletCount,
    dfx_PaperSource,
    dfx_Byte473,
    dfx_Byte448,
    dfx_SecondPartFromPrinterData,
};

BOOL dmu_RunRecentFixups(DriverContext *context, const DriverDevmode *defaults, DriverDevmode *devmode, WORD version)
{
    FixupState state = {context, defaults, devmode, version, 0};
    if (!upg_GetModelCode(context, &state.modelCode))
        return FALSE;
    BOOL all = TRUE;
    for (DevmodeFixup fixup : kFixups) {
        if (!fixup(&state))
            all = FALSE;
    }
    return all;
}
