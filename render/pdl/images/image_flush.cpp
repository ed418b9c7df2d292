/*
 * The image queue at work: images queued while colour conversion works page-wide, and
 * the flush that converts them together and writes them in drawing order.
 */
#include "render/pdl/images/image_output.h"

#include <string.h>

#include "render/pdl/colour/colour_session.h"
#include "render/pdl/compression/image_compression.h"
#include "render/pdl/images/row_convert.h"
#include "render/pdl/writer/pdl_writer.h"

LONG img_QueueImage(const ImageServices *s, const ImageRequest *r, const ImageHeader *header, BYTE *locked,
                    HGLOBAL data)
{
    if (s == NULL || r == NULL || header == NULL || data == NULL || s->queue == NULL) {
        return -1;
    }
    ImageGeometry geometry;
    memset(&geometry, 0, sizeof geometry);
    geometry.dest = r->dest;
    if (img_CaptureClip(s->pdev, r->pco, &geometry) != 0) {
        return -1;
    }
    ImageQueueNode *node = img_QueueAppend(s->queue);
    if (node == NULL) {
        if (geometry.points != NULL) {
            GlobalFree(geometry.points);
        }
        return -2;
    }
    img_QueueSetGeometry(node, &geometry);
    img_QueueSetHeader(node, header, 0);
    // The node keeps the block unlocked until the flush.
    if (img_QueueAttachData(node, locked, data) != 0) {
        node->data = NULL;
        img_QueueRemove(s->queue, node, FALSE, TRUE);
        return -1;
    }
    return 0;
}

// flush_Emit: one node written: clip, turn, compression (unless plain), the command and
// the data. 1 written, 0 the write failed, -1 compression failed fatally (nothing written).
static LONG flush_Emit(const ImageServices *s, ImageQueueNode *node, BOOL plain)
{
    ImageHeader header;
    ImageGeometry geometry;
    BYTE *data = NULL;
    img_QueueGetHeader(node, &header, NULL);
    img_QueueGetGeometry(node, &geometry);
    if (img_QueueGetData(node, &data, NULL) != 0) {
        return 0;
    }
    if (pdl_SetRop(s->writer, 2, 204) != 0 || img_ApplyGeometryClip(s->pdev, &geometry) != 0) {
        return 0;
    }
    img_ReverseTriples(data, header.dataBytes / 3);
    if (!plain && s->rotateImages && img_WantsRotation(header.width, header.height, 24)) {
        BYTE *rotated = NULL;
        if (img_Rotate90(s->rotate, header.width, header.height, header.width * 3u, 24, data, 1, &rotated) == 0) {
            WORD width = header.width;
            header.width = header.height;
            header.height = width;
            header.y = (float)geometry.dest.bottom;
            img_RotatePlacement(header.placement);
            data = rotated;
        }
    }
    if (!plain && s->spill != NULL) {
        int ropKind = 0;
        DWORD ropCode = 0;
        pdl_GetRop(s->writer, &ropKind, &ropCode);
        DWORD length = header.dataBytes;
        CompressionRequest request;
        memset(&request, 0, sizeof request);
        request.enabled = 1;
        request.bits = 24;
        request.width = header.width;
        request.height = header.height;
        request.method = &header.compression;
        request.requestedMethod = s->spill->method;
        request.colourType = &header.colorType;
        request.length = &length;
        request.spill = &s->spill->file;
        request.ropKind = (BYTE)ropKind;
        request.ropCode = (BYTE)ropCode;
        request.component = s->component;
        if (img_CompressImage(&request, data) == IMG_COMPRESS_FATAL) {
            return -1;
        }
        header.dataBytes = length;
    }
    if (pdl_WriteImage(s->writer, &header) != 0 || pdl_WriteRawData(s->writer, data, header.dataBytes) != 0) {
        return 0;
    }
    return 1;
}

LONG img_EmitQueuedImages(const ImageServices *s)
{
    if (s == NULL || s->queue == NULL || s->writer == NULL) {
        return 0;
    }
    BOOL plain = FALSE;
    ImageQueueNode *node = NULL;
    while (img_QueueFirst(s->queue, TRUE, &node) == 0) {
        LONG result = flush_Emit(s, node, plain);
        if (result == -1) {
            // From here on the images go out as they are: unturned, uncompressed.
            plain = TRUE;
            result = flush_Emit(s, node, TRUE);
        }
        if (result == 0) {
            img_FailImageJob(s->pdev);
            return 0;
        }
        img_QueueRemove(s->queue, node, TRUE, TRUE);
    }
    return plain ? 0 : 1;
}

// flush_Convert: the page-wide conversion of every queued image, in place. FALSE on failure.
static BOOL flush_Convert(const ImageServices *s, DWORD last)
{
    if (s->session == NULL) {
        return TRUE;
    }
    ColorQueuedImage *images = (ColorQueuedImage *)GlobalAlloc(GPTR, s->queue->count * sizeof(ColorQueuedImage));
    if (images == NULL) {
        return FALSE;
    }
    DWORD count = 0;
    BOOL good = TRUE;
    for (ImageQueueNode *node = s->queue->first; node != NULL && good; node = node->next) {
        BYTE *data = NULL;
        good = img_QueueGetData(node, &data, NULL) == 0;
        images[count].data = data;
        images[count].width = node->header.width;
        images[count].height = node->header.height;
        ++count;
    }
    good = good && clr_ConvertQueuedImages(s->session, images, count, last != 0) == 0;
    GlobalFree(images);
    return good;
}

LONG WINAPI img_FlushImageQueue(struct PDEV *pdev, DWORD last)
{
    ImageServices services;
    if (img_GetServices(pdev, &services) != 0 || services.queue == NULL || services.queue->count == 0) {
        return 0;
    }
    if (!flush_Convert(&services, last) || img_EmitQueuedImages(&services) != 1) {
        img_QueueClear(services.queue);
        return -1;
    }
    return 0;
}
