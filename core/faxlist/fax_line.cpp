/*
 * One destination's job-attribute line. The elements are built as wide text, each turned
 * into the ANSI code page and placed into an element buffer: the first element as it is,
 * every further one in braces. Two counters bound the elements: A (the number element and
 * elements 1 to 4) must stay below 129 and B (elements 5 and 6) below 47 characters,
 * counting the plain texts even where they are sent encoded. The line's own length is
 * taken from the element buffer as written, so encoded texts are counted at their full
 * length.
 */
#include "core/faxlist/fax_list.h"

#include "core/util/codepage_text.h"
#include "core/util/global_block.h"

#include <string.h>

/* The counters' limits: each must stay below its value. */
static const DWORD kLimitA = 129;
static const DWORD kLimitB = 47;
/* The packed element-1 list holds at most this many characters. */
static const DWORD kPackedListMax = 80;
/* Room for every element in ANSI bytes, encoded texts included. */
enum { LINE_ELEMENT_BYTES = 1024, LINE_WIDE_CHARS = 256 };

static const char kFrameOpen[] = "@PJL SET JOBATTR=\"";
static const char kFrameClose[] = "\"";
static const char kPlainKey[] = "@FANU=";
static const char kEncodedKey[] = "@FAEN=";
static const char kLineEnd[] = "\r\n";

/* The element 3 digit of each value of FunctionID 1810. */
static const WCHAR kElement3Digits[] = {'0', '2', '4'};

/* The element buffer: ANSI bytes, kept terminated. */
typedef struct LineElements {
    char bytes[LINE_ELEMENT_BYTES];
    DWORD used;
    DWORD count; /* elements placed */
} LineElements;

/* A wide element under construction, kept terminated. */
typedef struct LineWide {
    WCHAR chars[LINE_WIDE_CHARS];
    DWORD used;
} LineWide;

/* line_FieldLength: the characters of a field up to its terminator or its end. */
static DWORD line_FieldLength(const WCHAR *field, DWORD chars)
{
    DWORD n = 0;
    while (n < chars && field[n] != 0)
        ++n;
    return n;
}

/* line_PutChars: appends count characters; 0 when they do not fit. */
static BOOL line_PutChars(LineWide *wide, const WCHAR *text, DWORD count)
{
    if (wide->used + count >= LINE_WIDE_CHARS)
        return FALSE;
    memcpy(wide->chars + wide->used, text, count * sizeof(WCHAR));
    wide->used += count;
    wide->chars[wide->used] = 0;
    return TRUE;
}

/* line_PutField: appends a field's text, read only inside the field. */
static BOOL line_PutField(LineWide *wide, const WCHAR *field, DWORD chars)
{
    return line_PutChars(wide, field, line_FieldLength(field, chars));
}

/* line_PutNumber: appends value in decimal, padded on the left with '0' to width digits. */
static BOOL line_PutNumber(LineWide *wide, DWORD value, DWORD width)
{
    WCHAR digits[16];
    DWORD n = 0;
    do {
        digits[n++] = (WCHAR)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width)
        digits[n++] = '0';
    WCHAR ordered[16];
    for (DWORD i = 0; i < n; ++i)
        ordered[i] = digits[n - 1 - i];
    return line_PutChars(wide, ordered, n);
}

/* line_PutElement: the wide element in ANSI into the buffer, in braces unless first. */
static BOOL line_PutElement(LineElements *line, const LineWide *wide)
{
    BOOL braces = line->count > 0;
    DWORD needed = util_WideToMultiByteBuf(CP_ACP, wide->chars, NULL, 0); /* with terminator */
    if (needed == 0 || line->used + needed + (braces ? 2 : 0) > LINE_ELEMENT_BYTES)
        return FALSE;
    if (braces)
        line->bytes[line->used++] = '{';
    DWORD written = util_WideToMultiByteBuf(CP_ACP, wide->chars, line->bytes + line->used, needed);
    if (written == 0)
        return FALSE;
    line->used += written - 1;
    if (braces)
        line->bytes[line->used++] = '}';
    line->bytes[line->used] = 0;
    line->count++;
    return TRUE;
}

/*
 * line_PutText: appends a text field sent plain or encoded; plain: out, the characters of
 * the plain text (the decoded text when the field is taken as already encoded).
 */
