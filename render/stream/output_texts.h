/*
 * The message strings of the output code: their ids in the resource module's string
 * table and the built-in texts used when the module lacks them.
 */
#ifndef QM_RENDER_STREAM_OUTPUT_TEXTS_H
#define QM_RENDER_STREAM_OUTPUT_TEXTS_H

#include <windows.h>

#define OUT_STR_FOLDER_FAILED 2    // an output folder level could not be made
#define OUT_STR_USER_FILE_WRITE 4  // writing the user's output file failed
#define OUT_STR_TEMP_FILE_WRITE 5  // writing a temporary job file failed (format with %c)
#define OUT_STR_CAPTION 6          // caption of every output message box
#define OUT_STR_FILE_EXTENSION 451 // extension of the user's output file

// Caption when string 6 is missing.
#define OUT_TEXT_CAPTION TEXT("\u8B66\u544A")

// Retry question of a temporary file when string 5 is missing; %c is the drive letter.
#define OUT_TEXT_TEMP_FILE_WRITE                                                                            \
    TEXT("\u5370\u5237\u4F5C\u696D\u30D5\u30A1\u30A4\u30EB\u306B\u66F8\u304D\u8FBC\u3081\u307E\u305B\u3093" \
         "\u3067\u3057\u305F\u3002\n%c\u30C9\u30E9\u30A4\u30D6\u306B\u5341\u5206\u306A\u7A7A\u304D\u304C"   \
         "\u3042\u308B\u304B\u3069\u3046\u304B\u78BA\u8A8D\u3057\u3066\u304F\u3060\u3055\u3044\u3002\n\n[O" \
         "K]\u3092\u62BC\u3059\u3068\u518D\u8A66\u884C\u3057\u307E\u3059\u3002\n[\u30AD\u30E3\u30F3\u30BB"  \
         "\u30EB]\u3092\u62BC\u3059\u3068\u5370\u5237\u3092\u4E2D\u6B62\u3057\u307E\u3059\u3002")

// Loads string id of the module into buffer (capacity characters, terminated).
// Returns TRUE when the module has the string, FALSE (buffer empty) otherwise.
BOOL out_LoadText(HMODULE module, UINT id, LPWSTR buffer, int capacity);

#endif /* QM_RENDER_STREAM_OUTPUT_TEXTS_H */
