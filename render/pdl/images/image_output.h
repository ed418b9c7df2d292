/*
 * Raster image output: a source bitmap, handed over by the blit core with its
 * translation, destination and clip, written as the colour image command (with mask
 * rows when a mask is given) or as a one-bit mask image.
 */
#ifndef QM_RENDER_PDL_IMAGES_IMAGE_OUTPUT_H
#define QM_RENDER_PDL_IMAGES_IMAGE_OUTPUT_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/images/image_queue.h"
#include "render/pdl/images/raster_image.h"
#include "render/pdl/images/reducer.h"

struct PDEV;
struct PdlWriter;
struct ColorSession;
struct ColorSet;
struct CompressDllTable;

/* ImageServices: the job's pieces image output uses, as the driver hands them over. */
typedef struct ImageServices {
    struct PDEV *pdev;
    struct PdlWriter *writer;
    ImageQueue *queue;            /* NULL: none */
    ImageSpillFile *spill;        /* NULL: images stay uncompressed */
    struct ColorSession *session; /* NULL: colours go out as they are */
    struct ColorSet *colorSet;
    RotateBuffer *rotate; /* NULL: nothing is rotated */
    struct CompressDllTable *component;
    DWORD rotateImages; /* the rotate-images state of the page */
} ImageServices;

/* img_GetServices: the services of the PDEV's job (the driver defines it). 0, -1 for a
 * PDEV without a job. */
LONG img_GetServices(struct PDEV *pdev, ImageServices *services);

/* img_FailImageJob: a write failed: the PDEV's job fails (the driver defines it). */
void img_FailImageJob(struct PDEV *pdev);

/* img_CaptureClip: the clip of pco stored in geometry (complex clipping: its path copied;
 * the driver defines it). 0, -1 when the path could not be copied. */
LONG img_CaptureClip(struct PDEV *pdev, CLIPOBJ *pco, ImageGeometry *geometry);

/* img_ApplyGeometryClip: the clip stored in geometry sent for what follows (the driver
 * defines it). 0, -1 when it could not be written. */
LONG img_ApplyGeometryClip(struct PDEV *pdev, const ImageGeometry *geometry);

/* img_PrepareImageColor: tells the job's colour session the coming image (bits a pixel,
 * rop = raster-operation kind << 8 | code); answers as clr_PrepareColor (6 and 8: the
 * queue is to be flushed first), 0 without a session (the driver defines it). */
LONG img_PrepareImageColor(struct PDEV *pdev, DWORD bits, DWORD rop, DWORD width, DWORD height);

/* ImageRequest: one image the blit core sends. */
typedef struct ImageRequest {
    SURFOBJ *source;
    SURFOBJ *mask; /* NULL: none */
    XLATEOBJ *pxlo;
    DWORD width; /* the source area */
    DWORD height;
    POINTL sourceOrigin;
    POINTL maskOrigin;
    Reducer *reducer; /* NULL: full size */
    RECTL dest;       /* left, top is the origin */
    float placement[6];
    CLIPOBJ *pco;
    DWORD ropKind;
    DWORD ropCode;
    DWORD rotate; /* 1: the image is turned with the page (never with a mask) */
} ImageRequest;

/* img_OutputImage: the colour image command, its mask rows and data, or the image
 * queued while colour conversion works page-wide. 1 written or queued, 0 failed. */
LONG img_OutputImage(const ImageServices *services, const ImageRequest *request);

/* img_QueueImage: a converted 24-bit image appended to the queue with its geometry and
 * header; its data block (locked at locked) changes hands. 0; -2 without memory for the node; -1 other
 * failures (nothing queued, the block stays the caller's). */
LONG img_QueueImage(const ImageServices *services, const ImageRequest *request, const ImageHeader *header, BYTE *locked,
                    HGLOBAL data);

/* img_EmitQueuedImages: writes and removes every queued image in drawing order. 1 all
 * written, 0 a failure. */
LONG img_EmitQueuedImages(const ImageServices *services);

/* img_OutputWhiteMask: the one-bit mask image of a black-and-white source. 1 / 0. */
LONG img_OutputWhiteMask(const ImageServices *services, const ImageRequest *request);

/* img_WhiteMaskInvert: the invert flag of a one-bit mask image: 1 for code 184, flipped
 * for 1-bit sources whose palette entry 0 is not black. */
int img_WhiteMaskInvert(const SURFOBJ *source, XLATEOBJ *pxlo, DWORD ropCode);

#endif /* QM_RENDER_PDL_IMAGES_IMAGE_OUTPUT_H */
