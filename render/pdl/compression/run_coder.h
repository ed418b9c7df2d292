/*
 * The run coder (compression method 8): a lossless coder of scan lines, each coded
 * against its left neighbour and the previous line as runs of five move-to-front
 * references and literal differences. Its bit stream is decoded by the printer.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_RUN_CODER_H
#define QM_RENDER_PDL_COMPRESSION_RUN_CODER_H

#include <windows.h>

struct TempJobFile;

#ifdef __cplusplus
extern "C" {
#endif

/* The longest run one length code carries. */
#define RC_MAX_PIECE 17057

/* Bits are packed most significant first; the partial byte carries from line to line. */
typedef struct BitWriter {
    WORD bitCount; /* 0..7 between calls */
    WORD pending;  /* the partial output byte, filled from bit 7 downward */
    DWORD mode;    /* 0 or 1: the token table */
    DWORD length;  /* bytes written into output */
    BYTE *output;
    DWORD capacity;
} BitWriter;

typedef struct RunCoder {
    LONG state;      /* 1 usable, 0 more lines than announced, -4 output overflow */
    DWORD lineLimit; /* 0: no limit */
    DWORD lines;
    DWORD width;
    DWORD lineLength; /* bytes of a line in its buffer */
    DWORD pixelBytes; /* 1 or 4 in the buffer */
    DWORD channels;   /* 1, 3 or 4: differences of a literal */
    BYTE fill;
    BYTE *current; /* line buffers of lineLength + 20 bytes, used from offset 8 */
    BYTE *previous;
    BitWriter bits;
    DWORD runLength; /* the pending run's length so far (0: none) */
    DWORD runIndex;  /* its reference (0..4) */
    DWORD runValue;  /* reference 0's value: the pixel left of where the run began */
    DWORD endedRun;  /* the last token was a run whose length was not a multiple of 17057 */
    LONG counter;    /* the line's mode counter */
    BYTE references[5];
} RunCoder;

/* rc_Create: a coder for lines of width pixels of bits 8, 24 or 32; lineLimit lines at
 * most (0: no limit). NULL for other bits, a line of more than 65535 - 20 bytes, or no
 * memory. */
RunCoder *WINAPI rc_Create(DWORD width, DWORD lineLimit, DWORD bits);

/* rc_CompressLine: codes one line (width pixels of 1, 3 or 4 bytes) into output. The
 * bytes written for this line (0 possible), or negative: more lines than announced, or
 * the output full. */
LONG WINAPI rc_CompressLine(RunCoder *coder, const BYTE *line, BYTE *output, DWORD capacity);

/* rc_Finish: the pending run, the closing code and the last partial byte into output;
 * the bytes written, -1 on overflow. Frees the coder in every case (output NULL: only
 * frees). */
LONG WINAPI rc_Finish(RunCoder *coder, BYTE *output, DWORD capacity);

/* Results of rc_CompressImage. */
#define RC_DONE 0
#define RC_NO_CODER 2
#define RC_NOT_SMALLER 3
#define RC_NO_LINE 4
#define RC_SPILL_FAILED 5
#define RC_MISSING 16
#define RC_SHORT_READ 0x1005
#define RC_FATAL 0x1000

/*
 * rc_CompressImage: codes the image in data in place: rows of width * 3 bytes (colour type
 * 4) or width bytes apart, height rows, *length bytes. On success (0) data holds the coded
 * stream, *length its size and *method 8. With no memory for a scratch copy, the coded
 * rows go through spill (created when not open). Other results leave data, *length and
 * *method as they were (see RC_*).
 */
LONG WINAPI rc_CompressImage(DWORD width, DWORD *length, struct TempJobFile *spill, DWORD colourType, DWORD height,
                             BYTE *method, BYTE *data);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_RUN_CODER_H */
