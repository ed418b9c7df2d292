/*
 * Image compression: the choice of method for one image's pixel data and its compression
 * in place just before the image command is written. Methods: 1 none, 4 JPEG, 6 and 7 the
 * outside compression component (modes 2 and 1), 8 the run coder.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_IMAGE_COMPRESSION_H
#define QM_RENDER_PDL_COMPRESSION_IMAGE_COMPRESSION_H

#include <windows.h>

struct TempJobFile;
struct CompressDllTable;

#ifdef __cplusplus
extern "C" {
#endif

#define IMG_METHOD_NONE 1
#define IMG_METHOD_JPEG 4
#define IMG_METHOD_COMPONENT_2 6
#define IMG_METHOD_COMPONENT_1 7
#define IMG_METHOD_RUN 8

/* Image colour types. */
#define IMG_TYPE_GREY 3
#define IMG_TYPE_RGB 4
#define IMG_TYPE_JPEG 5
#define IMG_TYPE_GREY_PALETTE 10
#define IMG_TYPE_PALETTE 11

/* Data below this size stays uncompressed. */
#define IMG_COMPRESS_THRESHOLD 1024

/* img_CompressImage's answer when the spill file failed: the image failed. */
#define IMG_COMPRESS_FATAL 4096

/* One image's compression, built by the caller. */
typedef struct CompressionRequest {
    DWORD enabled; /* 1: the image may be compressed */
    BYTE bits;     /* 24 RGB; 1, 4, 8 indices; 8 grey */
    WORD width;
    WORD height;
    BYTE *method;         /* the header's method byte (the caller sets 1) */
    WORD requestedMethod; /* the job's method: 8, 4, else 1 (8 forced for widened 4-bit images) */
    BYTE *colourType;     /* the header's colour type (10 may become 3, JPEG makes 5) */
    DWORD *length;        /* the data's byte count */
    struct TempJobFile *spill;
    BYTE ropKind; /* the writer's raster operation */
    BYTE ropCode;
    const BYTE *palette; /* 3-byte entries */
    DWORD paletteEntries;
    DWORD paletteBytes;
    struct CompressDllTable *component; /* the job's image component, or NULL */
} CompressionRequest;

/* img_ChooseCompression: the method for request into *method (1 none). 1 when the data
 * stays uncompressed, else 0. */
LONG WINAPI img_ChooseCompression(const CompressionRequest *request, const BYTE *data, DWORD *method);

/* img_CompressWithMethod: compresses data in place with method. 0 done, 1 left
 * uncompressed, 4096 the spill file failed. */
LONG WINAPI img_CompressWithMethod(const CompressionRequest *request, BYTE *data, DWORD method);

/* img_CompressImage: the choice, then the compression. 0 compressed, 1 left uncompressed
 * (also for a missing argument), 4096 the spill file failed (the image failed). */
LONG WINAPI img_CompressImage(const CompressionRequest *request, BYTE *data);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_IMAGE_COMPRESSION_H */
