/*
 * Strings: lengths, copies, comparisons, character case and decimal parsing.
 *
 * Case mapping covers the scripts the system meets: ASCII, Latin-1, Latin Extended-A,
 * Greek, Cyrillic and the full-width Latin letters.
 *
 * Comparison order (lstrcmp*) is this layer's stand-in for the Windows word sort, kept in
 * order_key below: punctuation and other ASCII symbols sort before digits, digits before
 * letters and everything else, letters without regard to case; two strings that differ only
 * in case order lower case first (lstrcmpW) or compare equal (lstrcmpiW). Strings compare
 * equal under lstrcmpW only when identical.
 */
#include <windows.h>

#include <limits.h>
#include <string.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"

namespace {

/* One block of case pairs: upper-case letters first..last (every `step`-th code) whose
 * lower-case forms are `delta` higher. */
struct CaseRange {
    char16_t first;
    char16_t last;
    int delta;
    int step;
};

const CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 32, 1},
    {0x00C0, 0x00D6, 32, 1},
    {0x00D8, 0x00DE, 32, 1},
    {0x0100, 0x012E, 1, 2},
    {0x0132, 0x0136, 1, 2},
    {0x0139, 0x0147, 1, 2},
    {0x014A, 0x0176, 1, 2},
    {0x0178, 0x0178, -121, 1},
    {0x0179, 0x017D, 1, 2},
    {0x0391, 0x03A1, 32, 1},
    {0x03A3, 0x03AB, 32, 1},
    {0x0400, 0x040F, 80, 1},
    {0x0410, 0x042F, 32, 1},
    {0xFF21, 0xFF3A, 32, 1},
};

char16_t to_lower(char16_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? (char16_t)(c + 32) : c;
    for (const CaseRange &r : kCaseRanges) {
        if (c >= r.first && c <= r.last && (c - r.first) % r.step == 0)
            return (char16_t)(c + r.delta);
    }
    return c;
}

char16_t to_upper(char16_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? (char16_t)(c - 32) : c;
    for (const CaseRange &r : kCaseRanges) {
        int upper = c - r.delta;
        if (upper >= r.first && upper <= r.last && (upper - r.first) % r.step == 0)
            return (char16_t)upper;
    }
    return c;
}

/* The primary sort weight of a character: its class, then its lower-case form. */
unsigned order_key(char16_t c)
{
    char16_t folded = to_lower(c);
    unsigned cls = 2;
    if (folded < 0x80 && !(folded >= 'a' && folded <= 'z'))
        cls = (folded >= '0' && folded <= '9') ? 1 : 0;
    return cls << 16 | folded;
}

/* Compares two wide strings in the layer's sort order; NULL sorts first. */
int compare(const char16_t *a, const char16_t *b, bool ignore_case)
{
    if (!a || !b)
        return a == b ? 0 : a ? 1 : -1;
    int case_order = 0;
    size_t i = 0;
    for (;; ++i) {
        char16_t x = a[i];
        char16_t y = b[i];
        if (!x || !y) {
            if (x || y)
                return x ? 1 : -1;
            break;
        }
        unsigned kx = order_key(x);
        unsigned ky = order_key(y);
        if (kx != ky)
            return kx < ky ? -1 : 1;
        if (!case_order && x != y)
            case_order = to_lower(x) == x ? -1 : 1; /* lower case first */
    }
    return ignore_case ? 0 : case_order;
}

/* Converts a narrow string of the ANSI code page for comparison; NULL stays NULL. */
const char16_t *ansi_to_wide(const char *s, std::u16string *buffer)
{
    if (!s)
        return nullptr;
    qmk::MultiToWide(CP_ACP, s, strlen(s), buffer);
    return buffer->c_str();
}

bool is_space(char16_t c)
{
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

/* Converts `count` characters in place; NULL converts none. Returns the count converted. */
DWORD convert_buffer(LPWSTR s, DWORD count, char16_t (*map)(char16_t))
{
    if (!s)
        return 0;
    for (DWORD i = 0; i < count; ++i)
        s[i] = map(s[i]);
    return count;
}

/* Copies at most max - 1 characters and terminates (max > 0); NULL when a string is NULL. */
template <typename Char> Char *copy_limited(Char *to, const Char *from, int max)
{
    if (!to || !from)
        return nullptr;
    if (max <= 0)
        return to;
    int i = 0;
    for (; i < max - 1 && from[i]; ++i)
        to[i] = from[i];
    to[i] = 0;
    return to;
}

/* Converts a whole string or, when the pointer's high word is 0, one character. */
LPWSTR convert_case(LPWSTR s, char16_t (*map)(char16_t))
{
    if (((UINT_PTR)s >> 16) == 0)
        return (LPWSTR)(UINT_PTR)map((char16_t)(UINT_PTR)s);
    for (LPWSTR p = s; *p; ++p)
        *p = map(*p);
    return s;
}

} // namespace

/* As _wtol, for int (the same width here). */
extern "C" int _wtoi(const WCHAR *str)
{
    return (int)_wtol(str);
}

