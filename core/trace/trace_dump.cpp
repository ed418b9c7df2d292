/*
 * Trace dumps: the public DEVMODE fields, dmFields, single private settings and the
 * setting dumps by FunctionID (trace.h).
 */
#include "core/trace/trace_private.h"

#include "core/settings/settings.h"

#include <stddef.h>

/* How a public field is read: a wide text of 32 characters, 16 bits (sign-extended), 32 bits. */
enum { FIELD_TEXT, FIELD_SHORT, FIELD_LONG };

typedef struct PublicFieldRow {
    const WCHAR *format;
    WORD offset;
    WORD kind;
} PublicFieldRow;

typedef struct FieldBitRow {
    DWORD mask;
    const WCHAR *name;
} FieldBitRow;

/* The public DEVMODE fields in dump order, with their padded texts. */
static const PublicFieldRow kPublicFields[] = {
    {TEXT("dmDeviceName       =%s"), offsetof(DEVMODEW, dmDeviceName), FIELD_TEXT},
    {TEXT("dmSpecVersion      =%d"), offsetof(DEVMODEW, dmSpecVersion), FIELD_SHORT},
    {TEXT("dmDriverVersion    =%d"), offsetof(DEVMODEW, dmDriverVersion), FIELD_SHORT},
    {TEXT("dmSize             =%d"), offsetof(DEVMODEW, dmSize), FIELD_SHORT},
    {TEXT("dmDriverExtra      =%d"), offsetof(DEVMODEW, dmDriverExtra), FIELD_SHORT},
    {TEXT("dmFields           =%X"), offsetof(DEVMODEW, dmFields), FIELD_LONG},
    {TEXT("dmOrientation      =%d"), offsetof(DEVMODEW, dmOrientation), FIELD_SHORT},
    {TEXT("dmPaperSize        =%d"), offsetof(DEVMODEW, dmPaperSize), FIELD_SHORT},
    {TEXT("dmPaperLength      =%d"), offsetof(DEVMODEW, dmPaperLength), FIELD_SHORT},
    {TEXT("dmPaperWidth       =%d"), offsetof(DEVMODEW, dmPaperWidth), FIELD_SHORT},
    {TEXT("dmScale            =%d"), offsetof(DEVMODEW, dmScale), FIELD_SHORT},
    {TEXT("dmCopies           =%d"), offsetof(DEVMODEW, dmCopies), FIELD_SHORT},
    {TEXT("dmDefaultSource    =%d"), offsetof(DEVMODEW, dmDefaultSource), FIELD_SHORT},
    {TEXT("dmPrintQuality     =%d"), offsetof(DEVMODEW, dmPrintQuality), FIELD_SHORT},
    {TEXT("dmColor            =%d"), offsetof(DEVMODEW, dmColor), FIELD_SHORT},
    {TEXT("dmDuplex           =%d"), offsetof(DEVMODEW, dmDuplex), FIELD_SHORT},
    {TEXT("dmYResolution      =%d"), offsetof(DEVMODEW, dmYResolution), FIELD_SHORT},
    {TEXT("dmTTOption         =%d"), offsetof(DEVMODEW, dmTTOption), FIELD_SHORT},
    {TEXT("dmCollate          =%d"), offsetof(DEVMODEW, dmCollate), FIELD_SHORT},
    {TEXT("dmFormName         =%s"), offsetof(DEVMODEW, dmFormName), FIELD_TEXT},
    {TEXT("dmLogPixels        =%d"), offsetof(DEVMODEW, dmLogPixels), FIELD_SHORT},
    {TEXT("dmBitsPerPel       =%d"), offsetof(DEVMODEW, dmBitsPerPel), FIELD_LONG},
    {TEXT("dmPelsWidth        =%d"), offsetof(DEVMODEW, dmPelsWidth), FIELD_LONG},
    {TEXT("dmPelsHeight       =%d"), offsetof(DEVMODEW, dmPelsHeight), FIELD_LONG},
    {TEXT("dmDisplayFlags     =%d"), offsetof(DEVMODEW, dmDisplayFlags), FIELD_LONG},
    {TEXT("dmDisplayFrequency =%d"), offsetof(DEVMODEW, dmDisplayFrequency), FIELD_LONG},
    {TEXT("dmICMMethod        =%d"), offsetof(DEVMODEW, dmICMMethod), FIELD_LONG},
    {TEXT("dmICMIntent        =%d"), offsetof(DEVMODEW, dmICMIntent), FIELD_LONG},
    {TEXT("dmMediaType        =%d"), offsetof(DEVMODEW, dmMediaType), FIELD_LONG},
    {TEXT("dmDitherType       =%d"), offsetof(DEVMODEW, dmDitherType), FIELD_LONG},
    {TEXT("dmReserved1        =%d"), offsetof(DEVMODEW, dmReserved1), FIELD_LONG},
    {TEXT("dmReserved2        =%d"), offsetof(DEVMODEW, dmReserved2), FIELD_LONG},
    {TEXT("dmPanningWidth     =%d"), offsetof(DEVMODEW, dmPanningWidth), FIELD_LONG},
    {TEXT("dmPanningHeight    =%d"), offsetof(DEVMODEW, dmPanningHeight), FIELD_LONG},
};

