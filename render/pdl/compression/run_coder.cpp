/*
 * The run coder (method 8). Each line is held in a buffer with an 8-byte margin in front
 * and 12 behind, both of the fill byte, so that references left of the line start and
 * right of its end read the fill; the byte just behind the last pixel is a sentinel that
 * differs from every reference there, so runs end at the line end. A run still open at the
 * line end carries into the next line with the same reference.
 */
#include "render/pdl/compression/run_coder.h"

#include <string.h>

#include "render/stream/temp_file.h"

#include "platform/include/qm_layout.h"

static_assert(sizeof(BitWriter) == QM_LAYOUT(20, sizeof(BitWriter)), "BitWriter is 20 bytes");

static const DWORD kMargin = 8, kSlack = 20;
static const DWORD kTokenLiteral = 0, kTokenEscape = 6;

/* The token table: bits and their count, per mode. */
typedef struct TokenCode {
    BYTE bits;
    BYTE count;
} TokenCode;
static const TokenCode kTokens[2][7] = {
    {{0x2, 2}, {0x0, 1}, {0x6, 3}, {0x1C, 5}, {0x1D, 5}, {0x1E, 5}, {0x1F, 5}},
    {{0x0, 1}, {0x2, 2}, {0x6, 3}, {0x1C, 5}, {0x1D, 5}, {0x1E, 5}, {0x1F, 5}},
};

/* Run lengths: a prefix and length - first in extra bits. */
typedef struct LengthRow {
    WORD first;
    WORD last;
    BYTE prefix;
    BYTE prefixBits;
    BYTE extraBits;
} LengthRow;
static const LengthRow kLengths[] = {
    {1, 1, 0x0, 2, 0},
    {2, 2, 0x2, 3, 0},
    {3, 3, 0x3, 3, 0},
    {4, 5, 0x4, 3, 1},
    {6, 9, 0x5, 3, 2},
    {10, 25, 0x6, 3, 4},
    {26, 33, 0x38, 6, 3},
    {34, 41, 0x39, 6, 3},
    {42, 49, 0x3A, 6, 3},
    {50, 65, 0x3B, 6, 4},
    {66, 97, 0x3C, 6, 5},
    {98, 161, 0x3D, 6, 6},
    {162, 673, 0x3E, 6, 9},
    {674, 17057, 0x3F, 6, 14},
};

/* Difference magnitudes of 2 and more: prefix, sign bit, magnitude - first in extra bits. */
static const LengthRow kDifferences[] = {
    {2, 3, 0x3, 3, 1},
    {4, 7, 0x4, 3, 2},
    {8, 15, 0x5, 3, 3},
    {16, 47, 0x6, 3, 5},
    {48, 79, 0xE, 4, 5},
    {80, 128, 0xF, 4, 6},
};

/* ---- bit writer */

static BOOL bw_Put(BitWriter *w, DWORD bits, DWORD count)
{
    while (count > 0) {
        // As many of the next bits as the partial byte has room for.
        DWORD room = 8u - w->bitCount;
        DWORD take = count < room ? count : room;
        count -= take;
        DWORD chunk = (bits >> count) & ((1u << take) - 1u);
        w->pending = (WORD)(w->pending | (chunk << (room - take)));
        w->bitCount = (WORD)(w->bitCount + take);
        if (w->bitCount == 8) {
            if (w->length >= w->capacity)
                return FALSE;
            w->output[w->length++] = (BYTE)w->pending;
            w->pending = 0;
            w->bitCount = 0;
        }
    }
    return TRUE;
}

static BOOL bw_Token(BitWriter *w, DWORD token)
{
    const TokenCode *t = &kTokens[w->mode][token];
    return bw_Put(w, t->bits, t->count);
}

static BOOL bw_Length(BitWriter *w, DWORD length)
{
    for (size_t i = 0; i < sizeof kLengths / sizeof kLengths[0]; i++) {
        const LengthRow *r = &kLengths[i];
        if (length <= r->last)
            return bw_Put(
                w, ((DWORD)r->prefix << r->extraBits) | (length - r->first), (DWORD)r->prefixBits + r->extraBits);
    }
    return FALSE;
}

static BOOL bw_Difference(BitWriter *w, int d)
{
    if (d == 0)
        return bw_Put(w, 0x0, 3);
    if (d == 1)
        return bw_Put(w, 0x1, 3);
    if (d == -1)
        return bw_Put(w, 0x2, 3);
    DWORD m = (DWORD)(d < 0 ? -d : d);
    for (size_t i = 0; i < sizeof kDifferences / sizeof kDifferences[0]; i++) {
        const LengthRow *r = &kDifferences[i];
        if (m <= r->last) {
            DWORD sign = d < 0 ? 1u : 0u;
            DWORD code = ((((DWORD)r->prefix << 1) | sign) << r->extraBits) | (m - r->first);
            return bw_Put(w, code, (DWORD)r->prefixBits + 1u + r->extraBits);
        }
    }
    return FALSE;
}

