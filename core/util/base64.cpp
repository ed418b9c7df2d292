/* Base64 encoding and decoding. */
#include "core/util/base64.h"

static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

static int char_at(const char *text, int length, int position);
static BYTE value_of(int c);

/* The character at position, or 0 at or past the end of the text's length. */
static int char_at(const char *text, int length, int position)
{
    return position < length ? (unsigned char)text[position] : 0;
}

/* The 6-bit value of an alphabet character; any other character gives 0. */
static BYTE value_of(int c)
{
    if (c >= 'A' && c <= 'Z')
        return (BYTE)(c - 'A');
    if (c >= 'a' && c <= 'z')
        return (BYTE)(c - 'a' + 26);
    if (c >= '0' && c <= '9')
        return (BYTE)(c - '0' + 52);
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}

int WINAPI util_Base64Decode(const char *text, int length, BYTE *output, int *written, int capacity)
{
    if (text == nullptr || output == nullptr || written == nullptr)
        return UTIL_CODEC_NULL;
    if (length <= 0 || capacity <= 0)
        return UTIL_CODEC_LENGTH;
    int groups = (length + 3) / 4;
    if (capacity < 3 * groups)
        return UTIL_CODEC_CAPACITY;
    *written = 0;
    int limit = 4 * groups;
    int p = 0;
    while (util_IsBase64Space(char_at(text, length, p)))
        p++;
    while (char_at(text, length, p) != 0 && p < limit) {
        int c[4];
        for (int k = 0; k < 4; k++) {
            while (util_IsBase64Space(char_at(text, length, p)))
                p++;
            c[k] = char_at(text, length, p);
            if (c[k] != 0)
                p++;
        }
        if (c[1] == 0 || c[2] == 0)
            break;
        output[(*written)++] = (BYTE)(value_of(c[0]) << 2 | value_of(c[1]) >> 4);
        if (c[2] == '=' || c[3] == 0)
            break;
        output[(*written)++] = (BYTE)(value_of(c[1]) << 4 | value_of(c[2]) >> 2);
        if (c[3] == '=')
            break;
        output[(*written)++] = (BYTE)(value_of(c[2]) << 6 | value_of(c[3]));
        while (util_IsBase64Space(char_at(text, length, p)))
            p++;
    }
    return UTIL_CODEC_OK;
}

int WINAPI util_Base64Encode(const BYTE *source, int n, char *output, int *written, int capacity)
{
    if (source == nullptr || output == nullptr || written == nullptr)
        return UTIL_CODEC_NULL;
    if (n <= 0 || capacity <= 0)
        return UTIL_CODEC_LENGTH;
    // The minimum capacity n * 4 / 3 + 1 can lie below the characters written (n = 4 writes
    // 8 characters against a minimum of 6): both must fit, so nothing is written past it.
    int needed = (n + 2) / 3 * 4;
    if (capacity < n * 4 / 3 + 1 || capacity < needed)
        return UTIL_CODEC_CAPACITY;
    int out = 0;
    for (int i = 0; i < n; i += 3) {
        int left = n - i;
        DWORD group = (DWORD)source[i] << 16;
        if (left > 1)
            group |= (DWORD)source[i + 1] << 8;
        if (left > 2)
            group |= source[i + 2];
        output[out++] = kAlphabet[(group >> 18) & 63];
        output[out++] = kAlphabet[(group >> 12) & 63];
        output[out++] = left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        output[out++] = left > 2 ? kAlphabet[group & 63] : '=';
    }
    *written = out;
    return UTIL_CODEC_OK;
}

BOOL WINAPI util_IsBase64Space(int c)
{
    return (c >= 9 && c <= 13) || c == 32;
}
