/*
 * The driver context: a printer's open view of its description data (the model file and
 * its base file), with the special settings read from the driver configuration file. The
 * property sheets open one per use, the render module one per PDEV; the rest of the
 * driver reaches the description data through it.
 *
 * UI status (written through the lookups' status outputs): 0 success; 1 general failure
 * (bad argument, not found, version); 2 index or key past the end; 3 out of memory. Every
 * lookup answers 0 or NULL on failure and writes status 1 for NULL required arguments.
 */
#ifndef QM_CORE_CONTEXT_DRIVER_CONTEXT_H
#define QM_CORE_CONTEXT_DRIVER_CONTEXT_H

#include "core/config/special_settings.h"
#include "core/ddd/ddd_access.h"

#define UI_STATUS_OK 0
#define UI_STATUS_FAILED 1
#define UI_STATUS_PAST_END 2
#define UI_STATUS_NO_MEMORY 3

/* The public-field map read from the configuration file (built by the DEVMODE mapping). */
struct DevmodeFieldMap;

/* A printer's context (global heap, zero-initialised). */
typedef struct DriverContext {
    DddFile *model;                   /* its own zeroed block */
    DddFile *base;                    /* its own zeroed block; empty for a model without base */
    SpecialSettings *special;         /* NULL without configuration file or section */
    struct DevmodeFieldMap *fieldMap; /* NULL without configuration file; freed with the context */
    void *paperList;                  /* the device paper list (PaperList) or NULL; freed with the context */
} DriverContext;

/* A list of options as the property sheets build it. */
typedef struct OptionList {
    DWORD functionId;
    WCHAR *caption;
    WORD controlKind;
    WORD valueType;
    DWORD count;
    void *items;
} OptionList;

typedef struct FunctionDefRequest {
    DriverContext *context;
    WORD functionId;
    WORD controlKind;     /* out */
    DWORD optionCount;    /* out */
    const WCHAR *caption; /* out: inside record */
    void *record;         /* out: release with ddd_ReleaseRecord */
    WORD status;          /* out */
} FunctionDefRequest;

typedef struct DefaultValueRequest {
    DriverContext *context;
    WORD functionId;
    DWORD_PTR value; /* out: the value in 4 bytes, or a new string for type 6 */
    WORD valueType;  /* out */
    WORD status;     /* out */
} DefaultValueRequest;

typedef struct ValueInOptionsRequest {
    DriverContext *context;
    WORD functionId;
    const void *value; /* in: the value in the setting's width */
} ValueInOptionsRequest;

typedef struct OptionTargetRequest {
    WORD functionId;
    const void *value; /* in: the option's value */
    void *record;      /* out: the target record (release with ddd_ReleaseRecord) */
} OptionTargetRequest;

typedef struct PaperSizesRequest {
    DriverContext *context;
    WORD functionId;
    const void *value; /* in (ddd_GetOptionPaperSizes): the option's value */
    DddSize minSize;   /* out */
    DddSize maxSize;   /* out */
    WORD status;       /* out */
} PaperSizesRequest;

/* A paper key and a match of ddd_FindPaperOption. */
typedef struct PaperMatch {
    WORD number;
    WORD width;
    WORD height;
    WCHAR *name; /* key: in (mode 3); match: a new copy */
} PaperMatch;

#define PAPER_MATCH_NUMBER 1
#define PAPER_MATCH_SIZE 2
#define PAPER_MATCH_NAME 3
/* How far sizes may differ and still match (inclusive), in the model's units. */
#define PAPER_MATCH_TOLERANCE 10

typedef struct PaperFindRequest {
    DriverContext *context;
    WORD functionId;
    WORD mode;        /* PAPER_MATCH_* */
    PaperMatch key;   /* in */
    PaperMatch match; /* out: free its name with ddd_FreePaperMatchName */
    WORD status;      /* out: 0, 1, 2 no match or no options, 3 out of memory */
} PaperFindRequest;