static BOOL line_PutText(LineWide *wide, const WCHAR *field, DWORD chars, BOOL encode, BOOL alreadyEncoded,
                         DWORD *plain)
{
    WCHAR text[LINE_WIDE_CHARS];
    DWORD length = line_FieldLength(field, chars);
    memcpy(text, field, length * sizeof(WCHAR));
    text[length] = 0;
    if (!encode && !alreadyEncoded) {
        *plain = length;
        return line_PutChars(wide, text, length);
    }
    TranscodeRequest request = {(WORD)(alreadyEncoded ? UTIL_TRANSCODE_DECODE : UTIL_TRANSCODE_ENCODE), text, NULL};
    if (!util_TranscodeStoredText(&request))
        return FALSE;
    DWORD resultLength = (DWORD)lstrlenW(request.result);
    BOOL put = alreadyEncoded ? line_PutChars(wide, text, length) : line_PutChars(wide, request.result, resultLength);
    *plain = alreadyEncoded ? resultLength : length;
    GlobalFree(request.result);
    return put;
}

/*
 * line_PackList: the element-1 list: items of one or two characters separated by commas,
 * each padded on the left with '0' to four characters. An empty text packs to nothing; an
 * empty item or one of another length fails, and so does a result above 80 characters.
 */
static BOOL line_PackList(LineWide *wide, const WCHAR *field, DWORD chars)
{
    WCHAR text[LINE_WIDE_CHARS];
    DWORD length = line_FieldLength(field, chars);
    memcpy(text, field, length * sizeof(WCHAR));
    text[length] = 0;
    if (length == 0)
        return TRUE;
    char *ansi = NULL;
    if (!util_WideToAnsiAlloc(&ansi, text, NULL))
        return FALSE;
    char packed[2 * LINE_WIDE_CHARS];
    DWORD used = 0;
    BOOL ok = TRUE;
    for (const char *item = ansi; ok;) {
        const char *end = strchr(item, ',');
        DWORD itemLength = end != NULL ? (DWORD)(end - item) : (DWORD)strlen(item);
        if (itemLength < 1 || itemLength > 2 || used + 4 > kPackedListMax) {
            ok = FALSE;
            break;
        }
        for (DWORD pad = itemLength; pad < 4; ++pad)
            packed[used++] = '0';
        memcpy(packed + used, item, itemLength);
        used += itemLength;
        if (end == NULL)
            break;
        item = end + 1;
    }
    GlobalFree(ansi);
    if (!ok)
        return FALSE;
    packed[used] = 0;
    WCHAR *back = NULL;
    DWORD count = 0;
    if (!util_AnsiToWideAlloc(packed, &back, &count))
        return FALSE;
    BOOL put = line_PutChars(wide, back, count - 1);
    GlobalFree(back);
    return put;
}

/* line_Reset: an empty wide element. */
static void line_Reset(LineWide *wide)
{
    wide->used = 0;
    wide->chars[0] = 0;
}

/* line_BuildElements: the element buffer of an entry of the number with elements; A and B:
 * out, the counters. */
