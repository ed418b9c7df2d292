/*
 * Queries over a model's description data that the utilities answer: the model class, fax
 * output, the COM server probe, a setting's value range, the model minimum check, the
 * device feature level and the host-application record of the running program.
 */
#ifndef QM_CORE_DDD_MODEL_QUERY_H
#define QM_CORE_DDD_MODEL_QUERY_H

#include "core/ddd/ddd_access.h"
#include "core/settings/settings_types.h"

#define DDD_ENTRY_MODEL_CLASS 23
#define DDD_TYPE_HOST_APP 24
#define UTIL_CAP_COM_SERVER (0xFFFF0000u | 43)    /* capability bit 43 */
#define UTIL_CAP_MODEL_MINIMUM (0xFFFF0000u | 62) /* capability bit 62 */
#define UTIL_MODEL_BELOW_MINIMUM 999

typedef struct FaxOutputRequest {
    DddFile *model;
    DriverDevmode *devmode;
} FaxOutputRequest;

typedef struct ComServerRequest {
    DddFile *model;
    DWORD available; /* out: 1 when the class could be created */
} ComServerRequest;

typedef struct ModelMinimumRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DddFile *model;
    DddFile *base;
    int result; /* out: 999 when 4365 is below the model's minimum */
} ModelMinimumRequest;

#ifdef __cplusplus
extern "C" {
#endif

/* ddd_GetModelClass: the first byte of entry 23, 0-3, as class 1-4; 0 for a missing entry,
 * another value or a NULL file. */
WORD WINAPI ddd_GetModelClass(DddFile *model);

/* ddd_IsModelClass3Or4: 1 for the classes 3 and 4. */
BOOL WINAPI ddd_IsModelClass3Or4(DddFile *model);

/* dma_IsFaxOutput: class 2: 1; class 4: 1 when setting 334 reads 5; else 0 (also for a
 * NULL request). */
BOOL WINAPI dma_IsFaxOutput(const FaxOutputRequest *request);

/*
 * util_IsComServerAvailable: with capability bit 43, enters COM, creates the device
 * configuration class (in-process server or handler), releases it, and sets available to 1
 * when that worked; every successful CoInitialize is balanced. Returns 1, or 0 for NULL.
 */
BOOL WINAPI util_IsComServerAvailable(ComServerRequest *request);

/*
 * ddd_GetValueRange: the values of the FunctionID's first two options (16-bit for value
 * types 2 and 3, else 32-bit). low, high: out. Returns 0, or the reader's status (1 when
 * the setting has fewer than two options).
 */
DddStatus WINAPI ddd_GetValueRange(WORD functionId, DddFile *model, DddFile *base, LONG *low, LONG *high);

/* dma_CheckModelMinimum: with capability bit 62, result becomes 999 when 4365 is below the
 * first u16 of the default of 0x801A. Returns 1 (also without the capability); 0 for NULL. */
BOOL WINAPI dma_CheckModelMinimum(ModelMinimumRequest *request);

/*
 * dma_GetDeviceFeatureLevel: 1 when 8211 is 1, capability 0x20000 is missing or 4099 is on;
 * else 2 when capability 0x10000 is present and 8205 is at least 0x1010903; else 3.
 */
WORD WINAPI dma_GetDeviceFeatureLevel(DriverDevmode *devmode, PrinterDataBlock *block,
                                      const ModelCapabilities *capabilities);

/* util_FindHostAppRecord: 1-based index of the first host-application record (type 24)
 * whose name equals the program's name without case, or starts with '*' and whose rest,
 * upper-cased, occurs in the upper-cased program name; 0 when none. */
WORD WINAPI util_FindHostAppRecord(DddFile *model, DddFile *base);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DDD_MODEL_QUERY_H */
