/*
 * qmkelvdm.dll, the DEVMODE access library: read and write the printer driver's settings
 * by public identifier (DMAID) in settings areas the calling program holds. Valid C and
 * C++; every export is stdcall (WINAPI). Include <windows.h> first.
 *
 * A program fills a DmaSettingsSet with pointers to its copies of the driver DEVMODE
 * (5872 bytes), the printer-data block (5452 bytes) and, when it keeps one, the fax
 * destination list; then calls the exports, and stores the changed buffers itself. The
 * library keeps nothing between calls.
 *
 * Exports that hand out variable-sized data answer a first call with a NULL buffer and a
 * size of 0 with DMA_MORE_DATA and the needed size; a second call with a buffer of that
 * size does the work.
 */
#ifndef QMKELVDM_H
#define QMKELVDM_H

#ifdef __cplusplus
extern "C" {
#endif

/* The settings areas, seen by the library as the driver lays them out. */
struct DriverDevmode;
struct PrinterDataBlock;

/* Result of every DMA_* export. */
typedef LONG DmaResult;

#define DMA_SUCCESS 1
#define DMA_UNKNOWN_ID (-1)       /* identifier not in the table; no fax list for 40961/40962 */
#define DMA_IS_STRING (-2)        /* the identifier names a string (or, for log fonts, a string) */
#define DMA_NOT_TEXT (-3)         /* neither a string nor a log font where one is required */
#define DMA_MORE_DATA (-5)        /* size answered, or the buffer is too small */
#define DMA_TOO_LONG (-6)         /* the value is too long for the setting */
#define DMA_IS_LOGFONT (-7)       /* the value is a log font */
#define DMA_BAD_ARGUMENT (-10)    /* bad argument, failed lookup or failed conversion */
#define DMA_FILE_OPEN (-13)       /* the settings file cannot be opened or created */
#define DMA_FILE_WRITE (-14)      /* writing the settings file failed */
#define DMA_FILE_READ (-15)       /* reading the settings file failed */
#define DMA_FILE_MALFORMED (-16)  /* the settings file is malformed */
#define DMA_ONETIME_CREATE (-17)  /* the one-time file cannot be created */
#define DMA_ONETIME_WRITE (-18)   /* writing the one-time file failed */
#define DMA_KIND_RANGE (-19)      /* data kind or target out of range */
#define DMA_NO_FAX_ENTRY (-20)    /* no fax destination at that position */
#define DMA_NO_MARGIN_ENTRY (-21) /* no paper margin entry of that name */
#define DMA_NO_NAMED_ENTRY (-22)  /* no stamp or kind-3 entry of that name */
#define DMA_MODE_RANGE (-23)      /* apply mode out of range */

/* Public identifiers with a handling of their own. */
#define DMAID_PROTECTED_FIRST 36865 /* 36865-36872: protected texts, set only */
#define DMAID_PROTECTED_LAST 36872
#define DMAID_FAX_LIST_TEXT1 40961 /* first string of the fax list head (41 characters) */
#define DMAID_FAX_LIST_TEXT2 40962 /* second string of the fax list head (671 characters) */

/* Sizes of the records the library reads and writes. */
#define DMA_USER_SETTING_INFO_SIZE 984
#define DMA_LOGFONTA_SIZE 60

/* A list of records the program keeps (stamps, paper margins, fax destinations, ...). */
typedef struct DmaEntryList {
    DWORD count;     /* entries */
    DWORD entrySize; /* bytes per entry */
    BYTE *states;    /* one state byte per entry: 1 captured, 2 deleted */
    BYTE *entries;   /* entry i at entries + i x entrySize */
} DmaEntryList;

/* The handle of every export: the program's settings areas. 608 bytes. */
typedef struct DmaSettingsSet {
    BYTE reserved0[264];                  /* not used by the library */
    char modelName[260];                  /* ANSI model name; at most 32 characters used */
    struct DriverDevmode *devmode;        /* the full driver DEVMODE (5872 bytes) */
    struct PrinterDataBlock *printerData; /* the printer-data block (5452 bytes) */
    BYTE reserved1[8];                    /* not used by the library */
    void *faxList;                        /* fax destination list: 1442-byte head, entries */
    DmaEntryList faxDestinations;         /* data kind 5 */
    DmaEntryList paperMargins;            /* data kind 4 */
    DmaEntryList stamps;                  /* data kind 2 */
    DmaEntryList textRecords;             /* data kind 3 */
} DmaSettingsSet;

/* Returns TRUE. */
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

/* A number setting: 1 and *value (1- and 2-byte settings zero-extended); -1, -2 (a
 * string), -7 (a log font), -10. */
DmaResult WINAPI DMA_GetValue(DmaSettingsSet *handle, WORD id, DWORD *value);

/* Writes a number setting (its low bytes for narrower settings): 1, -1, -2, -7, -10. */
DmaResult WINAPI DMA_SetValue(DmaSettingsSet *handle, WORD id, DWORD value);

/*
 * A string setting in the ANSI code page. size: in/out, bytes. NULL buffer with *size 0:
 * the needed size, -5. A buffer smaller than needed: the needed size, -5. Protected texts
 * (36865-36872) answer the size query with their length limit and are never read back
 * (-10). 1, -1, -3, -5, -7, -10.
 */
DmaResult WINAPI DMA_GetStringData(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size);

/* Writes a string setting from the ANSI code page; the value is the text up to its zero,
 * read for at most length bytes. 1, -1, -3, -6 (too long), -7, -10. */
DmaResult WINAPI DMA_SetStringData(DmaSettingsSet *handle, WORD id, const char *text, DWORD length);

/* As DMA_GetStringData, the needed size being the value's own converted size. */
DmaResult WINAPI DMA_GetStringData_StrLength(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size);

/* As DMA_SetStringData for a zero-terminated text. 1, -1, -3, -6, -7, -10. */
DmaResult WINAPI DMA_SetStringData_StrLength(DmaSettingsSet *handle, WORD id, const char *text, DWORD reserved);

/* A log-font setting as LOGFONTA. size: in/out, at least 60. 1, -1, -2, -3, -5, -10. */
DmaResult WINAPI DMA_GetLogFontData(DmaSettingsSet *handle, WORD id, LOGFONTA *font, DWORD *size);

/* Writes a log-font setting; size 60 (below: -10, above: -6). 1, -1, -2, -3, -6, -10. */
DmaResult WINAPI DMA_SetLogFontData(DmaSettingsSet *handle, WORD id, const LOGFONTA *font, DWORD size);

/* The 984-byte user setting record from the printer-data block. size: in/out. 1, -5, -10. */
DmaResult WINAPI DMA_GetUserSettingInfo(DmaSettingsSet *handle, void *record, DWORD *size);

/* Writes a user setting record of format 1 to 4 into the printer-data block. 1, -10. */
DmaResult WINAPI DMA_SetUserSettingInfo(DmaSettingsSet *handle, const void *record, DWORD reserved);

/* Record size of a data kind: 2: 308, 3: 706, 4: 20, 5: 742, 6: 1442; 0 for others. */
LONG WINAPI DMA_QueryStructSize(DWORD kind);

/* Sets the number of fax destinations (to count, or by count when relative is non-zero),
 * in the settings and the fax list head. 1, -10. */
DmaResult WINAPI DMA_SetFaxAddressNum(DmaSettingsSet *handle, LONG count, BOOL relative);

/* The number of destinations of a fax list. 1, -10. */
DmaResult WINAPI DMA_GetFaxAddressNum(const void *faxList, WORD *count);

/* The driver's settings primitives by FunctionID (for the render DLL). */
WORD WINAPI dma_GetValue(WORD functionId, struct DriverDevmode *devmode, struct PrinterDataBlock *block, WORD *type,
                         DWORD *size, void *value, WORD *kind);
WORD WINAPI dma_SetValue(WORD functionId, struct DriverDevmode *devmode, struct PrinterDataBlock *block, WORD type,
                         DWORD size, const void *value);

#ifdef __cplusplus
}
#endif

#endif /* QMKELVDM_H */
