/*
 * Locale-dependent defaults: the paper family of the user's country and the per-country
 * values of the paper-series settings 4356 and 4358.
 */
#ifndef QM_CORE_UTIL_LOCALE_PAPER_H
#define QM_CORE_UTIL_LOCALE_PAPER_H

#include <windows.h>

#define UTIL_PAPER_LETTER 1
#define UTIL_PAPER_METRIC 2

/* One row of the per-country table. */
typedef struct CountryPaperRow {
    WORD country;   /* international dialling code (LOCALE_ICOUNTRY) */
    BYTE value4356; /* paper series, 0-4 */
    BYTE value4358; /* 8K/16K naming, 0-1 */
} CountryPaperRow;

#define UTIL_COUNTRY_ROWS 50
extern const CountryPaperRow g_CountryPaperRows[UTIL_COUNTRY_ROWS];

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_GetLocalePaperKind: with flag 0, 2. Otherwise (cached) 1 (letter) when the user's
 * country code is 1, 2, 50-54, 56-59, 500-592 or 594-599, else 2 (also when the locale
 * cannot be read).
 */
WORD WINAPI util_GetLocalePaperKind(BOOL flag);

/*
 * util_GetCountryByte4356: (cached) the country's 4356 value from the per-country table, 0
 * for a country not in it, 254 when the locale cannot be read. With flag, the values 2 and
 * 3 are given as 1 and 0.
 */
BYTE WINAPI util_GetCountryByte4356(BOOL flag);

/* util_GetCountryByte4358: (cached) the country's 4358 value, 0 for a country not in the
 * table, 254 when the locale cannot be read. */
BYTE WINAPI util_GetCountryByte4358(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_LOCALE_PAPER_H */
