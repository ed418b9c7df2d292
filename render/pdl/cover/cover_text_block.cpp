/*
 * The cover page's text block: a header, then per item a font change (DA) when its style
 * changes, a size change (Db) when its size changes, and the positioned text (Dd) with one
 * advance per character. One routine measures (no buffer) and writes, so the measure
 * always equals the bytes written.
 */
#include "render/pdl/cover/cover_block.h"

#include <string.h>

#include "render/pdl/cover/cover_bytes.h"

static const BYTE kBlockHeader[COVER_BLOCK_HEADER_BYTES] = {
    'A', 'R',                               /* begin */
    'A', 'K', 0x02,                         /* fill mode */
    'A', 'L', 0x01, 0x00, 0x00, 0x00, 0x0D, /* raster operation */
    'A', 'M', 0x02, 0x04, 0x00, 0x00, 0x00, /* text mode */
};
static const BYTE kTextKind = 0x02;
static const WORD kNoStyle = 0xFFFF;
static const WORD kNoSize = 0xFFFF;

/* The device font of a font style: style 2 the second, any other the first. */
static const FontInfoBlock *cover_Font(const CoverJob *job, WORD style)
{
    return job->fonts[style == 2 ? 1 : 0];
}

/* The item's text in the ANSI code page, cut before a character that would pass
 * COVER_ITEM_TEXT_BYTES. Returns its bytes, -1 when it cannot be converted. */
static int cover_ItemBytes(const TextItem *item, char *ansi)
{
    char whole[TEXT_ITEM_CHARS * 2 + 2];
    int bytes = 0;
    if (item->text[0] != 0) {
        bytes = WideCharToMultiByte(CP_ACP, 0, item->text, -1, whole, (int)sizeof whole, NULL, NULL);
        if (bytes <= 0) {
            return -1;
        }
        --bytes; /* the terminator */
    }
    return cover_CutWhole(CP_ACP, whole, bytes, COVER_ITEM_TEXT_BYTES, ansi);
}

/* One item's Dd. out NULL: only counts. Returns the bytes, -1 for a character without
 * glyph or a full buffer. */
static LONG cover_WriteItem(const CoverJob *job, const FontInfoBlock *font, const TextItem *item, CoverOut *out)
{
    char text[COVER_ITEM_TEXT_BYTES];
    int bytes = cover_ItemBytes(item, text);
    if (bytes < 0) {
        return -1;
    }
    /* characters: a lead byte and its trail count as one */
    WORD codes[COVER_ITEM_TEXT_BYTES];
    WORD characters = 0;
    for (int i = 0; i < bytes; ++i) {
        BYTE b = (BYTE)text[i];
        WORD code = b;
        if (i + 1 < bytes && IsDBCSLeadByteEx(CP_ACP, b)) {
            code = (WORD)((b << 8) | (BYTE)text[++i]);
        }
        if (fnt_MapCharCode(&font->codeTable, code) < 0) {
            return -1;
        }
        codes[characters++] = code;
    }
    LONG start = out->used;
    cover_PutBytes(out, "Dd", 2);
    cover_PutFloat(out, (float)item->x * (float)job->resolutionX / 254.0f);
    cover_PutFloat(out, (float)item->y * (float)job->resolutionY / 254.0f);
    cover_PutBytes(out, &kTextKind, 1);
    cover_PutWord(out, characters);
    for (WORD c = 0; c < characters; ++c) {
        LONG width = fnt_BlockCharWidth(font, codes[c]);
        cover_PutFloat(out, (float)width * (float)item->fontSize * (float)job->resolutionX / 720000.0f);
    }
    cover_PutWord(out, (WORD)bytes);
    cover_PutBytes(out, text, (DWORD)bytes);
    return out->failed ? -1 : out->used - start;
}

/* The whole block into out (NULL buffer: measured). Returns its bytes or -1. */
static LONG cover_Block(const CoverJob *job, const CoverTexts *texts, CoverOut *out)
{
    if (job == NULL || texts == NULL || job->resolutionX <= 0 || job->resolutionY <= 0) {
        return -1;
    }
    TextItemList *list = NULL;
    DWORD count = 0;
    if (!pdl_BuildTextItemList(job, texts, &list, &count)) {
        return -1;
    }
    cover_PutBytes(out, kBlockHeader, sizeof kBlockHeader);
    WORD style = kNoStyle;
    WORD size = kNoSize;
    LONG result = 0;
    for (DWORD i = 0; i < count && result == 0; ++i) {
        const TextItem *item = &list->items[i];
        const FontInfoBlock *font = cover_Font(job, item->color);
        if (font == NULL || font->codeTableResult != 0) {
            result = -1;
            break;
        }
        if (item->color != style) {
            style = item->color;
            cover_PutBytes(out, "DA", 2);
            cover_PutWord(out, (WORD)(font->fontId | COVER_FONT_ID_FLAG));
        }
        if (item->fontSize != size) {
            size = item->fontSize;
            float sx = (float)size * (float)job->resolutionX / 720.0f;
            float sy = (float)size * (float)job->resolutionY / 720.0f;
            const float matrix[6] = {sx, 0.0f, 0.0f, -sy, 0.0f, 0.0f};
            cover_PutBytes(out, "Db", 2);
            for (float value : matrix) {
                cover_PutFloat(out, value);
            }
        }
        if (cover_WriteItem(job, font, item, out) < 0) {
            result = -1;
        }
    }
    GlobalFree(list);
    return result < 0 || out->failed ? -1 : out->used;
}

LONG pdl_MeasureTextBlock(const CoverJob *job, const CoverTexts *texts)
{
    CoverOut out = {NULL, 0, 0, FALSE};
    return cover_Block(job, texts, &out);
}

LONG pdl_WriteTextBlock(const CoverJob *job, const CoverTexts *texts, BYTE *buffer, DWORD capacity)
{
    if (buffer == NULL) {
        return -1;
    }
    LONG measured = pdl_MeasureTextBlock(job, texts);
    if (measured < 0 || (DWORD)measured > capacity) {
        return -1;
    }
    CoverOut out = {buffer, capacity, 0, FALSE};
    LONG written = cover_Block(job, texts, &out);
    return written == measured ? written : -1;
}
