/*
 * Accessors of description-data records that only the render driver reads. Each checks
 * the record's type word: status DDD_ERROR (1) for another type or a missing argument,
 * else DDD_OK (0) with the value.
 */
#ifndef QM_RENDER_DRIVER_PAGE_RECORD_ACCESS_H
#define QM_RENDER_DRIVER_PAGE_RECORD_ACCESS_H

#include <windows.h>

#include "core/ddd/ddd.h"

// Format version from which size ranges carry their byte and papers their extras.
#define DDD_FORMAT_RANGE_BYTE 512

// ddd_GetType5Word: the size range's word page control reads (type 5 only).
DddStatus ddd_GetType5Word(const void *record, WORD *word);

// ddd_GetType5Or6Byte: the size range's byte (types 5 and 6, format 512 or later).
DddStatus ddd_GetType5Or6Byte(const void *record, BYTE *value);

// ddd_GetPaperExtras: a paper record's extra byte and its two extra size blocks (type 10,
// format 512 or later). The block pointers point into the record.
DddStatus ddd_GetPaperExtras(const void *record, BYTE *value, const DddSize **first, const DddSize **second);

// ddd_GetType11RecordValue: the 32-bit value of a named-data (font substitution) record:
// its data length. 0 for another type or NULL.
DWORD ddd_GetType11RecordValue(const void *record);

#endif /* QM_RENDER_DRIVER_PAGE_RECORD_ACCESS_H */
