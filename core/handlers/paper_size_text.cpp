/*
 * The text of a paper option with its size: name, separator and the size in millimetres
 * or inches in the frame format of the resource module.
 */
#include "core/handlers/setting_handlers.h"

#include "core/settings/settings.h"
#include "core/util/conversion.h"
#include "core/util/format_text.h"
#include "core/util/global_block.h"

enum {
    STRING_FRAME_MM = 703,    /* frame format with two %s: millimetres */
    STRING_SEPARATOR = 2009,  /* between name and frame */
    STRING_FRAME_INCH = 9247, /* frame format with two %s: inches */
    PAPER_TEXT_CHARS = 128,   /* room for a loaded string */
    NUMBER_CHARS = 16         /* room for one number text */
};

/* One dimension (0.1 mm) as text: millimetres, or inches with two or one decimals. */
static void pst_Number(const PaperUnitMode *mode, WORD value, WCHAR *text)
{
    if (!mode->inch) {
        wsprintfW(text, TEXT("%u"), (unsigned)(value / 10));
        return;
    }
    LONG whole = 0, fraction = 0;
    util_SplitHundredths(mode->decimals != 0, util_MetricToInch(value, nullptr), &whole, &fraction);
    wsprintfW(text, mode->decimals ? TEXT("%u.%u") : TEXT("%u.%02u"), (unsigned)whole, (unsigned)fraction);
}

WCHAR *WINAPI opt_FormatPaperSizeText(const PaperTextRequest *request)
{
    if (!request || !request->resources || !request->devmode || !request->block || !request->paper ||
        !request->paper->name) {
        return nullptr;
    }
    WCHAR separator[PAPER_TEXT_CHARS];
    WCHAR frame[PAPER_TEXT_CHARS];
    UINT frameId = request->mode.inch ? STRING_FRAME_INCH : STRING_FRAME_MM;
    if (!LoadStringW(request->resources, STRING_SEPARATOR, separator, PAPER_TEXT_CHARS) ||
        !LoadStringW(request->resources, frameId, frame, PAPER_TEXT_CHARS)) {
        return nullptr;
    }
    WCHAR width[NUMBER_CHARS], height[NUMBER_CHARS];
    pst_Number(&request->mode, request->paper->width, width);
    pst_Number(&request->mode, request->paper->height, height);
    /* Sized from what goes in, so that no name or resource string can overrun it. */
    DWORD nameChars = dma_CountWideChars(request->paper->name, 0xFFFF);
    DWORD sepChars = dma_CountWideChars(separator, PAPER_TEXT_CHARS);
    DWORD capacity = nameChars + sepChars + PAPER_TEXT_CHARS + 2 * NUMBER_CHARS + 1;
    WCHAR *text = (WCHAR *)util_GlobalAllocZero(capacity * sizeof(WCHAR));
    if (!text) {
        return nullptr;
    }
    CopyMemory(text, request->paper->name, nameChars * sizeof(WCHAR));
    CopyMemory(text + nameChars, separator, sepChars * sizeof(WCHAR));
    DWORD used = nameChars + sepChars;
    util_FormatText(text + used, (int)(capacity - used), frame, width, height);
    return text;
}
