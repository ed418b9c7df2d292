/*
 * Locales: the user's and the system's locale and language, and the locale fields the
 * system reads. The host plays en-US (0x0409) unless a test pins another locale
 * (qmt_PinLocale); user, system, user-interface and thread locale are the same.
 * Locales known: en-US, en-GB, en-CA, de-DE, fr-FR, ja-JP, pt-BR and es-EC.
 */
#include <windows.h>

#include <string.h>

#include <atomic>
#include <string>

#include "platform/testing/qm_testing.h"

namespace {

const LCID kDefaultLocale = 0x0409;

/* The fields of one locale: numbers as the locale's text gives them. */
struct LocaleRow {
    LANGID language;
    DWORD country;        /* LOCALE_ICOUNTRY: the international dialling code */
    DWORD measure;        /* LOCALE_IMEASURE: 0 metric, 1 U.S. */
    DWORD date_order;     /* LOCALE_IDATE: 0 month-day-year, 1 day-month-year, 2 year-month-day */
    DWORD ansi_code_page; /* LOCALE_IDEFAULTANSICODEPAGE */
    DWORD oem_code_page;  /* LOCALE_IDEFAULTCODEPAGE */
};

const LocaleRow kLocales[] = {
    {0x0409, 1, 1, 0, 1252, 437},
    {0x0809, 44, 0, 1, 1252, 850},
    {0x1009, 2, 0, 0, 1252, 850},
    {0x0407, 49, 0, 1, 1252, 850},
    {0x040C, 33, 0, 1, 1252, 850},
    {0x0411, 81, 0, 2, 932, 932},
    {0x0416, 55, 0, 1, 1252, 850},
    {0x300A, 593, 0, 1, 1252, 850},
};

std::atomic<LCID> g_pinned_locale{0};

LCID current_locale()
{
    LCID pinned = g_pinned_locale.load();
    return pinned ? pinned : kDefaultLocale;
}

const LocaleRow *find_locale(LCID lcid)
{
    if (lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT || lcid == LOCALE_NEUTRAL)
        lcid = current_locale();
    for (const LocaleRow &row : kLocales) {
        if (row.language == LANGIDFROMLCID(lcid))
            return &row;
    }
    return nullptr;
}

/* The number a numeric field holds; false when the field is not one the layer knows. */
bool numeric_field(const LocaleRow &row, LCTYPE type, DWORD *value, bool *hexadecimal)
{
    *hexadecimal = false;
    switch (type) {
    case LOCALE_ILANGUAGE:
        *value = row.language;
        *hexadecimal = true;
        return true;
    case LOCALE_ICOUNTRY: *value = row.country; return true;
    case LOCALE_IMEASURE: *value = row.measure; return true;
    case LOCALE_IDATE: *value = row.date_order; return true;
    case LOCALE_IDEFAULTANSICODEPAGE: *value = row.ansi_code_page; return true;
    case LOCALE_IDEFAULTCODEPAGE: *value = row.oem_code_page; return true;
    default: return false;
    }
}

} // namespace

/* Known fields: LOCALE_ILANGUAGE (four hexadecimal digits), LOCALE_ICOUNTRY,
 * LOCALE_IMEASURE, LOCALE_IDATE, LOCALE_IDEFAULTANSICODEPAGE, LOCALE_IDEFAULTCODEPAGE, also
 * with LOCALE_RETURN_NUMBER (a DWORD in the buffer, 2 characters). Returns the characters
 * written with the terminator, or with cchData 0 the characters needed; 0 on failure with
 * ERROR_INVALID_PARAMETER (unknown locale, bad buffer), ERROR_INVALID_FLAGS (unknown field)
 * or ERROR_INSUFFICIENT_BUFFER. */
extern "C" int WINAPI GetLocaleInfoW(LCID Locale, LCTYPE LCType, LPWSTR lpLCData, int cchData)
{
    const LocaleRow *row = find_locale(Locale);
    if (!row || cchData < 0 || (cchData > 0 && !lpLCData)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool as_number = (LCType & LOCALE_RETURN_NUMBER) != 0;
    DWORD value = 0;
    bool hexadecimal = false;
    if (!numeric_field(
            *row, LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP | LOCALE_RETURN_NUMBER), &value, &hexadecimal)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    std::u16string text;
    if (as_number) {
        text.assign((const char16_t *)&value, sizeof(value) / sizeof(char16_t));
    } else {
        WCHAR digits[16];
        wsprintfW(digits, hexadecimal ? u"%04x" : u"%lu", value);
        text = digits;
        text.push_back(u'\0');
    }
    int needed = (int)text.size();
    if (cchData == 0)
        return needed;
    if (cchData < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(lpLCData, text.data(), needed * sizeof(char16_t));
    return needed;
}

extern "C" LANGID WINAPI GetSystemDefaultLangID(void)
{
    return LANGIDFROMLCID(current_locale());
}

extern "C" LCID WINAPI GetSystemDefaultLCID(void)
{
    return current_locale();
}

extern "C" LANGID WINAPI GetSystemDefaultUILanguage(void)
{
    return LANGIDFROMLCID(current_locale());
}

extern "C" LCID WINAPI GetThreadLocale(void)
{
    return current_locale();
}

extern "C" LANGID WINAPI GetUserDefaultLangID(void)
{
    return LANGIDFROMLCID(current_locale());
}

extern "C" LCID WINAPI GetUserDefaultLCID(void)
{
    return current_locale();
}

extern "C" LANGID WINAPI GetUserDefaultUILanguage(void)
{
    return LANGIDFROMLCID(current_locale());
}

extern "C" void qmt_PinLocale(LCID locale)
{
    g_pinned_locale.store(
        find_locale(locale) && locale != LOCALE_USER_DEFAULT && locale != LOCALE_SYSTEM_DEFAULT ? locale : 0);
}