static BOOL line_BuildElements(DWORD form, const FaxDestination *entry, const FaxDialSettings *dial,
                               BOOL alreadyEncoded, LineElements *line, DWORD *a, DWORD *b)
{
    if (entry->element3 >= sizeof(kElement3Digits) / sizeof(kElement3Digits[0]))
        return FALSE;
    BOOL encode = form == 2;
    LineWide wide;

    /* The number element: the chosen dial prefix and the number; the prefix's switch gives
     * the element-2 value. */
    const WCHAR *prefix = NULL;
    WORD prefixSwitch = dial->noPrefixSwitch;
    if (entry->prefixSelector == 2) {
        prefix = dial->prefix1;
        prefixSwitch = dial->prefix1Switch;
    } else if (entry->prefixSelector == 1) {
        prefix = dial->prefix2;
        prefixSwitch = dial->prefix2Switch;
    }
    line_Reset(&wide);
    if ((prefix != NULL && !line_PutField(&wide, prefix, 6)) || !line_PutField(&wide, entry->number, 129) ||
        !line_PutElement(line, &wide))
        return FALSE;
    *a = wide.used;

    if (entry->elementSelector == 2) {
        line_Reset(&wide);
        if (!line_PutNumber(&wide, 1, 0) || !line_PutNumber(&wide, entry->element1Number, 4) ||
            !line_PutNumber(&wide, entry->element1Flag == 1 ? 1 : 0, 0) ||
            !line_PackList(&wide, entry->element1List, 60) || !line_PutElement(line, &wide))
            return FALSE;
        *a += wide.used + 2;
    } else if (entry->elementSelector == 1) {
        line_Reset(&wide);
        DWORD plain = 0;
        if (!line_PutNumber(&wide, 4, 0) || !line_PutNumber(&wide, entry->element4Number, 4))
            return FALSE;
        DWORD head = wide.used;
        if (!line_PutText(&wide, entry->element4Text, 9, encode, alreadyEncoded, &plain) ||
            !line_PutElement(line, &wide))
            return FALSE;
        *a += head + plain + 2;
    }

    const WCHAR element2[] = {'2', (WCHAR)(prefixSwitch != 0 ? '1' : '0')};
    const WCHAR element3[] = {'3', kElement3Digits[entry->element3]};
    line_Reset(&wide);
    if (!line_PutChars(&wide, element2, 2) || !line_PutElement(line, &wide))
        return FALSE;
    line_Reset(&wide);
    if (!line_PutChars(&wide, element3, 2) || !line_PutElement(line, &wide))
        return FALSE;
    *a += 8;

    *b = 0;
    if (line_FieldLength(entry->element5Text, 21) > 0) {
        line_Reset(&wide);
        if (!line_PutNumber(&wide, 5, 0) || !line_PutField(&wide, entry->element5Text, 21) ||
            !line_PutElement(line, &wide))
            return FALSE;
        *b += wide.used + 2;
    }
    if (line_FieldLength(entry->element6Text, 21) > 0) {
        line_Reset(&wide);
        DWORD plain = 0;
        if (!line_PutNumber(&wide, 6, 0) ||
            !line_PutText(&wide, entry->element6Text, 21, encode, alreadyEncoded, &plain) ||
            !line_PutElement(line, &wide))
            return FALSE;
        *b += plain + 3;
    }
    return TRUE;
}

/* line_BuildQuoted: the element buffer of an entry of the number alone: the number in
 * single quotes, padded on the left with '0' to four characters with the quote width. */
static BOOL line_BuildQuoted(const FaxDestination *entry, DWORD quoteWidth, LineElements *line, DWORD *a)
{
    static const WCHAR kQuote[] = {'\''};
    LineWide wide;
    line_Reset(&wide);
    DWORD length = line_FieldLength(entry->number, 129);
    if (!line_PutChars(&wide, kQuote, 1))
        return FALSE;
    for (DWORD pad = length; quoteWidth == 1 && pad < 4; ++pad) {
        if (!line_PutNumber(&wide, 0, 0))
            return FALSE;
    }
    if (!line_PutChars(&wide, entry->number, length) || !line_PutChars(&wide, kQuote, 1) ||
        !line_PutElement(line, &wide))
        return FALSE;
    *a = wide.used;
    return TRUE;
}

BOOL WINAPI job_FormatFaxAttribute(DWORD form, const FaxDestination *entry, const FaxDialSettings *dial, DWORD capacity,
                                   DWORD frame, const void *encodedMarker, char *out, LONG *length, DWORD quoteWidth)
{
    if (length == NULL)
        return FALSE;
    *length = 0;
    if ((form != 1 && form != 2) || entry == NULL || dial == NULL)
        return FALSE;
    LineElements line;
    line.used = 0;
    line.count = 0;
    line.bytes[0] = 0;
    DWORD a = 0;
    DWORD b = 0;
    BOOL built = entry->entryForm == 1 ? line_BuildQuoted(entry, quoteWidth, &line, &a)
                                       : line_BuildElements(form, entry, dial, encodedMarker != NULL, &line, &a, &b);
    if (!built)
        return FALSE;
    if (a >= kLimitA || b >= kLimitB) {
        *length = -1;
        return FALSE;
    }
    if (out == NULL) {
        *length = (LONG)a;
        return TRUE;
    }
    const char *key = form == 2 ? kEncodedKey : kPlainKey;
    DWORD total = (DWORD)strlen(key) + line.used + (DWORD)strlen(kLineEnd);
    if (frame)
        total += (DWORD)(strlen(kFrameOpen) + strlen(kFrameClose));
    /* The line and its terminating zero must fit; the zero is not counted. */
    if (total + 1 > capacity)
        return FALSE;
    char *at = out;
    const char *parts[] = {frame ? kFrameOpen : "", key, line.bytes, frame ? kFrameClose : "", kLineEnd};
    for (const char *part : parts) {
        size_t n = strlen(part);
        memcpy(at, part, n);
        at += n;
    }
    *at = 0;
    *length = (LONG)total;
    return TRUE;
}
