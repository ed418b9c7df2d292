/*
 * Accessors of description-data records that only the render driver reads.
 */
#include "render/driver/page/record_access.h"

static WORD record_type(const void *record)
{
    return ((const DddRecordHead *)record)->type;
}

DddStatus ddd_GetType5Word(const void *record, WORD *word)
{
    if (!record || !word || record_type(record) != 5)
        return DDD_ERROR;
    *word = ((const DddSizeRange *)record)->word1;
    return DDD_OK;
}

DddStatus ddd_GetType5Or6Byte(const void *record, BYTE *value)
{
    if (!record || !value)
        return DDD_ERROR;
    WORD type = record_type(record);
    const DddSizeRange *range = (const DddSizeRange *)record;
    if ((type != 5 && type != 6) || range->head.format < DDD_FORMAT_RANGE_BYTE)
        return DDD_ERROR;
    *value = range->byte1;
    return DDD_OK;
}

DddStatus ddd_GetPaperExtras(const void *record, BYTE *value, const DddSize **first, const DddSize **second)
{
    if (!record || !value || !first || !second || record_type(record) != 10)
        return DDD_ERROR;
    const DddPaper *paper = (const DddPaper *)record;
    if (paper->head.format < DDD_FORMAT_RANGE_BYTE)
        return DDD_ERROR;
    *value = paper->byte2;
    *first = &paper->extra[0];
    *second = &paper->extra[1];
    return DDD_OK;
}

DWORD ddd_GetType11RecordValue(const void *record)
{
    if (!record || record_type(record) != 11)
        return 0;
    return ((const DddNamedData *)record)->dataLength;
}
