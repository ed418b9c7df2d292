/*
 * The scale of a booklet half and lengths in 0.1 mm as dots.
 */
#include "render/driver/booklet/booklet.h"

/* Inches in 0.1 mm. */
static const float kInchPerTenthMm = 0.003937008f;

void bk_ScaleToHalf(float *out, float width, float height)
{
    if (out == NULL)
        return;
    if (width <= 0 || height <= 0) {
        *out = 0;
        return;
    }
    float across = width / height;
    float along = height * 0.5f / width;
    *out = across < along ? across : along;
}

void bk_TenthMmToDots(WORD value, float *out, int dpi)
{
    if (out != NULL)
        *out = (float)value * (float)dpi * kInchPerTenthMm;
}