/* ---- pixels */

static DWORD rc_Pixel(const RunCoder *c, const BYTE *buffer, LONG x)
{
    const BYTE *p = buffer + kMargin + (LONG)c->pixelBytes * x;
    if (c->pixelBytes == 1)
        return *p;
    DWORD v;
    memcpy(&v, p, 4);
    return v;
}

/* Where reference r (1-4) of the pixel at x lies: its line and its pixel offset. */
static const BYTE *rc_ReferenceAt(const RunCoder *c, DWORD r, DWORD x)
{
    static const LONG kOffsets[2][5] = {{0, -1, 0, 1, -8}, {0, -1, 0, 1, 2}};
    const BYTE *line = (r == 4 && c->pixelBytes == 1) ? c->current : c->previous;
    return line + kMargin + ((LONG)x + kOffsets[c->pixelBytes == 1 ? 0 : 1][r]) * (LONG)c->pixelBytes;
}

/* Whether the pixels at a and b are equal (1 or 4 bytes). */
static inline BOOL rc_Same(const RunCoder *c, const BYTE *a, const BYTE *b)
{
    if (c->pixelBytes == 1)
        return *a == *b;
    DWORD x, y;
    memcpy(&x, a, 4);
    memcpy(&y, b, 4);
    return x == y;
}

/* Pixels from x on, up to the line end, that equal reference r (0: value). */
static DWORD rc_Match(const RunCoder *c, DWORD r, DWORD x, DWORD value)
{
    DWORD limit = c->width - x, n = 0;
    const BYTE *here = c->current + kMargin + x * c->pixelBytes;
    if (c->pixelBytes == 1) {
        if (r == 0) {
            while (n < limit && here[n] == (BYTE)value)
                n++;
        } else {
            const BYTE *ref = rc_ReferenceAt(c, r, x);
            while (n < limit && here[n] == ref[n])
                n++;
        }
        return n;
    }
    if (r == 0) {
        while (n < limit && memcmp(here + n * 4, &value, 4) == 0)
            n++;
    } else {
        const BYTE *ref = rc_ReferenceAt(c, r, x);
        while (n < limit && memcmp(here + n * 4, ref + n * 4, 4) == 0)
            n++;
    }
    return n;
}

/* ---- tokens */

static BOOL rc_EmitRun(RunCoder *c)
{
    DWORD n = c->runLength, k = 0;
    while (c->references[k] != c->runIndex)
        k++;
    DWORD first = n < RC_MAX_PIECE ? n : RC_MAX_PIECE;
    DWORD token = k + 1 - (c->endedRun ? 1 : 0);
    BOOL ok = bw_Token(&c->bits, token) && bw_Length(&c->bits, first);
    c->counter += token == 1 ? 1 : 0;
    // The reference moves to the front; further pieces are index 1 again.
    memmove(c->references + 1, c->references, k);
    c->references[0] = (BYTE)c->runIndex;
    for (DWORD rest = n - first; ok && rest > 0;) {
        DWORD piece = rest < RC_MAX_PIECE ? rest : RC_MAX_PIECE;
        ok = bw_Token(&c->bits, 1) && bw_Length(&c->bits, piece);
        c->counter++;
        rest -= piece;
    }
    c->endedRun = (n % RC_MAX_PIECE) != 0;
    c->runLength = 0;
    return ok;
}

static BOOL rc_EmitLiteral(RunCoder *c, DWORD x)
{
    BOOL ok = bw_Token(&c->bits, kTokenLiteral);
    const BYTE *here = c->current + kMargin + c->pixelBytes * x;
    const BYTE *left = here - c->pixelBytes;
    for (DWORD ch = 0; ok && ch < c->channels; ch++) {
        int d = (BYTE)(here[ch] - left[ch]);
        ok = bw_Difference(&c->bits, d > 128 ? d - 256 : d);
    }
    c->endedRun = 0;
    c->counter--;
    return ok;
}

/* ---- the coder */

