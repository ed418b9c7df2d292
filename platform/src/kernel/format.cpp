/*
 * wsprintf formatting with the Windows rules.
 *
 * A conversion is %[-][#][0][width][.precision][h|l|w|I]type with the types c C d i u x X p
 * s S. In the wide form %s and %c take wide text and %S and %C narrow text; the narrow form
 * the reverse; h forces narrow, l and w force wide. Narrow text meets wide text through the
 * ANSI code page. The 0 flag pads strings and characters with zeros too (%04s), '#' puts
 * 0x or 0X in front of a non-zero hexadecimal number, a NULL string prints "(null)", %p
 * prints eight upper-case hexadecimal digits, a zero character prints nothing, a precision
 * of 0 counts as 1 for numbers, I before a type is the 32-bit pointer size. There are no
 * floating-point conversions, no '*' widths and no '+' or ' ' flags: an unknown type
 * character is copied as it stands.
 * The output holds at most 1024 characters with its terminator; longer output is cut.
 */
#include <windows.h>

#include <stdarg.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"

namespace {

const size_t kMaxOutput = 1024; /* characters, terminator included */

struct Spec {
    bool left = false;
    bool prefix = false;
    bool zero = false;
    size_t width = 0;
    int precision = -1;
    char size = 0; /* 'h', 'l' or 0 */
};

/* Reads a decimal field, capped at the output limit. */
template <typename Char> size_t read_number(const Char **p)
{
    size_t n = 0;
    while (**p >= '0' && **p <= '9') {
        n = n * 10 + (**p - '0');
        if (n > kMaxOutput)
            n = kMaxOutput;
        ++*p;
    }
    return n;
}

/* Appends `body` padded to the width: spaces on the right with '-', zeros after the sign or
 * prefix (`keep` leading characters) with '0', spaces on the left otherwise. */
template <typename Char>
void pad(std::basic_string<Char> *out, const std::basic_string<Char> &body, const Spec &spec, size_t keep)
{
    size_t fill = spec.width > body.size() ? spec.width - body.size() : 0;
    if (spec.left) {
        out->append(body);
        out->append(fill, (Char)' ');
    } else if (spec.zero) {
        out->append(body, 0, keep);
        out->append(fill, (Char)'0');
        out->append(body, keep, std::basic_string<Char>::npos);
    } else {
        out->append(fill, (Char)' ');
        out->append(body);
    }
}

template <typename Char>
void format_number(std::basic_string<Char> *out, Spec spec, Char type, unsigned long long value, bool negative)
{
    const char *digits = type == 'X' || type == 'p' ? "0123456789ABCDEF" : "0123456789abcdef";
    unsigned base = (type == 'x' || type == 'X' || type == 'p') ? 16 : 10;
    std::basic_string<Char> number;
    for (unsigned long long v = value; v; v /= base)
        number.insert(number.begin(), (Char)digits[v % base]);
    if (value == 0)
        number = {(Char)'0'}; /* a precision of 0 counts as 1 */
    if (spec.precision >= 0) {
        if ((size_t)spec.precision > number.size())
            number.insert(0, spec.precision - number.size(), (Char)'0');
        spec.zero = false;
    }
    std::basic_string<Char> lead;
    if (negative)
        lead.push_back('-');
    if (spec.prefix && base == 16 && type != 'p' && value != 0) {
        lead.push_back('0');
        lead.push_back(type);
    }
    pad(out, lead + number, spec, lead.size());
}

/* Takes a string argument of the other width, converted through the ANSI code page. */
void convert(const char *s, size_t n, std::u16string *out)
{
    qmk::MultiToWide(CP_ACP, s, n, out);
}

void convert(const char16_t *s, size_t n, std::string *out)
{
    qmk::WideToMulti(CP_ACP, s, n, out);
}

template <typename Text, typename Char> void append_text(std::basic_string<Char> *out, const Text *s, const Spec &spec)
{
    if (!s) {
        static const Text kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
        s = kNull;
    }
    size_t n = 0;
    while (s[n] && (spec.precision < 0 || n < (size_t)spec.precision))
        ++n;
    std::basic_string<Char> body;
    if constexpr (sizeof(Text) == sizeof(Char)) {
        body.assign((const Char *)s, n);
    } else {
        convert(s, n, &body);
    }
    pad(out, body, spec, 0);
}

template <typename Char> int format(Char *buffer, const Char *fmt, va_list args)
{
    const bool wide_form = sizeof(Char) == 2;
    std::basic_string<Char> out;
    const Char *p = fmt;
    while (*p && out.size() < kMaxOutput) {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        ++p;
        Spec spec;
        for (;; ++p) {
            if (*p == '-')
                spec.left = true;
            else if (*p == '#')
                spec.prefix = true;
            else if (*p == '0')
                spec.zero = true;
            else
                break;
        }
        spec.width = read_number(&p);
        if (*p == '.') {
            ++p;
            spec.precision = (int)read_number(&p);
        }
        bool pointer_sized = false;
        if (*p == 'h' || *p == 'l' || *p == 'w') {
            spec.size = *p == 'h' ? 'h' : 'l';
            ++p;
        } else if (*p == 'I') {
            ++p; /* pointer-sized: 32 bits on 32-bit Windows, 64 on 64-bit Windows */
            pointer_sized = true;
        }
        Char type = *p;
        if (!type)
            break;
        ++p;
        /* text conversions: decide whether the argument is wide */
        bool upper = type == 'S' || type == 'C';
        bool wide_arg = spec.size ? spec.size == 'l' : (wide_form != upper);
        switch (type) {
        case 'c':
        case 'C': {
            int ch = va_arg(args, int);
            if (wide_arg ? (char16_t)ch == 0 : (char)ch == 0)
                break; /* a zero character is left out */
            if (wide_arg) {
                char16_t text[2] = {(char16_t)ch, 0};
                append_text(&out, text, spec);
            } else {
                char text[2] = {(char)ch, 0};
                append_text(&out, text, spec);
            }
            break;
        }
        case 's':
        case 'S':
            if (wide_arg)
                append_text(&out, va_arg(args, const char16_t *), spec);
            else
                append_text(&out, va_arg(args, const char *), spec);
            break;
        case 'd':
        case 'i': {
            /* a Windows long is an int: %d and %ld both take 32 bits */
            long long v = pointer_sized ? (long long)va_arg(args, INT_PTR) : (long long)va_arg(args, int);
            if (spec.size == 'h')
                v = (short)v;
            format_number(&out, spec, type, v < 0 ? 0ull - (unsigned long long)v : (unsigned long long)v, v < 0);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            unsigned long long v = pointer_sized ? (unsigned long long)va_arg(args, UINT_PTR)
                                                 : (unsigned long long)va_arg(args, unsigned int);
            if (spec.size == 'h')
                v = (unsigned short)v;
            format_number(&out, spec, type, v, false);
            break;
        }
        case 'p': {
            Spec fixed = spec;
            fixed.zero = true;
            fixed.width = (int)(2 * sizeof(void *));
            fixed.precision = -1;
            format_number(&out, fixed, type, (unsigned long long)(UINT_PTR)va_arg(args, void *), false);
            break;
        }
        default: out.push_back(type); break;
        }
    }
    if (out.size() > kMaxOutput - 1)
        out.resize(kMaxOutput - 1);
    out.copy(buffer, out.size());
    buffer[out.size()] = 0;
    return (int)out.size();
}

} // namespace

extern "C" int WINAPI wvsprintfA(LPSTR lpOut, LPCSTR lpFmt, va_list arglist)
{
    if (!lpOut || !lpFmt)
        return -1;
    return format(lpOut, lpFmt, arglist);
}

extern "C" int WINAPI wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist)
{
    if (!lpOut || !lpFmt)
        return -1;
    return format(lpOut, lpFmt, arglist);
}

extern "C" int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...)
{
    va_list args;
    va_start(args, lpFmt);
    int n = wvsprintfA(lpOut, lpFmt, args);
    va_end(args);
    return n;
}

extern "C" int WINAPIV wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...)
{
    va_list args;
    va_start(args, lpFmt);
    int n = wvsprintfW(lpOut, lpFmt, args);
    va_end(args);
    return n;
}
