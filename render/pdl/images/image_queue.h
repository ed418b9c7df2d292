/*
 * The deferred image queue of a job: raster images kept until the page's colour
 * conversion is done, then written in the order they were drawn, and the job's image
 * spill file that compression uses as scratch space. Job control creates both at job
 * open and destroys them when the job is released; the drawing entry points, page end
 * and the escapes that write flush the queue.
 */
#ifndef QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H
#define QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H

#include <windows.h>

#include "platform/include/qm_layout.h"
#include "render/pdl/writer/image_header.h"
#include "render/stream/temp_file.h"

struct PDEV;

/* ImageGeometry: the destination and clip of a queued image. */
typedef struct ImageGeometry {
    RECTL dest;
    ULONG clipUniq; /* the first 24 bytes of the CLIPOBJ */
    RECTL clipBounds;
    BYTE dComplexity;
    BYTE fComplexity;
    BYTE mode;
    BYTE options;
    BYTE *points; /* complex clipping: the clip path as a path copy, else NULL */
    DWORD pointCount;
    DWORD pointBytes;
} ImageGeometry;

static_assert(sizeof(ImageGeometry) == QM_LAYOUT(52, 56), "ImageGeometry");

/* ImageQueueNode: one queued image (global memory, zeroed). */
typedef struct ImageQueueNode {
    struct ImageQueueNode *next;
    ImageGeometry geometry;
    ImageHeader header;
    WORD headerWord; /* kept beside the header */
    HGLOBAL data;    /* movable block of the converted pixel data */
    BYTE *locked;    /* its locked pointer, NULL while unlocked */
    struct ImageQueueNode *previous;
} ImageQueueNode;

static_assert(sizeof(ImageQueueNode) == QM_LAYOUT(132, 160), "ImageQueueNode");

/* ImageQueue: the nodes in drawing order (global memory, zeroed). */
typedef struct ImageQueue {
    DWORD count;
    ImageQueueNode *first;
    ImageQueueNode *last;
} ImageQueue;

/* ImageSpillFile: the job's image spill file and the compression method it stands for. */
typedef struct ImageSpillFile {
    TempJobFile file;
    BYTE method; /* 8 for image mode 1, 4 for 2, else 1 */
} ImageSpillFile;

/* Answers of img_CreateImageQueue. */
#define IMG_QUEUE_NO_MEMORY 254
#define IMG_QUEUE_NO_SPILL 255

/* img_SpillMethod: the compression method of an image mode (setting 330). */
BYTE img_SpillMethod(DWORD imageMode);

/*
 * img_CreateImageQueue: the job's spill file record (no file yet) and queue. 0; 254
 * without memory, 255 when the spill file record could not be set up; on failure nothing
 * stays allocated and both outputs are NULL.
 */
LONG img_CreateImageQueue(ImageSpillFile **spill, ImageQueue **queue, DWORD imageMode, HMODULE module);

/* img_DestroyImageQueue: deletes the spill file when open and frees its record, clears
 * and frees the queue. 0, -1 when the file could not be deleted. */
LONG img_DestroyImageQueue(ImageSpillFile *spill, ImageQueue *queue);

/* Node operations; each answers -1 for a missing argument. */
ImageQueueNode *img_QueueAppend(ImageQueue *queue);
LONG img_QueueRemove(ImageQueue *queue, ImageQueueNode *node, BOOL freeData, BOOL freePath);
LONG img_QueueFirst(ImageQueue *queue, BOOL first, ImageQueueNode **node);
LONG img_QueueNext(ImageQueue *queue, ImageQueueNode *node, ImageQueueNode **next);
LONG img_QueueGetGeometry(const ImageQueueNode *node, ImageGeometry *geometry);
LONG img_QueueSetGeometry(ImageQueueNode *node, const ImageGeometry *geometry);
LONG img_QueueGetHeader(const ImageQueueNode *node, ImageHeader *header, WORD *word);
LONG img_QueueSetHeader(ImageQueueNode *node, const ImageHeader *header, WORD word);
LONG img_QueueGetData(ImageQueueNode *node, BYTE **data, HGLOBAL *handle);
LONG img_QueueAttachData(ImageQueueNode *node, BYTE *locked, HGLOBAL handle);
LONG img_QueueClear(ImageQueue *queue);
LONG img_DestroyQueueObject(ImageQueue **queue);

#ifdef __cplusplus
extern "C" {
#endif

/* img_FlushImageQueue: converts and writes the page's queued images (last: page end).
 * 0, or -1 when they could not go out (the page's queued images are then dropped). */
LONG WINAPI img_FlushImageQueue(struct PDEV *pdev, DWORD last);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H */
