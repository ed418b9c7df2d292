/*
 * The colour set: distinct colours of a page up to a capacity; one colour too many makes
 * the set not valid.
 */
#include "render/pdl/colour/colour_set.h"

#include <string.h>

static_assert(sizeof(ColorSet) == 76, "ColorSet is 76 bytes");

LONG WINAPI clr_InitColorSet(ColorSet *set, BOOL enabled, WORD capacity, DWORD mode)
{
    if (set == NULL || capacity > COLOR_SET_MAX_CAPACITY)
        return -1;
    set->valid = enabled ? 1 : 0;
    set->count = 0;
    set->capacity = capacity;
    set->mode = mode;
    for (int i = 0; i < COLOR_SET_SLOTS; i++)
        set->slots[i] = COLOR_SET_WHITE;
    return 0;
}

static BOOL set_IsGrey(DWORD colour)
{
    BYTE r = (BYTE)(colour >> 16), g = (BYTE)(colour >> 8), b = (BYTE)colour;
    return r == g && g == b;
}

LONG WINAPI clr_AddColor(ColorSet *set, DWORD colour)
{
    if (set == NULL || !set->valid)
        return 0;
    colour &= 0xFFFFFF;
    if (set->mode != COLOR_SET_ALL && colour == COLOR_SET_WHITE)
        return 1;
    if (set->mode == COLOR_SET_FOLD_GREY && set_IsGrey(colour))
        colour = 0;
    for (WORD i = 0; i < set->count; i++)
        if (set->slots[i] == colour)
            return 1;
    set->count++;
    if (set->count > set->capacity) {
        set->valid = 0;
        return 0;
    }
    set->slots[set->count - 1] = colour;
    return 1;
}

LONG WINAPI clr_AddColorList(ColorSet *set, const BYTE *list)
{
    if (list == NULL)
        return 0;
    WORD count;
    memcpy(&count, list, 2);
    LONG result = 0;
    for (WORD i = 0; i < count; i++) {
        DWORD colour;
        memcpy(&colour, list + 2 + (size_t)i * 4, 4);
        result |= clr_AddColor(set, colour);
    }
    return result;
}

static DWORD set_Pixel(const BYTE *row, DWORD x, DWORD bits, BOOL colour, const DWORD *palette)
{
    DWORD value;
    if (bits == 24) {
        const BYTE *p = row + (size_t)x * 3;
        value = colour ? ((DWORD)p[0] << 16) | ((DWORD)p[1] << 8) | p[2] : p[0] * 0x010101u;
        return value;
    }
    DWORD index;
    if (bits == 8)
        index = row[x];
    else if (bits == 4)
        index = (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF;
    else
        index = (row[x / 8] >> (7 - (x & 7))) & 1;
    value = palette != NULL ? palette[index] & 0xFFFFFF : index * 0x010101u;
    return colour ? value : (value & 0xFF) * 0x010101u;
}

LONG WINAPI clr_AddImageColors(ColorSet *set, const BYTE *data, DWORD width, DWORD height, DWORD bits, BOOL colour,
                               const DWORD *palette)
{
    if (set == NULL || data == NULL || (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
        (bits < 8 && palette == NULL))
        return -1;
    size_t stride = ((size_t)width * bits + 7) / 8;
    BOOL seen[2] = {FALSE, FALSE};
    for (DWORD y = 0; y < height && set->valid; y++) {
        const BYTE *row = data + stride * y;
        for (DWORD x = 0; x < width && set->valid; x++) {
            if (bits == 1) {
                DWORD index = (row[x / 8] >> (7 - (x & 7))) & 1;
                if (seen[index])
                    continue;
                seen[index] = TRUE;
            }
            clr_AddColor(set, set_Pixel(row, x, bits, colour, palette));
            if (bits == 1 && seen[0] && seen[1])
                return 0;
        }
    }
    return 0;
}

void WINAPI clr_GetColorModeCode(const ColorSet *set, BYTE modeByte, BYTE *out)
{
    if (out == NULL)
        return;
    if (set != NULL && set->valid && modeByte == COLOR_SET_FOLD_GREY)
        *out = (BYTE)(set->count * 16 + 2);
    else
        *out = modeByte;
}

void WINAPI clr_ClearColorSetRef(DWORD *word)
{
    if (word != NULL)
        *word = 0;
}
