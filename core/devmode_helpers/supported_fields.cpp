/*
 * The dmFields bits the driver accepts, by Windows class and device.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/util/os_version.h"

enum {
    DEVICE_ENTRY = 7, /* one byte: the device supports colour matching and media */
    NEEDS_DEVICE = 4, /* a column bit: the field needs a modern system and the device */
    CLASS_COLUMNS = 4
};

/* One dmFields bit, the setting it announces, and per Windows class the selections. */
typedef struct SupportedFieldRow {
    DWORD field;
    WORD functionId;
    WORD columns[CLASS_COLUMNS]; /* classes 257, 258, 513, 514 */
} SupportedFieldRow;

static const SupportedFieldRow s_SupportedFields[] = {
    {DM_ORIENTATION, 7, {3, 3, 3, 3}},
    {DM_PAPERSIZE, 8, {3, 3, 3, 3}},
    {DM_SCALE, 11, {3, 3, 3, 3}},
    {DM_COPIES, 12, {3, 3, 3, 3}},
    {DM_DEFAULTSOURCE, 13, {3, 3, 3, 3}},
    {DM_PRINTQUALITY, 20, {3, 3, 3, 3}},
    {DM_COLOR, 15, {3, 3, 3, 3}},
    {DM_DUPLEX, 16, {3, 3, 3, 3}},
    {DM_YRESOLUTION, 21, {3, 3, 3, 3}},
    {DM_TTOPTION, 17, {3, 3, 3, 3}},
    {DM_COLLATE, 18, {3, 3, 3, 3}},
    {DM_FORMNAME, 19, {0, 0, 3, 3}},
    {DM_ICMMETHOD, 22, {7, 7, 7, 7}},
    {DM_ICMINTENT, 23, {7, 7, 7, 7}},
    {DM_MEDIATYPE, 24, {7, 7, 7, 7}},
    {DM_DITHERTYPE, 25, {7, 7, 7, 7}},
};

/* The table column of a Windows class, or -1 for a class the driver does not serve. */
static int sf_Column(WORD osClass)
{
    switch (osClass) {
    case UTIL_OS_95: return 0;
    case UTIL_OS_9X_LATER: return 1;
    case UTIL_OS_NT4: return 2;
    case UTIL_OS_NT5: return 3;
    default: return -1;
    }
}

BOOL WINAPI dm_GetSupportedFields(DriverContext *context, DWORD *fields, WORD selection)
{
    if (!fields) {
        return FALSE;
    }
    *fields = 0;
    WORD osClass = 0;
    if (util_GetOsClass(&osClass) < 0) {
        return FALSE;
    }
    int column = sf_Column(osClass);
    if (column < 0) {
        return FALSE;
    }
    BOOL modern = osClass != UTIL_OS_95 && osClass != UTIL_OS_NT4;
    BOOL device = context && context->model && ddd_GetEntryNumber(context->model, DEVICE_ENTRY, 1, 0) != 0;
    DWORD result = 0;
    for (const SupportedFieldRow &row : s_SupportedFields) {
        WORD mask = row.columns[column];
        if ((mask & selection) && (!(mask & NEEDS_DEVICE) || (modern && device))) {
            result |= row.field;
        }
    }
    *fields = result;
    return TRUE;
}
