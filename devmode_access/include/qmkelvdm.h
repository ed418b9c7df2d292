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

/* Data kinds: the records of the four entry lists (DMA_QueryStructSize gives their sizes). */
#define DMA_KIND_STAMP 2           /* 308 bytes, named */
#define DMA_KIND_NAMED_TEXT 3      /* 706 bytes, named */
#define DMA_KIND_PAPER_MARGIN 4    /* 20 bytes, named by the paper number in decimal */
#define DMA_KIND_FAX_DESTINATION 5 /* 742 bytes, addressed by 1-based position */
#define DMA_KIND_FAX_LIST_HEAD 6   /* 1442 bytes */

/* DMA_EnumDMAID_ByTargetInfo: target 1 lists every setting; 2-5 the fields of that kind. */
#define DMA_TARGET_ALL_SETTINGS 1

/* State bytes of entries: what the library writes; other values are the program's. */
#define DMA_STATE_CAPTURED 1
#define DMA_STATE_DELETED 2

/* DMA_ApplyData modes: the entry of the given name or position, or the list's last entry. */
#define DMA_APPLY_NAMED 0
#define DMA_APPLY_LAST 1

/* Kind 5 is addressed by position: pass it where the other kinds take the name. */
#define DMA_POSITION(position) ((const char *)(ULONG_PTR)(position))

/* Flags of a listed identifier; the other bits keep what the program's list held. */
#define DMA_ID_STRING 0x1  /* a string: DMA_GetStringData and DMA_SetStringData */
#define DMA_ID_LOGFONT 0x2 /* a log font: DMA_GetLogFontData and DMA_SetLogFontData */

/* One identifier of DMA_EnumDMAID_ByTargetInfo. */
typedef struct DmaIdEntry {
    DWORD publicId;
    DWORD flags; /* DMA_ID_STRING, DMA_ID_LOGFONT, neither for a number */
} DmaIdEntry;

/* The blocks of a document's settings file, each held with its header. 32 bytes in the
 * 32-bit build. */
typedef struct DmaDocPropBlocks {
    void *ndev; /* "NDEV001": 24-byte header, 4268 bytes */
    DWORD ndevSize;
    void *vqb; /* VQBINFO: 20-byte header, its data */
    DWORD vqbSize;
    void *fax; /* "DFAX001": 1442-byte head, 742 bytes per destination */
    DWORD faxSize;
    void *sp; /* "SPINFO": 20-byte header, its data */
    DWORD spSize;
} DmaDocPropBlocks;

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

/*
 * The program's identifiers of a target: 1 every setting, 2-5 the fields of that data kind
 * (4: the four margins). list NULL: *count = the number, -5. With a list of *count (in)
 * entries: as many as fit are written and *count (out) is the number; 1 when all fit, else
 * -5. 1, -5, -10, -19.
 */
DmaResult WINAPI DMA_EnumDMAID_ByTargetInfo(DmaSettingsSet *handle, DWORD target, WORD *count, DmaIdEntry *list);

/* The name of a record of kind 2-4 in the ANSI code page (kind 4: the paper number).
 * size: in/out, bytes. A buffer smaller than needed, or none: the needed size, -5.
 * 1, -5, -10 (no name in the code page), -19. */
DmaResult WINAPI DMA_GetNameFromInfo(const void *record, DWORD kind, DWORD *size, char *buffer);

/*
 * Copies an entry that is not deleted into the current settings: kinds 2-4 by name, 5 by
 * DMA_POSITION. All fields or none are written. 1, -10 (a short entry size, a text without
 * its end, a field refused), -19, -20 (kind 5), -21 (kind 4), -22 (kinds 2, 3).
 */
DmaResult WINAPI DMA_AccessibleData(DmaSettingsSet *handle, DWORD kind, const char *name);

/* Marks the entry of that name deleted (state 2), deleted already or not. 1, -10, -19,
 * -21, -22. */
DmaResult WINAPI DMA_DeleteData(DmaSettingsSet *handle, DWORD kind, const char *name);

/*
 * Captures the current settings into an entry: mode 0 the entry of that name (kinds 2-4)
 * or position (kind 5), mode 1 the list's last entry, then named: kinds 2 and 3 take the
 * name, kind 4 the paper number it gives in decimal (1-65535, at most 5 characters, read
 * up to the first non-digit), kind 5 tags the fax list head. The entry's state becomes 1.
 * Nothing changes on failure. 1, -10, -19, -20, -21, -22, -23.
 */
DmaResult WINAPI DMA_ApplyData(DmaSettingsSet *handle, DWORD kind, DWORD mode, const char *name);

/*
 * Writes the settings file named by the settings-file path: "NDEV001", VQBINFO, "SPINFO"
 * and "DFAX001", each given block whose size is non-zero. An empty path writes nothing.
 * ndev, vqb and sp are required. 1, -10, -13 (not created), -14 (a write failed).
 */
DmaResult WINAPI DMA_ExtractDocPropEx(DmaSettingsSet *handle, const DmaDocPropBlocks *blocks);

/* DMA_ExtractDocPropEx with the blocks passed one by one. */
DmaResult WINAPI DMA_ExtractDocProp(DmaSettingsSet *handle, void *ndev, DWORD ndevSize, void *vqb, DWORD vqbSize,
                                    void *fax, DWORD faxSize, void *sp, DWORD spSize);

/* Writes the fax list block (required) to the one-time file named by its path setting;
 * an empty path writes nothing. 1, -10, -17 (not created), -18 (a write failed). */
DmaResult WINAPI DMA_ExtractOneTimeEx(DmaSettingsSet *handle, const DmaDocPropBlocks *blocks);

/* DMA_ExtractOneTimeEx with the blocks passed one by one. */
DmaResult WINAPI DMA_ExtractOneTime(DmaSettingsSet *handle, void *ndev, DWORD ndevSize, void *vqb, DWORD vqbSize,
                                    void *fax, DWORD faxSize, void *sp, DWORD spSize);

/*
 * Reads the settings file back into the blocks' buffers (sizes in: capacities). When the
 * ndev, vqb and sp buffers (and, when the file has a fax list, the fax buffer) hold the
 * file's blocks, they are copied and the sizes (out) are the blocks' sizes, 0 for a block
 * the file lacks: 1. Otherwise the sizes (out) are the needed ones and nothing is copied:
 * -5. An empty path reads nothing: 1. -10, -13 (not opened), -15 (not read), -16 (not a
 * settings file).
 */
DmaResult WINAPI DMA_ReplaceDocProp(DmaSettingsSet *handle, DmaDocPropBlocks *blocks);

/* The driver's settings primitives by FunctionID (for the render DLL). */
WORD WINAPI dma_GetValue(WORD functionId, struct DriverDevmode *devmode, struct PrinterDataBlock *block, WORD *type,
                         DWORD *size, void *value, WORD *kind);
WORD WINAPI dma_SetValue(WORD functionId, struct DriverDevmode *devmode, struct PrinterDataBlock *block, WORD type,
                         DWORD size, const void *value);

#ifdef __cplusplus
}
#endif

#endif /* QMKELVDM_H */
