/*
 * Settings access by FunctionID: the two primitives over the location table, the
 * wrappers the rest of the driver calls, the typed-value helpers and the DEVMODE
 * buffer helpers. Status codes are the SST_* values of settings_types.h.
 */
#ifndef QM_CORE_SETTINGS_SETTINGS_H
#define QM_CORE_SETTINGS_SETTINGS_H

#include "core/settings/function_ids.h"
#include "core/settings/settings_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- primitives (settings_access.cpp) ---- */

/*
 * Reads one setting. Out: *type the presented (else stored) type, *size its size in
 * bytes, value (at least 4 bytes) the value or, for types 6 and 9, the offset of the
 * string or record within its area, *kind (may be NULL) the StorageKind.
 * Returns 0, 1 (no range), 16 (NULL output, no row, area missing, 311 with unequal
 * escapement and orientation). Outputs are not written on failure.
 */
WORD WINAPI dma_GetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type, DWORD *size,
                         void *value, WORD *kind);

/*
 * Writes one setting. value points to the value, or for types 6 and 9 to a pointer to
 * the string or record. Only the area holding the setting is needed. Returns 0, 1, 2
 * (wrong type), 4 (too long), 8 (wrong size), 16 (bad argument or refused value). A
 * refused write leaves the areas unchanged; a failed dependent write (267, 320, 341)
 * leaves the first write in place.
 */
WORD WINAPI dma_SetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type, DWORD size,
                         const void *value);

/*
 * Finds the location row of a FunctionID in the catalogue, without any area.
 * Out: *kind (may be NULL) its StorageKind. Returns the row (stored and presented type,
 * offset, capacity), or NULL when the FunctionID is no setting.
 */
const SettingLocation *WINAPI dma_FindSettingRow(WORD functionId, WORD *kind);

/* Width of a value type: 2 and 3 give 2, 8 gives 1, 1, 4, 5, 6, 9, 10 give 4; 0 for others. */
DWORD WINAPI dma_GetTypeWidth(WORD type);

/* Bit mask of an on/off setting in *mask. Returns 1, or 0 when it is not one. */
BOOL WINAPI dma_GetFlagMask(WORD functionId, DWORD *mask);

/* Number of characters before the first zero of text, at most max; 0 for NULL. */
DWORD WINAPI dma_CountWideChars(const WCHAR *text, DWORD max);

/* ---- wrappers ---- */

/*
 * As dma_GetValue, but types 6 and 9 give a pointer to the string or record. FunctionID
 * 36905 gives type 1, size 4, value 0 and status 0 without lookup (16 for a NULL output).
 * value: a pointer-sized slot (DWORD_PTR): numbers fill its first 4 bytes, strings and
 * records the whole slot; a 4-byte slot is enough only where the setting is known to be
 * a number, as on the 32-bit target where both sizes agree.
 */
WORD WINAPI dma_GetFunctionValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                 DWORD *size, void *value);

/* dma_SetValue unchanged. */
WORD WINAPI dma_SetFunctionValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type,
                                 DWORD size, const void *value);

/* Readers and writers that dma_GetFunctionValue and dma_SetFunctionValue can hand over to. */
typedef WORD(WINAPI *DmaGetValueRoute)(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                       DWORD *size, void *value);
typedef WORD(WINAPI *DmaSetValueRoute)(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type,
                                       DWORD size, const void *value);

/*
 * The module's one switch of settings access: once set, dma_GetFunctionValue and
 * dma_SetFunctionValue (and every accessor over them) forward their arguments unchanged
 * to get and set. The render DLL sets it from its entry routine, before any setting is
 * read, so that its settings go through the bound DEVMODE access library; NULL for both
 * goes back to the module's own primitives. get, set: in, both or neither.
 */
void WINAPI dma_SetFunctionValueRoute(DmaGetValueRoute get, DmaSetValueRoute set);

/*
 * The value of a setting read as the expected type (1, 4, 5: size 4; 2, 3: size 2;
 * 8: size 1; 6: the string pointer). Returns 0 for a NULL devmode, expected 7, 9, 10
 * or another code, a failed read or a size that differs.
 */
