/* The settings scrambler. */
#include "core/util/scramble_bytes.h"

/* The scrambler's key: the letters "kvud". */
static const BYTE kScrambleKey[4] = {'k', 'v', 'u', 'd'};

int WINAPI util_ScrambleBytes(const BYTE *source, int length, BYTE *output, int *written, int capacity)
{
    if (source == nullptr || output == nullptr || written == nullptr)
        return UTIL_CODEC_NULL;
    if (length <= 0 || capacity <= 0)
        return UTIL_CODEC_LENGTH;
    *written = 0;
    int i = 0;
    for (; i + 4 <= length; i += 4) {
        if (*written + 4 > capacity)
            return UTIL_CODEC_CAPACITY;
        for (int k = 0; k < 4; k++)
            output[i + k] = (BYTE)(source[i + k] ^ kScrambleKey[k]);
        *written += 4;
    }
    int left = length - i;
    if (left == 0)
        return UTIL_CODEC_OK;
    if (*written + left > capacity)
        return UTIL_CODEC_CAPACITY;
    for (int k = 0; k < left; k++)
        output[i + k] = (BYTE)(source[i + k] ^ kScrambleKey[k]);
    *written += left;
    return UTIL_CODEC_OK;
}
