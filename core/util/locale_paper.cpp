/* Locale-dependent paper defaults. */
#include "core/util/locale_paper.h"

#include "core/util/caches.h"

static BOOL read_country(DWORD *country);
static BOOL is_letter_country(DWORD country);
static void load_country_bytes(void);

/* 1 for the countries that use letter paper. */
static BOOL is_letter_country(DWORD country)
{
    return country == 1 || country == 2 || (country >= 50 && country <= 54) || (country >= 56 && country <= 59) ||
           (country >= 500 && country <= 592) || (country >= 594 && country <= 599);
}

/* Fills both per-country caches from the table (254 when the locale cannot be read). */
static void load_country_bytes(void)
{
    LONG value4356 = UTIL_COUNTRY_NONE;
    LONG value4358 = UTIL_COUNTRY_NONE;
    DWORD country = 0;
    if (read_country(&country)) {
        value4356 = 0;
        value4358 = 0;
        for (const CountryPaperRow &row : g_CountryPaperRows) {
            if (row.country == country) {
                value4356 = row.value4356;
                value4358 = row.value4358;
                break;
            }
        }
    }
    InterlockedExchange(&g_UtilCaches.country4356, value4356);
    InterlockedExchange(&g_UtilCaches.country4358, value4358);
}

/* The user's country code (LOCALE_ICOUNTRY); FALSE when it cannot be read. */
static BOOL read_country(DWORD *country)
{
    WCHAR text[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, text, 16) <= 0 || text[0] == 0)
        return FALSE;
    DWORD value = 0;
    for (const WCHAR *p = text; *p != 0; p++) {
        if (*p < '0' || *p > '9')
            return FALSE;
        value = value * 10 + (DWORD)(*p - '0');
    }
    *country = value;
    return TRUE;
}

BYTE WINAPI util_GetCountryByte4356(BOOL flag)
{
    if (g_UtilCaches.country4356 == UTIL_COUNTRY_UNREAD)
        load_country_bytes();
    BYTE value = (BYTE)g_UtilCaches.country4356;
    if (flag && value == 2)
        return 1;
    if (flag && value == 3)
        return 0;
    return value;
}

BYTE WINAPI util_GetCountryByte4358(void)
{
    if (g_UtilCaches.country4358 == UTIL_COUNTRY_UNREAD)
        load_country_bytes();
    return (BYTE)g_UtilCaches.country4358;
}

WORD WINAPI util_GetLocalePaperKind(BOOL flag)
{
    if (!flag)
        return UTIL_PAPER_METRIC;
    LONG kind = g_UtilCaches.paperKind;
    if (kind == UTIL_CACHE_UNREAD) {
        DWORD country = 0;
        kind = (read_country(&country) && is_letter_country(country)) ? UTIL_PAPER_LETTER : UTIL_PAPER_METRIC;
        InterlockedExchange(&g_UtilCaches.paperKind, kind);
    }
    return (WORD)kind;
}