/* The dmFields bits in bit order, with their names as the log has always spelt them. */
static const FieldBitRow kFieldBits[] = {
    {0x1, TEXT("dmOrientation")},
    {0x2, TEXT("dmPaperSize")},
    {0x4, TEXT("dmPaperLength")},
    {0x8, TEXT("dmPaperWidth")},
    {0x10, TEXT("dmScale")},
    {0x20, TEXT("dmPosition")},
    {0x40, TEXT("dmNup")},
    {0x100, TEXT("dmCopies")},
    {0x200, TEXT("dmDefaultSource")},
    {0x400, TEXT("dmPrintQuality")},
    {0x800, TEXT("dmColor")},
    {0x1000, TEXT("dmDuplex")},
    {0x2000, TEXT("dmYResolution")},
    {0x4000, TEXT("dmTTOption")},
    {0x8000, TEXT("dmCollate")},
    {0x10000, TEXT("dmFormName")},
    {0x20000, TEXT("dmLogPixels")},
    {0x40000, TEXT("dmBitsPerPel")},
    {0x80000, TEXT("dmPelsWidth")},
    {0x100000, TEXT("dmPelsheight")},
    {0x200000, TEXT("dmDisplayFlags")},
    {0x400000, TEXT("dmDisplayFrequen")},
    {0x800000, TEXT("dmICMMetHod")},
    {0x1000000, TEXT("dmICMintent")},
    {0x2000000, TEXT("dmMediaType")},
    {0x4000000, TEXT("dmDitherType")},
    {0x8000000, TEXT("dmPanningWidth")},
    {0x10000000, TEXT("dmPanningHeight")},
};

/* The FunctionID runs of a setting dump: public fields (flag 4) and private settings (flag 5). */
#define DUMP_PUBLIC_FIRST 1
#define DUMP_PUBLIC_LAST 25
#define DUMP_PRIVATE_FIRST 257
#define DUMP_PRIVATE_LAST 483
#define DUMP_RULE_CHARS 69

static BOOL dump_Line(BOOL ok, LPCWSTR text);
static BOOL dump_PublicField(const DEVMODEW *devmode, const PublicFieldRow *row);
static BOOL dump_Setting(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block);
static BOOL dump_Rule(void);

/* Writes a line when all went well so far; the combined result. */
static BOOL dump_Line(BOOL ok, LPCWSTR text)
{
    return trc_WriteLine(text, NULL) && ok;
}

/* One public field's line. */
static BOOL dump_PublicField(const DEVMODEW *devmode, const PublicFieldRow *row)
{
    const BYTE *field = (const BYTE *)devmode + row->offset;
    WCHAR line[TRC_LINE_CHARS + 1];
    if (row->kind == FIELD_TEXT) {
        WCHAR text[CCHDEVICENAME + 1];
        CopyMemory(text, field, CCHDEVICENAME * sizeof(WCHAR));
        text[CCHDEVICENAME] = 0;
        wsprintfW(line, row->format, text);
    } else if (row->kind == FIELD_SHORT) {
        short value;
        CopyMemory(&value, field, sizeof(value));
        wsprintfW(line, row->format, (int)value);
    } else {
        DWORD value;
        CopyMemory(&value, field, sizeof(value));
        wsprintfW(line, row->format, value);
    }
    return trc_WriteLine(line, NULL);
}

/* A line of 69 '-'. */
static BOOL dump_Rule(void)
{
    WCHAR rule[DUMP_RULE_CHARS + 1];
    for (int i = 0; i < DUMP_RULE_CHARS; ++i) {
        rule[i] = '-';
    }
    rule[DUMP_RULE_CHARS] = 0;
    return trc_WriteLine(rule, NULL);
}

/* One setting's line by its presented type; nothing for a setting that cannot be read. */
static BOOL dump_Setting(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value[2] = {0, 0};
    if (dma_GetFunctionValue(functionId, devmode, block, &type, &size, value) != 0) {
        return TRUE;
    }
    WCHAR line[TRC_LINE_CHARS + 1];
    switch (type) {
    case 1:
    case 2:
    case 10: wsprintfW(line, TEXT("[0x%04x] = [%d]"), functionId, dma_ValueToLong(type, value)); break;
    case 3: wsprintfW(line, TEXT("[0x%04x] = [0x%02x]"), functionId, dma_ValueToDword(type, value)); break;
    case 4: wsprintfW(line, TEXT("[0x%04x] = [%ld]"), functionId, dma_ValueToLong(type, value)); break;
    case 5: wsprintfW(line, TEXT("[0x%04x] = [0x%04x]"), functionId, dma_ValueToDword(type, value)); break;
    case 6: {
        /* A string may be longer than a line: cut it so that the line stays whole. */
        WCHAR text[TRC_LINE_CHARS - 16];
        lstrcpynW(text, (const WCHAR *)value[0], TRC_LINE_CHARS - 16);
        wsprintfW(line, TEXT("[0x%04x] = [%s]"), functionId, text);
        break;
    }
    case 8: wsprintfW(line, TEXT("[0x%04x] = [0x%x]"), functionId, dma_ValueToDword(type, value)); break;
    default: lstrcpyW(line, TEXT("???")); break;
    }
    return trc_WriteLine(line, NULL);
}

