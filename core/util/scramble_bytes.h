/*
 * The settings scrambler: bytes combined with a fixed four-byte key, so that a text setting
 * is not readable at a glance in a DEVMODE. Scrambling twice gives the input back.
 */
#ifndef QM_CORE_UTIL_SCRAMBLE_BYTES_H
#define QM_CORE_UTIL_SCRAMBLE_BYTES_H

#include <windows.h>

/* Status codes of the scrambler and the base64 codec. */
#define UTIL_CODEC_OK 0
#define UTIL_CODEC_NULL (-1)     /* a pointer argument is NULL */
#define UTIL_CODEC_LENGTH (-2)   /* input length or output capacity not positive */
#define UTIL_CODEC_CAPACITY (-3) /* output capacity too small */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_ScrambleBytes: output byte i = source byte i XOR key byte (i mod 4), in groups of
 * four and then the 1-3 bytes left. source: in, length bytes; output: out, capacity bytes;
 * written: out, the bytes written (a group that does not fit is not written, and the count
 * stays at the groups before it). Returns 0, -1, -2 or -3.
 */
int WINAPI util_ScrambleBytes(const BYTE *source, int length, BYTE *output, int *written, int capacity);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_SCRAMBLE_BYTES_H */
