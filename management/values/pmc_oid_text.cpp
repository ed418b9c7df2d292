/*
 * The dotted text form of object identifiers: sub-identifier count and positions, the
 * validity rule and the relation between two identifiers.
 */
#include "management/values/pmc_value_private.h"

#include "management/base/pmc_status.h"

/* pms_oid_text_count: 0 for the empty text, otherwise the number of dots + 1. */
uint32_t pms_oid_text_count(const char *text)
{
    if (!text || !*text)
        return 0;
    uint32_t count = 1;
    for (; *text; ++text)
        if (*text == '.')
            ++count;
    return count;
}

/*
 * pms_oid_text_offset: where the sub-identifier at `position` starts (after the
 * position-th dot), or PMS_NPOS when there is no such sub-identifier.
 */
uint32_t pms_oid_text_offset(const char *text, uint32_t position)
{
    if (!text || !*text)
        return PMS_NPOS;
    uint32_t i = 0;
    for (uint32_t dots = 0; dots < position; ++i) {
        if (!text[i])
            return PMS_NPOS;
        if (text[i] == '.')
            ++dots;
    }
    return i;
}

/*
 * pms_oid_text_number: the decimal number at the start of `text` (0 without digits);
 * a number above 2^32 - 1 reads as 2^32 - 1.
 */
uint32_t pms_oid_text_number(const char *text)
{
    uint64_t number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + (uint64_t)(*text - '0');
        if (number > 0xFFFFFFFFu)
            number = 0xFFFFFFFFu;
    }
    return (uint32_t)number;
}

/*
 * pms_oid_text_valid: the empty text, or arcs of decimal digits without a leading zero
 * (a lone 0 is an arc) separated by single dots.
 */
bool pms_oid_text_valid(const char *text)
{
    if (!text || !*text)
        return true;
    const char *p = text;
    for (;;) {
        if (*p < '0' || *p > '9')
            return false;
        if (*p == '0' && p[1] >= '0' && p[1] <= '9')
            return false;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (!*p)
            return true;
        if (*p != '.')
            return false;
        ++p;
    }
}

/*
 * pms_oid_text_relation: `self` against `other`, character by character as signed bytes:
 * 0 equal, 1 other inside self's subtree, 2 self inside other's subtree, 3 self sorts
 * before, 4 self sorts after.
 */
int pms_oid_text_relation(const char *self, const char *other)
{
    const signed char *t = (const signed char *)self;
    const signed char *a = (const signed char *)other;
    while (*t && *a) {
        if (*t != *a)
            return *t < *a ? PMS_REL_BEFORE : PMS_REL_AFTER;
        ++t;
        ++a;
    }
    if (!*t) {
        if (!*a)
            return PMS_REL_EQUAL;
        return *a == '.' ? PMS_REL_ANCESTOR : PMS_REL_BEFORE;
    }
    return *t == '.' ? PMS_REL_INSIDE : PMS_REL_AFTER;
}

int pms_read_index_length(IPmsValue *source, bool implied, int32_t count, uint32_t *at, uint32_t *n)
{
    uint32_t total = source->length();
    if (implied) {
        *n = (count < 0 || (uint32_t)count >= total) ? total : (uint32_t)count;
        return PMC_OK;
    }
    int code = PMC_OK;
    *n = source->read_element((*at)++, &code);
    if (code != PMC_OK)
        return code;
    return *n > total ? PMC_E_INDEX : PMC_OK;
}
