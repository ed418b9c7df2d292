/*
 * The DEVMODE upgrade: the input's header is compared with the current driver's and the
 * input is copied (current version), converted (recent versions) or replaced by the
 * model's defaults (another model or size, a newer or an older version, a damaged
 * header). Every input read is bounded by the dmSize + dmDriverExtra it gives, and only
 * after its header words proved it long enough.
 */
#include "core/devmode_upgrade/devmode_upgrade.h"

#include "core/devmode_upgrade/devmode_fixups.h"
#include "core/devmode_upgrade/upgrade_private.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

#include <string.h>

/* How an input is handled. */
enum { kClassForeign, kClassSame, kClassRecent };

/* Characters of the model name compared (without case). */
static const DWORD kModelNameChars = 32;

/* The header words of a DEVMODE that decide its class. */
typedef struct DevmodeHeader {
    WORD size;
    WORD specVersion;
    WORD driverExtra;
    WORD version; /* setting 257 */
    WORD layout;  /* setting 258 */
    WCHAR model[33];
} DevmodeHeader;

static WORD dmu_Word(const BYTE *bytes, DWORD offset)
{
    WORD value = 0;
    memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

/* The public words of any DEVMODE (its first 72 bytes). */
static void dmu_ReadPublicWords(const BYTE *bytes, DevmodeHeader *header)
{
    header->size = dmu_Word(bytes, offsetof(DEVMODEW, dmSize));
    header->specVersion = dmu_Word(bytes, offsetof(DEVMODEW, dmSpecVersion));
    header->driverExtra = dmu_Word(bytes, offsetof(DEVMODEW, dmDriverExtra));
}

/* The private words and the model name behind dmSize; the caller made sure that at
 * least UPG_HEADER_MIN_EXTRA private bytes are there. */
static void dmu_ReadPrivateWords(const BYTE *bytes, DevmodeHeader *header)
{
    const BYTE *priv = bytes + header->size;
    header->version = dmu_Word(priv, 0);
    header->layout = dmu_Word(priv, 2);
    memcpy(header->model, priv + 4, kModelNameChars * sizeof(WCHAR));
    header->model[kModelNameChars] = 0;
}

/* The class of input against the current header; *version: the input's version. */
static int dmu_Classify(const BYTE *input, const DevmodeHeader *current, WORD *version)
{
    if (!input)
        return kClassForeign;
    DevmodeHeader header;
    dmu_ReadPublicWords(input, &header);
    if (header.size != current->size || header.specVersion != current->specVersion ||
        header.driverExtra < UPG_HEADER_MIN_EXTRA)
        return kClassForeign;
    dmu_ReadPrivateWords(input, &header);
    *version = header.version;
    if (lstrcmpiW(header.model, current->model) != 0 || header.version > current->version)
        return kClassForeign;
    if (header.version == current->version)
        return header.driverExtra >= DM_PRIVATE_SIZE ? kClassSame : kClassForeign;
    if (header.version < UPG_DEVMODE_RECENT_FIRST)
        return kClassForeign;
    return kClassRecent;
}

/*
 * Overlays the input on the defaults in work: the public part and the private part, each
 * the smaller of the two sizes, with the current header words kept. 0 when the overlay
 * could not take the whole input.
 */
static BOOL dmu_Overlay(const BYTE *input, DriverDevmode *work, const DriverDevmode *defaults)
{
    DevmodeHeader header;
    dmu_ReadPublicWords(input, &header);
    DWORD publicBytes = header.size < defaults->dm.dmSize ? header.size : defaults->dm.dmSize;
    DWORD currentExtra =
        defaults->dm.dmDriverExtra < DM_PRIVATE_SIZE ? defaults->dm.dmDriverExtra : (DWORD)DM_PRIVATE_SIZE;
    DWORD privateBytes = header.driverExtra < currentExtra ? header.driverExtra : currentExtra;
    if (publicBytes + privateBytes != (DWORD)header.size + header.driverExtra)
        return FALSE;
    memcpy(work, input, publicBytes);
    memcpy(&work->priv, input + header.size, privateBytes);
    work->dm.dmSpecVersion = defaults->dm.dmSpecVersion;
    work->dm.dmDriverVersion = defaults->dm.dmDriverVersion;
    work->dm.dmSize = defaults->dm.dmSize;
    work->dm.dmDriverExtra = defaults->dm.dmDriverExtra;
    memcpy(work->priv.bytes, defaults->priv.bytes, 2 * sizeof(WORD)); /* settings 257 and 258 */
    return TRUE;
}

/* Converts the input of a recent version into work (which holds the defaults). */
static BOOL dmu_ConvertRecent(const BYTE *input, DriverDevmode *work, const DriverDevmode *defaults,
                              DriverContext *context, WORD version)
{
    return dmu_Overlay(input, work, defaults) && dmu_RunRecentFixups(context, defaults, work, version);
}

/* The class's result in work (which holds the defaults); DMU_DEFAULTS leaves them. */
static LONG dmu_Upgrade(const BYTE *input, DriverDevmode *work, const DriverDevmode *defaults,
                        const DevmodeHeader *current, DriverContext *context)
{
    WORD version = 0;
    switch (dmu_Classify(input, current, &version)) {
    case kClassSame:
        memcpy(work, input, DM_SHORT_SIZE);
        if (dmu_Word(input, DM_PUBLIC_SIZE + sizeof(WORD)) != current->layout)
            memcpy(work->priv.bytes + sizeof(WORD), &current->layout, sizeof(WORD));
        return DMU_COPIED;
    case kClassRecent:
        if (dmu_ConvertRecent(input, work, defaults, context, version))
            return DMU_CONVERTED;
        memcpy(work, defaults, DM_SHORT_SIZE);
        return DMU_DEFAULTS;
    default: return DMU_DEFAULTS;
    }
}

LONG dm_UpgradeDevmode(const DEVMODEW *input, DriverDevmode *output, const WCHAR *printerName, DriverContext *context)
{
    if (!output || !context)
        return DMU_FAILED;
    DriverDevmode *defaults = dm_AllocDevmode(0);
    DriverDevmode *work = dm_AllocDevmode(0);
    LONG result = DMU_FAILED;
    if (defaults && work && opt_SetAllDefaults(context, defaults, NULL, printerName)) {
        DevmodeHeader current;
        dmu_ReadPublicWords((const BYTE *)defaults, &current);
        dmu_ReadPrivateWords((const BYTE *)defaults, &current);
        memcpy(work, defaults, DM_SHORT_SIZE);
        result = dmu_Upgrade((const BYTE *)input, work, defaults, &current, context);
        memcpy(output, work, DM_SHORT_SIZE);
    }
    if (defaults)
        GlobalFree(defaults);
    if (work)
        GlobalFree(work);
    return result;
}