DWORD_PTR WINAPI dma_GetTypedValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, WORD expected);

/*
 * Writes a value passed by value (type 6: the string pointer). Returns -1 for a NULL
 * devmode, otherwise the write's status (0 success).
 */
LONG WINAPI dma_SetTypedValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, WORD type, DWORD size,
                              DWORD_PTR value);

/* 1 for the stamp settings 297-319 and 1286-1288, else 0. */
BOOL WINAPI dma_IsStampSetting(WORD functionId);

/* StorageKind of location range row 0-12 in *kind. Returns 1, or 0 for another row. */
BOOL WINAPI dma_GetRangeStorageKind(DWORD row, WORD *kind);

/* FunctionID of entry `entry` of range row `row`; 0 past the list's end or for row > 12. */
WORD WINAPI dma_GetRangeFunctionId(DWORD row, DWORD entry);

/* ---- typed values (typed_value.cpp); value is a pointer to the value's bytes ---- */

/*
 * Writes the text form of a value into buffer ("%d" or "%ld"; type 6 copies the string
 * that *value points to, with no bound). Returns buffer, or NULL for types 7, 9, other
 * codes, a NULL buffer, value or string.
 */
WCHAR *WINAPI dma_FormatValueText(WORD type, const void *value, WCHAR *buffer);

/* Value as signed 32-bit: 1, 4, 5, 10 the word, 2 sign-extended, 3 zero-extended, 8 the byte; 0 otherwise. */
LONG WINAPI dma_ValueToLong(WORD type, const void *value);

/* As dma_ValueToLong, as unsigned. */
DWORD WINAPI dma_ValueToDword(WORD type, const void *value);

/* Low 16 bits: types 1-5 and 10 read 16 bits, 8 the byte; 0 otherwise. */
WORD WINAPI dma_ValueToWord(WORD type, const void *value);

/*
 * Clears the 4-byte slot, then stores 4 bytes (1, 4, 5, 10), 2 (2, 3), 1 (8) of value,
 * or for type 6 the pointer value itself in a pointer-sized slot (DWORD_PTR; the string is
 * not copied). Returns 1, or 0 for another type or a NULL argument.
 */
BOOL WINAPI dma_StoreValueInSlot(WORD type, void *slot, const void *value);

/*
 * Size of a value: 4 for 1, 4, 5, 10; 2 for 2, 3; 1 for 8; 92 for 9; for 6 (value is the
 * string) the length times 2 plus 2 when given is (DWORD)-1 (0 for NULL), else given;
 * given for other types.
 */
DWORD WINAPI dma_GetValueSize(WORD type, const void *value, DWORD given);

/*
 * Writes a handler's answer: *outType = type, *outValue = value, *outSize its size by
 * dma_GetValueSize (type 6: the string's). Returns 1, or 0 for a NULL output.
 */
BOOL WINAPI dma_ReturnTypedValue(WORD type, DWORD_PTR value, WORD *outType, DWORD_PTR *outValue, DWORD *outSize);

/* ---- DEVMODE buffers (devmode_buffer.cpp); form 1 is short, any other full ---- */

/* New zeroed global-heap DEVMODE of 1604 or 5872 bytes; NULL when out of memory. */
DriverDevmode *WINAPI dm_AllocDevmode(WORD form);
/* 1604 for form 1, else 5872. */
DWORD WINAPI dm_GetDevmodeSize(WORD form);
/* Copies 1604 or 5872 bytes. Returns 1, or 0 for a NULL argument. */
BOOL WINAPI dm_CopyDevmode(DriverDevmode *destination, const DriverDevmode *source, WORD form);
/* Zeroes 1604 or 5872 bytes (nothing for NULL). Returns 0. */
LONG WINAPI dm_ClearDevmode(DriverDevmode *devmode, WORD form);
/* The first private part (devmode + 220), NULL for NULL. */
PrivateDevmode *WINAPI dm_GetPrivatePart(DriverDevmode *devmode);
/* dmDriverExtra of a short DEVMODE: 1384. */
DWORD WINAPI dm_GetShortDriverExtra(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SETTINGS_SETTINGS_H */
