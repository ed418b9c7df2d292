/*
 * The positional message formatter: "%d" and "%s" take the next argument, "%1d".."%9s"
 * take argument n, the upper-case forms "%D", "%S", "%nD", "%nS" consume their argument
 * without printing it, "%%" gives one percent sign.
 */
#ifndef QM_CORE_UTIL_FORMAT_TEXT_H
#define QM_CORE_UTIL_FORMAT_TEXT_H

#include <stdarg.h>

#include <windows.h>

/* At most this many pieces (literal runs and placeholders) of a format are used. */
#define UTIL_FORMAT_MAX_PIECES 20

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_FormatTextV: formats into buffer (capacity in characters, terminator included).
 * The format is split into pieces, each literal text or one placeholder; only the first 20
 * count. A piece that does not fit whole into what is left is left out, later ones may
 * still fit. Numbers (int) are printed in decimal by wsprintfW, strings (const WCHAR *,
 * NULL printing nothing) as they are; any other character after '%' is literal text.
 * Returns the formatted length, 0 for a NULL buffer, NULL format or capacity 0 (the buffer
 * is terminated whenever capacity allows).
 */
int WINAPI util_FormatTextV(WCHAR *buffer, int capacity, const WCHAR *format, va_list args);

/* util_FormatText: util_FormatTextV with its arguments in place. */
int WINAPIV util_FormatText(WCHAR *buffer, int capacity, const WCHAR *format, ...);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_FORMAT_TEXT_H */
