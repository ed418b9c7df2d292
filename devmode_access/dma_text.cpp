/*
 * Text in the ANSI code page: the conversions between the callers' narrow texts and the
 * settings' wide texts. Bytes that form no valid text of the code page are refused (the
 * one place that decides it); wide characters without a narrow form become "?".
 */
#include "devmode_access/dma_private.h"

#include <string.h>

/* Bytes of a narrow text up to its zero, at most max. */
static DWORD dma_NarrowLength(const char *text, DWORD max)
{
    DWORD n = 0;
    while (n < max && text[n] != 0)
        ++n;
    return n;
}

/*
 * A wide text, up to its zero and at most maxChars characters, in the ANSI code page with
 * a terminator; exact: characters without a form of their own refuse the text. output: written only when the whole text
 * fits. Returns the bytes needed with the terminator, 0 when conversion fails.
 */
static DWORD dma_ConvertWide(const WCHAR *text, DWORD maxChars, char *output, DWORD size, BOOL exact)
{
    DWORD n = dma_CountWideChars(text, maxChars);
    if (n == 0) {
        if (output != nullptr && size >= 1)
            output[0] = 0;
        return 1;
    }
    DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL substituted = FALSE;
    BOOL *check = exact ? &substituted : nullptr;
    int bytes = WideCharToMultiByte(CP_ACP, flags, text, (int)n, nullptr, 0, nullptr, check);
    if (bytes <= 0 || substituted)
        return 0;
    DWORD needed = (DWORD)bytes + 1;
    if (output == nullptr || size < needed)
        return needed;
    if (WideCharToMultiByte(CP_ACP, flags, text, (int)n, output, bytes, nullptr, nullptr) != bytes)
        return 0;
    output[bytes] = 0;
    return needed;
}

LONG dma_AnsiToWide(const char *text, DWORD length, WCHAR *output, DWORD chars, DWORD *written)
{
    DWORD n = dma_NarrowLength(text, length);
    int count = 0;
    if (n > 0) {
        count = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, (int)n, nullptr, 0);
        if (count <= 0)
            return DMA_BAD_ARGUMENT;
    }
    if ((DWORD)count + 1 > chars)
        return DMA_TOO_LONG;
    if (n > 0 && MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, (int)n, output, count) != count)
        return DMA_BAD_ARGUMENT;
    output[count] = 0;
    if (written != nullptr)
        *written = (DWORD)count;
    return DMA_SUCCESS;
}

void dma_LoadWide(const BYTE *storage, DWORD bytes, WCHAR *buffer)
{
    memcpy(buffer, storage, bytes / 2 * sizeof(WCHAR));
    buffer[bytes / 2] = 0;
}

DWORD dma_WideToAnsi(const WCHAR *text, DWORD maxChars, char *output, DWORD size)
{
    return dma_ConvertWide(text, maxChars, output, size, FALSE);
}

DWORD dma_WideToAnsiExact(const WCHAR *text, DWORD maxChars, char *output, DWORD size)
{
    return dma_ConvertWide(text, maxChars, output, size, TRUE);
}