#ifdef __cplusplus
extern "C" {
#endif

/* ---- opening and closing (context_open.cpp) ---- */

/*
 * ddd_OpenContext: opens the printer's description data file (the driver's pDataFile) with
 * its base file, and when the configuration file exists reads the special settings of the
 * model's section, the trace configuration again and the public-field map. Returns a new context, or NULL
 * (NULL printer, no data file, wrong extension, missing model or base file, out of
 * memory); nothing stays open on failure.
 */
DriverContext *WINAPI ddd_OpenContext(HANDLE printer);

/*
 * ddd_CloseContext: closes both files and frees the context with its special settings,
 * its field map and its paper list.
 * Returns 1 when both files were open; 0 for NULL or when either was not. A model without
 * base file therefore gives 0 although all went well: callers must not take it as a
 * failure.
 */
BOOL WINAPI ddd_CloseContext(DriverContext *context);

/*
 * util_GetConfigFilePath: the module directory plus the base file name of the header with
 * the part after its last '.' replaced by "cfg". A new string, or NULL (no context, no
 * module directory, a name without '.', such as the empty name of a model without base
 * file, or out of memory).
 */
WCHAR *WINAPI util_GetConfigFilePath(const DriverContext *context);

/* ---- lookups (context_lookup.cpp) ---- */

/* ddd_ToUiStatus: description data status 1 -> 1, 2 -> 2, 4 -> 3, 0 -> 0, others -> 1. */
WORD WINAPI ddd_ToUiStatus(DddStatus status);

/* ddd_GetFunctionDef: the FunctionID's definition record with its control kind, option
 * count and caption. Returns 1, or 0 and a status. */
BOOL WINAPI ddd_GetFunctionDef(FunctionDefRequest *request);

/* ddd_GetFunctionItems: the item list of the FunctionID's record (option 0) or of its
 * option n. record: out (release with ddd_ReleaseRecord). Returns 1, or 0 and a status. */
BOOL WINAPI ddd_GetFunctionItems(DriverContext *context, WORD functionId, WORD optionNumber, DddItemList **record,
                                 WORD *status);

/*
 * ddd_GetItemsFields: an item list's first value (data: its bytes; text: its string for
 * type 6, else NULL; type: its ValueType) and its copied data block. Any output may be
 * NULL. Returns 1, or 0 for NULL or a list without values (outputs cleared).
 */
BOOL WINAPI ddd_GetItemsFields(const DddItemList *list, const void **data, const WCHAR **text, WORD *type,
                               const DddDataCopy **block);

/* ddd_ReleaseRecordRef: frees *record by its own type and clears it; 1 also for NULL. */
BOOL WINAPI ddd_ReleaseRecordRef(void **record);

/* ddd_ReleaseRecord: frees a record by its own type; 1, or 0 for NULL or a failed free. */
BOOL WINAPI ddd_ReleaseRecord(void *record);

/* ddd_FreeRecordBlock: frees a record as a plain block; 1, or 0 for NULL. */
BOOL WINAPI ddd_FreeRecordBlock(void *record);

/*
 * ddd_GetDefaultValue: the default with its overrides. A string (type 6) is handed over as
 * a new block (free with ddd_FreeDefaultValue); any other type is copied into the 4-byte
 * value by its width (1, 2 or 4 bytes), sign-extended for types 2 and 4, zero-extended
 * otherwise. Returns 1, or 0 with value 0 and a status.
 */
BOOL WINAPI ddd_GetDefaultValue(DefaultValueRequest *request);

/* ddd_FreeDefaultValue: frees a type-6 value; other types own nothing and give 1 whatever
 * their value (0 included). Returns 1, or 0 for a NULL string or a failed free. */
BOOL WINAPI ddd_FreeDefaultValue(DWORD_PTR value, WORD valueType);

/* ddd_GetDefaultRaw: the default's block as read (new global block, free with GlobalFree)
 * and its type. Returns 1 when there is one. */
BOOL WINAPI ddd_GetDefaultRaw(WORD functionId, DriverContext *context, WORD *status, void **block, BYTE *valueType);

/*
 * ddd_IsValueInOptions: 1 when one of the FunctionID's options has that value. For a range
 * (control kind 4 or 6: options minimum and maximum) 1 when minimum <= value <= maximum.
 */
BOOL WINAPI ddd_IsValueInOptions(const ValueInOptionsRequest *request);

/* ddd_FetchOptionTarget: the record referenced by the option holding the value (a paper
 * option: its paper record, type 10). Returns 1, or 0 and a status (1 for missing
 * arguments or an option without target). */
BOOL WINAPI ddd_FetchOptionTarget(OptionTargetRequest *request, WORD *status, DriverContext *context);

/* ddd_GetOptionPaperSizes: minimum and maximum size of the paper of the option holding
 * value. Returns 1, or 0 and a status. */
BOOL WINAPI ddd_GetOptionPaperSizes(PaperSizesRequest *request);

/* ddd_GetDefaultPaperSizes: the same for the FunctionID's default value. */
BOOL WINAPI ddd_GetDefaultPaperSizes(PaperSizesRequest *request);

/* ddd_GetDefaultOptionName: a new copy of the default option's text; NULL with a status
 * (3 when out of memory). */
WCHAR *WINAPI ddd_GetDefaultOptionName(DriverContext *context, WORD functionId, WORD *status);

/*
 * ddd_FindPaperOption: the first option of the FunctionID whose paper matches the key:
 * mode 1 the paper number, mode 2 the sizes within 10 units (inclusive) in either
 * orientation, mode 3 the name (mode 3 needs a name). Returns 1 and the match, or 0 with
 * status 1 (bad argument or definition), 2 (no options or no match), 3 (out of memory).
 */
BOOL WINAPI ddd_FindPaperOption(PaperFindRequest *request);

/* ddd_FreePaperMatchName: frees the match's name and clears it. */
void WINAPI ddd_FreePaperMatchName(PaperMatch *match);

/* ddd_GetContextHeaderName: a new copy of the model name of the header; NULL and a status. */
WCHAR *WINAPI ddd_GetContextHeaderName(DriverContext *context, WORD *status);

/* ddd_GetDeviceFlagByte: number entry 7 (one byte) of the model file; -1 when absent. */
int WINAPI ddd_GetDeviceFlagByte(DriverContext *context);

/* ddd_GetEntry4Word: number entry 4 (u16) of the model file; 0 when absent. */
WORD WINAPI ddd_GetEntry4Word(DddFile *model);

/* ---- option lists (option_list.cpp) ---- */

const WCHAR *WINAPI opt_GetListCaption(const OptionList *list); /* NULL for NULL */
void *WINAPI opt_GetListItems(const OptionList *list);          /* NULL for NULL */
WORD WINAPI opt_GetListKind(const OptionList *list);            /* 0 for NULL */
BOOL WINAPI opt_SetListKind(OptionList *list, WORD kind);       /* 1, 0 for NULL */
LONG WINAPI opt_GetListCount(const OptionList *list);           /* -1 for NULL */

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CONTEXT_DRIVER_CONTEXT_H */