RunCoder *WINAPI rc_Create(DWORD width, DWORD lineLimit, DWORD bits)
{
    if ((bits != 8 && bits != 24 && bits != 32) || width == 0)
        return NULL;
    DWORD pixelBytes = bits == 8 ? 1 : 4;
    unsigned long long lineLength = (unsigned long long)width * pixelBytes;
    if (lineLength + kSlack > 0xFFFF)
        return NULL;
    size_t bufferSize = (size_t)lineLength + kSlack;
    BYTE *block = (BYTE *)HeapAlloc(GetProcessHeap(), 0, sizeof(RunCoder) + 2 * bufferSize);
    if (block == NULL)
        return NULL;
    RunCoder *c = (RunCoder *)block;
    memset(c, 0, sizeof *c);
    c->state = 1;
    c->lineLimit = lineLimit;
    c->width = width;
    c->lineLength = (DWORD)lineLength;
    c->pixelBytes = pixelBytes;
    c->channels = bits / 8;
    c->fill = pixelBytes == 1 ? 0x00 : 0xFF;
    c->current = block + sizeof(RunCoder);
    c->previous = c->current + bufferSize;
    memset(c->current, c->fill, 2 * bufferSize);
    static const BYTE kFirstOrder[5] = {0, 2, 1, 3, 4};
    memcpy(c->references, kFirstOrder, 5);
    return c;
}

/* The sentinel: from fill + 1 upward (modulo 255) the first value that differs from the
 * first byte of both lines' last pixels and from the current line's byte 8 places before
 * its end. */
static BYTE rc_Sentinel(const RunCoder *c)
{
    const BYTE *end = c->current + kMargin + c->lineLength;
    BYTE a = end[-(LONG)c->pixelBytes], b = c->previous[kMargin + c->lineLength - c->pixelBytes], d = end[-8];
    DWORD v = (c->fill + 1u) % 255u;
    while (v == a || v == b || v == d)
        v = (v + 1) % 255u;
    return (BYTE)v;
}

LONG WINAPI rc_CompressLine(RunCoder *c, const BYTE *line, BYTE *output, DWORD capacity)
{
    if (c == NULL || line == NULL || c->state != 1)
        return -1;
    if (c->lineLimit != 0 && c->lines >= c->lineLimit) {
        c->state = 0;
        return -1;
    }
    c->lines++;
    BYTE *swap = c->previous;
    c->previous = c->current;
    c->current = swap;
    BYTE *row = c->current + kMargin;
    if (c->channels == 3) {
        for (DWORD x = 0; x < c->width; x++)
            memcpy(row + x * 4, line + x * 3, 3);
    } else {
        memcpy(row, line, c->lineLength);
    }
    c->previous[kMargin + c->lineLength] = c->fill;
    row[c->lineLength] = rc_Sentinel(c);

    c->bits.output = output;
    c->bits.capacity = output != NULL ? capacity : 0;
    c->bits.length = 0;
    c->counter = 0;
    BOOL ok = TRUE;
    DWORD x = 0;
    if (c->runLength > 0) {
        x = rc_Match(c, c->runIndex, 0, c->runValue);
        c->runLength += x;
        if (x < c->width)
            ok = rc_EmitRun(c);
    }
    while (ok && x < c->width) {
        DWORD value = rc_Pixel(c, c->current, (LONG)x - 1), best = 0, bestIndex = 0;
        // Right after a run that ended, index 1 has no token (k - 1 would be the
        // literal's): it is not a candidate then. Only a reference-0 run ended at a line
        // start can be followed by its own reference at index 1 (the new run compares
        // with the fill left of the line, the old one with its value).
        const BYTE *here = c->current + kMargin + x * c->pixelBytes;
        for (DWORD k = c->endedRun ? 1 : 0; k < 5; k++) {
            // Most candidates fail at the first pixel: that test comes first.
            DWORD r = c->references[k];
            if (r == 0 ? rc_Pixel(c, c->current, (LONG)x) != value : !rc_Same(c, here, rc_ReferenceAt(c, r, x)))
                continue;
            DWORD n = rc_Match(c, r, x, value);
            if (n > best) {
                best = n;
                bestIndex = k;
            }
        }
        if (best == 0) {
            ok = rc_EmitLiteral(c, x);
            x++;
            continue;
        }
        c->runIndex = c->references[bestIndex];
        c->runValue = value;
        c->runLength = best;
        x += best;
        if (x < c->width)
            ok = rc_EmitRun(c);
    }
    LONG magnitude = c->counter < 0 ? -c->counter : c->counter;
    if (ok && magnitude > 7 && ((c->counter < 0 && c->bits.mode == 0) || (c->counter > 0 && c->bits.mode == 1))) {
        c->bits.mode ^= 1;
        ok = bw_Token(&c->bits, kTokenEscape) && bw_Put(&c->bits, 0, 1);
    }
    if (!ok) {
        c->state = -4;
        return -4;
    }
    return (LONG)c->bits.length;
}