BOOL WINAPI trc_DumpFields(LPCWSTR caption, const DEVMODEW *devmode)
{
    if (!trace_HasFlags(TRC_ON | TRC_FIELDS)) {
        return TRUE;
    }
    if (!devmode) {
        trc_WriteLine(TEXT("lpDevmode = NULL"), NULL);
        return FALSE;
    }
    trc_OpenLog();
    BOOL ok = dump_Line(TRUE, caption ? caption : TEXT("\n<dmFields>"));
    for (const FieldBitRow &row : kFieldBits) {
        WCHAR line[TRC_LINE_CHARS + 1];
        wsprintfW(line, TEXT("%s = %s"), row.name, (devmode->dmFields & row.mask) ? TEXT("ON") : TEXT("OFF"));
        ok = dump_Line(ok, line);
    }
    trc_CloseLog();
    return ok;
}

BOOL WINAPI trc_DumpPrivateSetting(LPCWSTR caption, DriverDevmode *devmode, WORD functionId)
{
    if (!trace_HasFlags(TRC_ON | TRC_DEVMODE)) {
        return TRUE;
    }
    trc_OpenLog();
    BOOL ok = dump_Line(TRUE, caption ? caption : TEXT("\n<PrivateDevmode>"));
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value[2] = {0, 0};
    if (devmode && dma_GetFunctionValue(functionId, devmode, NULL, &type, &size, value) == 0) {
        WCHAR line[TRC_LINE_CHARS + 1];
        if (type == 6) {
            WCHAR text[TRC_LINE_CHARS - 40];
            lstrcpynW(text, (const WCHAR *)value[0], TRC_LINE_CHARS - 40);
            wsprintfW(line, TEXT("FunctionID:%d(0x%X)       = %s"), functionId, functionId, text);
        } else {
            wsprintfW(
                line, TEXT("FunctionID:%d(0x%X)       = %d"), functionId, functionId, dma_ValueToLong(type, value));
        }
        ok = dump_Line(ok, line);
    }
    trc_CloseLog();
    return ok;
}

BOOL WINAPI trc_DumpPublicDevmode(LPCWSTR caption, const DEVMODEW *devmode)
{
    if (!trace_HasFlags(TRC_ON | TRC_DEVMODE)) {
        return TRUE;
    }
    if (!devmode) {
        return trc_WriteLine(TEXT("lpdevmode = NULL"), NULL);
    }
    trc_OpenLog();
    BOOL ok = dump_Line(TRUE, caption ? caption : TEXT("\n<PublicDevmode>"));
    for (const PublicFieldRow &row : kPublicFields) {
        ok = dump_PublicField(devmode, &row) && ok;
    }
    trc_CloseLog();
    return ok;
}

BOOL WINAPI trc_DumpSettingValues(DWORD category, LPCWSTR caption, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (!devmode && !block) {
        return TRUE;
    }
    WORD ids[TRC_MAX_IDS];
    DWORD idCount = 0;
    trace_Lock();
    trace_EnsureConfigLocked();
    DWORD flags = g_Trace.flags;
    idCount = g_Trace.idCount;
    CopyMemory(ids, g_Trace.ids, idCount * sizeof(WORD));
    trace_Unlock();
    if (!(flags & TRC_ON) || (!(flags & (TRC_PUBLIC_IDS | TRC_PRIVATE_IDS)) && idCount == 0)) {
        return TRUE;
    }
    if ((flags & TRC_CATEGORIES) && !(flags & TRC_CATEGORIES & category)) {
        return TRUE;
    }
    trc_OpenLog();
    if (caption) {
        trc_WriteLine(caption, NULL);
    }
    dump_Rule();
    if (flags & TRC_PUBLIC_IDS) {
        for (WORD id = DUMP_PUBLIC_FIRST; id <= DUMP_PUBLIC_LAST; ++id) {
            dump_Setting(id, devmode, block);
        }
    }
    if (flags & TRC_PRIVATE_IDS) {
        for (WORD id = DUMP_PRIVATE_FIRST; id <= DUMP_PRIVATE_LAST; ++id) {
            dump_Setting(id, devmode, block);
        }
    }
    for (DWORD i = 0; i < idCount; ++i) {
        dump_Setting(ids[i], devmode, block);
    }
    dump_Rule();
    trc_CloseLog();
    return TRUE;
}