/* Reads optional blanks, a sign and decimal digits; stops at the first other character.
 * An overflow gives the largest or smallest 32-bit LONG; NULL gives 0. */
extern "C" LONG _wtol(const WCHAR *str)
{
    const long long max = 0x7fffffffLL, min = -max - 1;
    if (!str)
        return 0;
    while (is_space(*str))
        ++str;
    bool negative = *str == '-';
    if (*str == '-' || *str == '+')
        ++str;
    long long value = 0;
    for (; *str >= '0' && *str <= '9'; ++str) {
        value = value * 10 + (*str - '0');
        if (value > max + 1)
            value = max + 1;
    }
    if (negative)
        return value > max ? (LONG)min : (LONG)-value;
    return value > max ? (LONG)max : (LONG)value;
}

/* Lower-cases the string in place and returns it, or, when the high word of lpsz is 0,
 * returns the lower-case form of the character in its low word. */
extern "C" LPWSTR WINAPI CharLowerW(LPWSTR lpsz)
{
    return convert_case(lpsz, to_lower);
}

/* Lower-cases cchLength characters in place; returns cchLength (0 for NULL). */
extern "C" DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength)
{
    return convert_buffer(lpsz, cchLength, to_lower);
}

/* The next character, or lpsz itself at the terminator. */
extern "C" LPWSTR WINAPI CharNextW(LPCWSTR lpsz)
{
    return (LPWSTR)(*lpsz ? lpsz + 1 : lpsz);
}

/* The previous character, or lpszStart when lpszCurrent is at the start. */
extern "C" LPWSTR WINAPI CharPrevW(LPCWSTR lpszStart, LPCWSTR lpszCurrent)
{
    return (LPWSTR)(lpszCurrent > lpszStart ? lpszCurrent - 1 : lpszStart);
}

/* Upper-cases the string in place and returns it, or, when the high word of lpsz is 0,
 * returns the upper-case form of the character in its low word. */
extern "C" LPWSTR WINAPI CharUpperW(LPWSTR lpsz)
{
    return convert_case(lpsz, to_upper);
}

/* Upper-cases cchLength characters in place; returns cchLength (0 for NULL). */
extern "C" DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength)
{
    return convert_buffer(lpsz, cchLength, to_upper);
}

/* Appends lpString2 to lpString1; returns lpString1, NULL when either is NULL. */
extern "C" LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return strcat(lpString1, lpString2);
}

/* Appends lpString2 to lpString1; returns lpString1, NULL when either is NULL. */
extern "C" LPWSTR WINAPI lstrcatW(LPWSTR lpString1, LPCWSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    lstrcpyW(lpString1 + lstrlenW(lpString1), lpString2);
    return lpString1;
}

/* lstrcmpW of the two strings read in the ANSI code page. */
extern "C" int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2)
{
    std::u16string a, b;
    return compare(ansi_to_wide(lpString1, &a), ansi_to_wide(lpString2, &b), false);
}

/* lstrcmpiW of the two strings read in the ANSI code page. */
extern "C" int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2)
{
    std::u16string a, b;
    return compare(ansi_to_wide(lpString1, &a), ansi_to_wide(lpString2, &b), true);
}

/* -1, 0 or 1 in the layer's sort order without regard to case (see the head of the file). */
extern "C" int WINAPI lstrcmpiW(LPCWSTR lpString1, LPCWSTR lpString2)
{
    return compare(lpString1, lpString2, true);
}

/* -1, 0 or 1 in the layer's sort order (see the head of the file); 0 only for equal strings. */
extern "C" int WINAPI lstrcmpW(LPCWSTR lpString1, LPCWSTR lpString2)
{
    return compare(lpString1, lpString2, false);
}

/* Copies lpString2 to lpString1; returns lpString1, NULL when either is NULL. */
extern "C" LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    return strcpy(lpString1, lpString2);
}

/* Copies at most iMaxLength - 1 bytes and always terminates (iMaxLength > 0). */
extern "C" LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    return copy_limited(lpString1, lpString2, iMaxLength);
}

/* Copies at most iMaxLength - 1 characters and always terminates (iMaxLength > 0). */
extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR lpString1, LPCWSTR lpString2, int iMaxLength)
{
    return copy_limited(lpString1, lpString2, iMaxLength);
}

/* Copies lpString2 to lpString1; returns lpString1, NULL when either is NULL. */
extern "C" LPWSTR WINAPI lstrcpyW(LPWSTR lpString1, LPCWSTR lpString2)
{
    return copy_limited(lpString1, lpString2, INT_MAX);
}

/* Length in bytes without the terminator; 0 for NULL. */
extern "C" int WINAPI lstrlenA(LPCSTR lpString)
{
    return lpString ? (int)strlen(lpString) : 0;
}

/* Length in characters without the terminator; 0 for NULL. */
extern "C" int WINAPI lstrlenW(LPCWSTR lpString)
{
    if (!lpString)
        return 0;
    int n = 0;
    while (lpString[n])
        ++n;
    return n;
}
