/* The positional message formatter. */
#include "core/util/format_text.h"

namespace {

enum PieceKind { kLiteral, kNumber, kString };

/* One piece of a format: a literal run [start, start + length) of the format, or a
 * placeholder of argument `argument` (1-based) printed or not. */
struct FormatPiece {
    PieceKind kind;
    const WCHAR *start;
    int length;
    int argument;
    bool printed;
};

/* What an argument is read as; arguments no placeholder names are read as numbers. */
struct FormatArgument {
    bool isString;
    int number;
    const WCHAR *text;
};

enum { kMaxArguments = 9 + UTIL_FORMAT_MAX_PIECES };

} // namespace

static int parse_placeholder(const WCHAR *p, int *next, FormatPiece *piece);
static int split_format(const WCHAR *format, FormatPiece *pieces);
static bool append(WCHAR *buffer, int capacity, int *length, const WCHAR *text, int count);
static void append_literal(WCHAR *buffer, int capacity, int *length, const FormatPiece &piece);

/* Appends count characters when they fit whole with the terminator; false otherwise. */
static bool append(WCHAR *buffer, int capacity, int *length, const WCHAR *text, int count)
{
    if (*length + count + 1 > capacity)
        return false;
    for (int i = 0; i < count; i++)
        buffer[*length + i] = text[i];
    *length += count;
    buffer[*length] = 0;
    return true;
}

/* Appends a literal run, "%%" as one '%', when it fits whole; leaves it out otherwise. */
static void append_literal(WCHAR *buffer, int capacity, int *length, const FormatPiece &piece)
{
    int printed = piece.length;
    for (int k = 0; k + 1 < piece.length; k++) {
        if (piece.start[k] == '%' && piece.start[k + 1] == '%') {
            printed--;
            k++;
        }
    }
    if (*length + printed + 1 > capacity)
        return;
    for (int k = 0; k < piece.length; k++) {
        buffer[(*length)++] = piece.start[k];
        if (piece.start[k] == '%' && k + 1 < piece.length && piece.start[k + 1] == '%')
            k++;
    }
    buffer[*length] = 0;
}

/* Reads a placeholder at p (just after '%'): [digit 1-9] then d, s, D or S. Fills piece
 * and returns the characters used after '%', or 0 when p starts no placeholder. next:
 * in/out, the number of the next sequential argument. */
static int parse_placeholder(const WCHAR *p, int *next, FormatPiece *piece)
{
    int used = 0;
    int argument = 0;
    if (p[0] >= '1' && p[0] <= '9') {
        argument = p[0] - '0';
        used = 1;
    }
    WCHAR c = p[used];
    if (c != 'd' && c != 's' && c != 'D' && c != 'S')
        return 0;
    if (argument == 0)
        argument = (*next)++;
    piece->kind = (c == 'd' || c == 'D') ? kNumber : kString;
    piece->argument = argument;
    piece->printed = (c == 'd' || c == 's');
    return used + 1;
}

/* Splits the format into at most UTIL_FORMAT_MAX_PIECES pieces; returns their number.
 * "%%" stays inside a literal run (printed as one '%'). */
static int split_format(const WCHAR *format, FormatPiece *pieces)
{
    int count = 0;
    int next = 1;
    const WCHAR *p = format;
    while (*p != 0 && count < UTIL_FORMAT_MAX_PIECES) {
        FormatPiece placeholder = {kLiteral, p, 0, 0, true};
        int used = (p[0] == '%') ? parse_placeholder(p + 1, &next, &placeholder) : 0;
        if (used > 0) {
            pieces[count++] = placeholder;
            p += used + 1;
            continue;
        }
        FormatPiece literal = {kLiteral, p, 0, 0, true};
        while (*p != 0) {
            if (p[0] == '%' && p[1] == '%') {
                p += 2;
                continue;
            }
            FormatPiece probe;
            int probeNext = next;
            if (p[0] == '%' && parse_placeholder(p + 1, &probeNext, &probe) > 0)
                break;
            p++;
        }
        literal.length = (int)(p - literal.start);
        pieces[count++] = literal;
    }
    return count;
}

int WINAPI util_FormatTextV(WCHAR *buffer, int capacity, const WCHAR *format, va_list args)
{
    if (buffer == nullptr || capacity <= 0)
        return 0;
    buffer[0] = 0;
    if (format == nullptr)
        return 0;

    FormatPiece pieces[UTIL_FORMAT_MAX_PIECES];
    int count = split_format(format, pieces);

    // Every argument up to the highest one named is read in order, as what names it.
    FormatArgument arguments[kMaxArguments + 1] = {};
    int highest = 0;
    for (int i = 0; i < count; i++) {
        if (pieces[i].kind == kLiteral)
            continue;
        if (pieces[i].kind == kString)
            arguments[pieces[i].argument].isString = true;
        if (pieces[i].argument > highest)
            highest = pieces[i].argument;
    }
    for (int n = 1; n <= highest; n++) {
        if (arguments[n].isString)
            arguments[n].text = va_arg(args, const WCHAR *);
        else
            arguments[n].number = va_arg(args, int);
    }

    int length = 0;
    for (int i = 0; i < count; i++) {
        const FormatPiece &piece = pieces[i];
        if (piece.kind == kLiteral) {
            append_literal(buffer, capacity, &length, piece);
            continue;
        }
        if (!piece.printed)
            continue;
        const FormatArgument &argument = arguments[piece.argument];
        if (piece.kind == kNumber) {
            WCHAR digits[16];
            int n = wsprintfW(digits, TEXT("%d"), argument.number);
            append(buffer, capacity, &length, digits, n);
        } else if (argument.text != nullptr) {
            append(buffer, capacity, &length, argument.text, lstrlenW(argument.text));
        }
    }
    return length;
}

int WINAPIV util_FormatText(WCHAR *buffer, int capacity, const WCHAR *format, ...)
{
    va_list args;
    va_start(args, format);
    int length = util_FormatTextV(buffer, capacity, format, args);
    va_end(args);
    return length;
}
