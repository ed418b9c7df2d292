/*
 * Shared pieces of the escape handlers: the call as the handlers see it, the answers,
 * the reply checks and the page-state tests.
 */
#ifndef QM_RENDER_DRIVER_ESCAPE_ESCAPE_PRIVATE_H
#define QM_RENDER_DRIVER_ESCAPE_ESCAPE_PRIVATE_H

#include <windows.h>

#include "render/driver/escape/escape.h"

// Answers of the escapes (as LONG; esc_Dispatch hands them back as ULONG).
#define ESC_FAIL (-1)
#define ESC_BAD_OP (-2)
#define ESC_UNDEFINED (-3)
#define ESC_BAD_SIZE (-4)
#define ESC_BAD_VALUE (-5)
#define ESC_NOT_NOW (-6)

// An escape call: the payload and the reply buffer.
struct EscapeCall {
    ULONG code;
    ULONG cjIn;
    const BYTE *in; // NULL when none was given
    ULONG cjOut;
    BYTE *out; // NULL when none was given
};

typedef LONG (*EscapeHandler)(PDEV *pdev, const EscapeCall *call);

// esc_HasInput / esc_HasReply: the payload (reply buffer) is given and holds at least size
// bytes.
BOOL esc_HasInput(const EscapeCall *call, ULONG size);
BOOL esc_HasReply(const EscapeCall *call, ULONG size);

// esc_ReadWord / esc_ReadLong: a 16- or 32-bit value at offset of a checked buffer.
WORD esc_ReadWord(const BYTE *data, ULONG offset);
DWORD esc_ReadLong(const BYTE *data, ULONG offset);
void esc_WriteWord(BYTE *data, ULONG offset, WORD value);
void esc_WriteLong(BYTE *data, ULONG offset, DWORD value);

// esc_ReplyLong: writes value as the 32-bit reply; 1, or -1 without a 4-byte reply buffer.
LONG esc_ReplyLong(const EscapeCall *call, DWORD value);

// esc_IsPageActive: page state bits 0x1 (document open), 0x2 (output begun) and 0x4 (sheet
// open) all set.
BOOL esc_IsPageActive(const PDEV *pdev);

// The counters of the page state that the escapes report: the logical page counter, the
// sheet counter and the job's page word.
WORD esc_LogicalPageCounter(const PDEV *pdev);
WORD esc_SheetCounter(const PDEV *pdev);
WORD esc_PageWord(const PDEV *pdev);

// Handler groups (escape_*.cpp). Each answers the escape of its name.
LONG esc_SetCopyCount(PDEV *pdev, const EscapeCall *call);
LONG esc_Passthrough(PDEV *pdev, const EscapeCall *call);
LONG esc_GetTechnology(PDEV *pdev, const EscapeCall *call);
LONG esc_QuerySetCopyCount(PDEV *pdev);
LONG esc_QueryPassthrough(PDEV *pdev);

LONG esc_ExtendedControl(PDEV *pdev, const EscapeCall *call);
LONG esc_RasterTransfer(PDEV *pdev, const EscapeCall *call);

// Compressions of a raster-transfer image (biCompression).
#define RASTER_COMPRESSION_JPEG 4
#define RASTER_COMPRESSION_PNG 5

// RasterChunk: the values of a raster-transfer record (raster_record.cpp); offsets count
// from the record's start.
struct RasterChunk {
    DWORD headerOffset;
    WORD continuation; // 0: the transfer's first chunk
    WORD rotation;     // degrees
    DWORD count;       // image bytes of the chunk
    DWORD value;       // handed to the image command
    DWORD clipOffset;  // 0: no clip rectangle
    RECTL clip;
    WORD reserved; // the image header's reserved words ORed
    SHORT x, y;
    WORD destWidth, destHeight;
    WORD width, height;
    DWORD dataOffset;
    DWORD infoOffset;
    WORD ropValue;
    LONG infoWidth, infoHeight;
    WORD bitCount;
    DWORD compression;
    DWORD paletteEntries; // of an 8-bit image
    DWORD paletteOffset;
};

// esc_ReadRasterChunk: reads and checks a record of length bytes. 0; -4 (ESC_BAD_SIZE)
// when a part lies beyond the record or the item's byte count is not the data header's
// chunk length; -5 for a reserved word not 0, an image size other than the bitmap
// header's or a rotation other than 0, 90, 180, 270; -1 for a compression other than
// JPEG and PNG. chunk is filled unless the answer is -4.
LONG esc_ReadRasterChunk(const BYTE *record, DWORD length, RasterChunk *chunk);

// esc_RasterPlacement: the image command's placement of an image of width x height drawn
// into destWidth x destHeight (either 0: unscaled) and turned by rotation degrees.
void esc_RasterPlacement(WORD rotation, WORD width, WORD height, WORD destWidth, WORD destHeight, float out[6]);

// esc_RasterPaletteEntries: palette entries of an 8-bit image: used when 1 .. 255, else 256.
DWORD esc_RasterPaletteEntries(DWORD used);
LONG esc_FinishingMode(PDEV *pdev, const EscapeCall *call);
LONG esc_DuplexFinishing(PDEV *pdev, const EscapeCall *call);
LONG esc_KeepExtendedBlock(PDEV *pdev, const EscapeCall *call);
LONG esc_QueryExtended(PDEV *pdev);

LONG esc_PageEndQuery(PDEV *pdev, const EscapeCall *call);
LONG esc_StampSwitch(PDEV *pdev, const EscapeCall *call);
LONG esc_PlaceAnnotation(PDEV *pdev, const EscapeCall *call);
LONG esc_StampRestore(PDEV *pdev, const EscapeCall *call);

LONG esc_GetJobInfo(PDEV *pdev, const EscapeCall *call);
LONG esc_SetJobInfo(PDEV *pdev, const EscapeCall *call);
LONG esc_SetAttrSets(PDEV *pdev, const EscapeCall *call);
LONG esc_SetFaxList(PDEV *pdev, const EscapeCall *call);
LONG esc_SetLocalePaper(PDEV *pdev, const EscapeCall *call);

#endif /* QM_RENDER_DRIVER_ESCAPE_ESCAPE_PRIVATE_H */
