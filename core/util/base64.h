/*
 * Base64 (standard alphabet, "=" padding) over narrow characters, used to keep scrambled
 * text settings as text. Status codes are those of core/util/scramble_bytes.h.
 */
#ifndef QM_CORE_UTIL_BASE64_H
#define QM_CORE_UTIL_BASE64_H

#include "core/util/scramble_bytes.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * util_Base64Encode: encodes n bytes into 4 x ceil(n / 3) characters, no terminator.
 * source: in; output: out, capacity characters; written: out. The capacity must hold both
 * n x 4 / 3 + 1 and the 4 x ceil(n / 3) characters written, else -3 and nothing written.
 * Returns 0, -1, -2 or -3.
 */
int WINAPI util_Base64Encode(const BYTE *source, int n, char *output, int *written, int capacity);

/*
 * util_Base64Decode: decodes text of the given length, skipping white space, stopping at
 * the first group without its second or third character, at "=" padding, at a zero or at
 * the end of the length. Characters outside the alphabet count as value 0. output: out,
 * capacity bytes, at least 3 x ((length + 3) / 4) else -3; written: out. Never reads past
 * length nor writes past capacity. Returns 0, -1, -2 or -3.
 */
int WINAPI util_Base64Decode(const char *text, int length, BYTE *output, int *written, int capacity);

/* util_IsBase64Space: 1 for the characters 9 to 13 and 32, else 0. */
BOOL WINAPI util_IsBase64Space(int c);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_UTIL_BASE64_H */