LONG WINAPI rc_Finish(RunCoder *c, BYTE *output, DWORD capacity)
{
    if (c == NULL)
        return -1;
    LONG result = -1;
    if (output != NULL && c->state == 1) {
        c->bits.output = output;
        c->bits.capacity = capacity;
        c->bits.length = 0;
        BOOL ok = c->runLength == 0 || rc_EmitRun(c);
        ok = ok && bw_Token(&c->bits, kTokenEscape) && bw_Put(&c->bits, 0x7, 3);
        if (ok && c->bits.bitCount > 0)
            ok = bw_Put(&c->bits, 0xFF, 8u - c->bits.bitCount);
        result = ok ? (LONG)c->bits.length : -1;
    }
    HeapFree(GetProcessHeap(), 0, c);
    return result;
}

/* ---- whole images */

static LONG rc_InMemory(RunCoder *coder, BYTE *scratch, DWORD length, const BYTE *data, DWORD rowBytes, DWORD height,
                        DWORD *used)
{
    DWORD total = 0;
    for (DWORD y = 0; y < height; y++) {
        LONG n = rc_CompressLine(coder, data + (size_t)y * rowBytes, scratch + total, length - total);
        if (n < 0) {
            rc_Finish(coder, NULL, 0);
            return RC_NOT_SMALLER;
        }
        total += (DWORD)n;
    }
    LONG n = rc_Finish(coder, scratch + total, length - total);
    if (n < 0 || total + (DWORD)n >= length)
        return RC_NOT_SMALLER;
    *used = total + (DWORD)n;
    return RC_DONE;
}

static LONG rc_ThroughSpill(RunCoder *coder, TempJobFile *spill, DWORD length, BYTE *data, DWORD rowBytes, DWORD height,
                            DWORD *used)
{
    DWORD lineCapacity = rowBytes * 2;
    BYTE *line = (BYTE *)HeapAlloc(GetProcessHeap(), 0, lineCapacity);
    if (line == NULL) {
        rc_Finish(coder, NULL, 0);
        return RC_NO_LINE;
    }
    LONG result = RC_DONE;
    if ((spl_IsTempFileOpen(spill) != 1 && spl_CreateTempFile(spill) != 0) || spl_SeekTempFile(spill, 0) != 0)
        result = RC_SPILL_FAILED;
    DWORD total = 0;
    for (DWORD y = 0; result == RC_DONE && y < height; y++) {
        LONG n = rc_CompressLine(coder, data + (size_t)y * rowBytes, line, lineCapacity);
        if (n < 0)
            result = RC_NOT_SMALLER;
        else if (n > 0 && spl_WriteTempFile(spill, line, (DWORD)n) != n)
            result = RC_SPILL_FAILED;
        else if ((total += (DWORD)n) >= length)
            result = RC_NOT_SMALLER;
    }
    LONG closing = result == RC_DONE ? rc_Finish(coder, line, lineCapacity) : rc_Finish(coder, NULL, 0);
    if (result == RC_DONE && (closing < 0 || total + (DWORD)closing >= length))
        result = RC_NOT_SMALLER;
    if (result == RC_DONE && spl_SeekTempFile(spill, 0) != 0)
        result = RC_SPILL_FAILED;
    if (result == RC_DONE && total > 0 && spl_ReadTempFile(spill, data, total) != (LONG)total)
        result = RC_SHORT_READ;
    if (result == RC_DONE) {
        memcpy(data + total, line, (DWORD)closing);
        *used = total + (DWORD)closing;
    }
    HeapFree(GetProcessHeap(), 0, line);
    return result;
}

LONG WINAPI rc_CompressImage(DWORD width, DWORD *length, TempJobFile *spill, DWORD colourType, DWORD height,
                             BYTE *method, BYTE *data)
{
    if (length == NULL || method == NULL || data == NULL || width == 0 || height == 0)
        return RC_MISSING;
    DWORD rowBytes = colourType == 4 ? width * 3 : width;
    if ((unsigned long long)rowBytes * height > *length)
        return RC_MISSING;
    RunCoder *coder = rc_Create(width, height, colourType == 4 ? 24 : 8);
    if (coder == NULL)
        return RC_NO_CODER;
    DWORD used = 0;
    LONG result;
    BYTE *scratch = (BYTE *)HeapAlloc(GetProcessHeap(), 0, *length);
    if (scratch != NULL) {
        result = rc_InMemory(coder, scratch, *length, data, rowBytes, height, &used);
        if (result == RC_DONE)
            memcpy(data, scratch, used);
        HeapFree(GetProcessHeap(), 0, scratch);
    } else if (spill == NULL) {
        rc_Finish(coder, NULL, 0);
        result = RC_SPILL_FAILED;
    } else {
        result = rc_ThroughSpill(coder, spill, *length, data, rowBytes, height, &used);
    }
    if (result == RC_DONE) {
        *length = used;
        *method = 8;
    }
    return result;
}
