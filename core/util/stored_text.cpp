/*
 * Stored text of the protected text settings: the ANSI bytes of the text, scrambled and
 * base64-encoded, kept as wide text; and back.
 */
#include "core/util/codepage_text.h"

#include "core/util/base64.h"
#include "core/util/global_block.h"

static WCHAR *encode_text(const WCHAR *text);
static WCHAR *decode_text(const WCHAR *text);

/* Stored wide text back to plain wide text; NULL on failure. */
static WCHAR *decode_text(const WCHAR *text)
{
    DWORD length = 0;
    char *ascii = util_WideToCodePageAlloc(CP_ACP, text, &length);
    if (ascii == nullptr)
        return nullptr;
    int capacity = 3 * (((int)length + 3) / 4);
    BYTE *scrambled = (BYTE *)util_GlobalAllocZero((DWORD)capacity + 1);
    BYTE *plain = (BYTE *)util_GlobalAllocZero((DWORD)capacity + 1);
    WCHAR *result = nullptr;
    int decoded = 0;
    int written = 0;
    if (scrambled != nullptr && plain != nullptr &&
        util_Base64Decode(ascii, (int)length, scrambled, &decoded, capacity) == UTIL_CODEC_OK) {
        if (decoded == 0)
            result = util_DupWide(TEXT(""));
        else if (util_ScrambleBytes(scrambled, decoded, plain, &written, capacity) == UTIL_CODEC_OK)
            result = util_CodePageToWideAlloc(CP_ACP, (const char *)plain, nullptr);
    }
    util_GlobalFreeIfSet(plain);
    util_GlobalFreeIfSet(scrambled);
    GlobalFree(ascii);
    return result;
}

/* Plain wide text to stored wide text; NULL on failure. */
static WCHAR *encode_text(const WCHAR *text)
{
    DWORD length = 0;
    char *ansi = util_WideToCodePageAlloc(CP_ACP, text, &length);
    if (ansi == nullptr)
        return nullptr;
    int capacity = ((int)length + 2) / 3 * 4 + 1;
    BYTE *scrambled = (BYTE *)util_GlobalAllocZero(length);
    char *encoded = (char *)util_GlobalAllocZero((DWORD)capacity + 1);
    WCHAR *result = nullptr;
    int written = 0;
    int characters = 0;
    if (scrambled != nullptr && encoded != nullptr &&
        util_ScrambleBytes((const BYTE *)ansi, (int)length, scrambled, &written, (int)length) == UTIL_CODEC_OK &&
        util_Base64Encode(scrambled, written, encoded, &characters, capacity) == UTIL_CODEC_OK) {
        encoded[characters] = 0;
        result = util_CodePageToWideAlloc(CP_ACP, encoded, nullptr);
    }
    util_GlobalFreeIfSet(encoded);
    util_GlobalFreeIfSet(scrambled);
    GlobalFree(ansi);
    return result;
}

BOOL WINAPI util_TranscodeStoredText(TranscodeRequest *request)
{
    if (request == nullptr)
        return FALSE;
    request->result = nullptr;
    if (request->text == nullptr)
        return FALSE;
    if (request->mode != UTIL_TRANSCODE_ENCODE && request->mode != UTIL_TRANSCODE_DECODE)
        return FALSE;
    if (request->text[0] == 0)
        request->result = util_DupWide(TEXT(""));
    else if (request->mode == UTIL_TRANSCODE_ENCODE)
        request->result = encode_text(request->text);
    else
        request->result = decode_text(request->text);
    return request->result != nullptr;
}
