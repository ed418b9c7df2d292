/*
 * MD5 message digest (RFC 1321), the hash of the printer id. Written here rather than
 * taken from a platform library, which the driver modules do not load.
 */
#include "core/user_registry/user_registry.h"

#include <string.h>

/* The running state of one digest. */
typedef struct Md5State {
    DWORD a, b, c, d;
} Md5State;

/* Per-round shift amounts, four for each of the four rounds. */
static const BYTE kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

/* The sine table: floor(abs(sin(i + 1)) * 2^32) for i = 0..63. */
static const DWORD kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

static DWORD md5_Rotate(DWORD value, BYTE count)
{
    return (value << count) | (value >> (32 - count));
}

/* Runs the four rounds over one 64-byte block. */
static void md5_Block(Md5State *state, const BYTE *block)
{
    DWORD x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = (DWORD)block[4 * i] | ((DWORD)block[4 * i + 1] << 8) | ((DWORD)block[4 * i + 2] << 16) |
               ((DWORD)block[4 * i + 3] << 24);
    DWORD a = state->a;
    DWORD b = state->b;
    DWORD c = state->c;
    DWORD d = state->d;
    for (int i = 0; i < 64; ++i) {
        int round = i / 16;
        DWORD f;
        int k;
        if (round == 0) {
            f = (b & c) | (~b & d);
            k = i;
        } else if (round == 1) {
            f = (d & b) | (~d & c);
            k = (5 * i + 1) % 16;
        } else if (round == 2) {
            f = b ^ c ^ d;
            k = (3 * i + 5) % 16;
        } else {
            f = c ^ (b | ~d);
            k = (7 * i) % 16;
        }
        DWORD next = b + md5_Rotate(a + f + kSines[i] + x[k], kShifts[round][i % 4]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state->a += a;
    state->b += b;
    state->c += c;
    state->d += d;
}

void ureg_Md5(const void *data, DWORD size, BYTE *digest)
{
    Md5State state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    const BYTE *bytes = (const BYTE *)data;
    DWORD whole = size / 64 * 64;
    for (DWORD at = 0; at < whole; at += 64)
        md5_Block(&state, bytes + at);
    /* The tail, the 0x80 marker, zeros and the bit count in one or two blocks. */
    BYTE tail[128] = {0};
    DWORD rest = size - whole;
    if (rest)
        memcpy(tail, bytes + whole, rest);
    tail[rest] = 0x80;
    DWORD tailSize = rest < 56 ? 64 : 128;
    unsigned long long bits = (unsigned long long)size * 8;
    for (int i = 0; i < 8; ++i)
        tail[tailSize - 8 + i] = (BYTE)(bits >> (8 * i));
    for (DWORD at = 0; at < tailSize; at += 64)
        md5_Block(&state, tail + at);
    const DWORD words[4] = {state.a, state.b, state.c, state.d};
    for (int i = 0; i < 16; ++i)
        digest[i] = (BYTE)(words[i / 4] >> (8 * (i % 4)));
}
