/*
 * Number conversions shared by the driver core: decimal and hexadecimal text, tenths of a
 * millimetre and hundredths of an inch, hundredths split in two, base64 sizes.
 */
#ifndef QM_CORE_UTIL_CONVERSION_H
#define QM_CORE_UTIL_CONVERSION_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* util_WideToInt: the decimal value of text as _wtoi reads it (leading blanks and a sign
 * allowed, reading stops at the first other character); 0 for NULL. */
int WINAPI util_WideToInt(const WCHAR *text);

/*
 * util_ParseNumber: reads "0x"/"0X" followed by hexadecimal digits, or decimal digits, with
 * nothing after them. value: out, written only on success. Returns 1, or 0 for NULL, an
 * empty text, a prefix without digits or any other character.
 */
BOOL WINAPI util_ParseNumber(const WCHAR *text, int *value);

/*
 * util_MetricToInch: tenths of a millimetre to hundredths of an inch, rounded half away
 * from zero: (|v| * 1000 / 254 + 5) / 10 with the sign of v. digit: out (may be NULL), the
 * last digit of the rounded intermediate (|v| * 1000 / 254 + 5) mod 10.
 */
LONG WINAPI util_MetricToInch(LONG value, LONG *digit);

/* util_InchToMetric: hundredths of an inch to tenths of a millimetre:
 * (|v| * 254 / 10 + 5) / 10 with the sign of v. */
LONG WINAPI util_InchToMetric(LONG value);

/*
 * util_SplitHundredths: whole = v / 100; fraction = v mod 100, or (v mod 100) / 10 when
 * tenths is set. whole, fraction: out (each may be NULL).
 */
void WINAPI util_SplitHundredths(BOOL tenths, LONG value, LONG *whole, LONG *fraction);

/* util_Base64EncodedSize: (n + 2) / 3 * 4 + 1 characters for n bytes; -10 for negative n. */
int WINAPI util_Base64EncodedSize(int n);

/* util_Base64DecodedSize: n / 4 * 3 + 1 bytes for n characters; -10 for negative n. */
int WINAPI util_Base64DecodedSize(int n);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_CONVERSION_H */
