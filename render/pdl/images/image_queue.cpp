/*
 * The image queue's records: creation with the job's spill file, the node list and its
 * operations.
 */
#include "render/pdl/images/image_queue.h"

#include <string.h>

/* Compression method by image mode: mode 1 the run coder, 2 JPEG, others none. */
static const BYTE kSpillMethods[] = {1, 8, 4};

BYTE img_SpillMethod(DWORD imageMode)
{
    return imageMode < sizeof(kSpillMethods) ? kSpillMethods[imageMode] : 1;
}

LONG img_CreateImageQueue(ImageSpillFile **spill, ImageQueue **queue, DWORD imageMode, HMODULE module)
{
    if (spill == NULL || queue == NULL) {
        return IMG_QUEUE_NO_MEMORY;
    }
    *spill = NULL;
    *queue = NULL;
    ImageSpillFile *file = (ImageSpillFile *)GlobalAlloc(GPTR, sizeof(ImageSpillFile));
    if (file == NULL) {
        return IMG_QUEUE_NO_MEMORY;
    }
    if (spl_InitTempFile(&file->file, FALSE, module) != 0) {
        GlobalFree(file);
        return IMG_QUEUE_NO_SPILL;
    }
    file->method = img_SpillMethod(imageMode);
    ImageQueue *made = (ImageQueue *)GlobalAlloc(GPTR, sizeof(ImageQueue));
    if (made == NULL) {
        GlobalFree(file);
        return IMG_QUEUE_NO_MEMORY;
    }
    *spill = file;
    *queue = made;
    return 0;
}

LONG img_DestroyImageQueue(ImageSpillFile *spill, ImageQueue *queue)
{
    LONG result = 0;
    if (spill != NULL) {
        if (spl_IsTempFileOpen(&spill->file) == 1 && spl_DeleteTempFile(&spill->file) != 0) {
            result = -1;
        }
        GlobalFree(spill);
    }
    if (queue != NULL) {
        img_DestroyQueueObject(&queue);
    }
    return result;
}

ImageQueueNode *img_QueueAppend(ImageQueue *queue)
{
    if (queue == NULL) {
        return NULL;
    }
    ImageQueueNode *node = (ImageQueueNode *)GlobalAlloc(GPTR, sizeof(ImageQueueNode));
    if (node == NULL) {
        return NULL;
    }
    node->previous = queue->last;
    if (queue->last != NULL) {
        queue->last->next = node;
    } else {
        queue->first = node;
    }
    queue->last = node;
    queue->count++;
    return node;
}

// queue_FreeData: the node's data block (unlocked first).
static void queue_FreeData(ImageQueueNode *node)
{
    if (node->data != NULL) {
        if (node->locked != NULL) {
            GlobalUnlock(node->data);
        }
        GlobalFree(node->data);
    }
    node->data = NULL;
    node->locked = NULL;
}

LONG img_QueueRemove(ImageQueue *queue, ImageQueueNode *node, BOOL freeData, BOOL freePath)
{
    if (queue == NULL || node == NULL) {
        return -1;
    }
    // Only the ends of the list are removed: images leave in drawing order.
    if (node != queue->first && node != queue->last) {
        return -1;
    }
    if (node->previous != NULL) {
        node->previous->next = node->next;
    } else {
        queue->first = node->next;
    }
    if (node->next != NULL) {
        node->next->previous = node->previous;
    } else {
        queue->last = node->previous;
    }
    if (freeData) {
        queue_FreeData(node);
    }
    if (freePath && node->geometry.points != NULL) {
        GlobalFree(node->geometry.points);
    }
    GlobalFree(node);
    queue->count--;
    return 0;
}

LONG img_QueueFirst(ImageQueue *queue, BOOL first, ImageQueueNode **node)
{
    if (queue == NULL || node == NULL) {
        return -1;
    }
    *node = first ? queue->first : queue->last;
    return *node != NULL ? 0 : 1;
}

LONG img_QueueNext(ImageQueue *queue, ImageQueueNode *node, ImageQueueNode **next)
{
    if (queue == NULL || node == NULL || next == NULL) {
        return -1;
    }
    *next = node->next;
    return *next != NULL ? 0 : 1;
}

LONG img_QueueGetGeometry(const ImageQueueNode *node, ImageGeometry *geometry)
{
    if (node == NULL || geometry == NULL) {
        return -1;
    }
    *geometry = node->geometry;
    return 0;
}

LONG img_QueueSetGeometry(ImageQueueNode *node, const ImageGeometry *geometry)
{
    if (node == NULL || geometry == NULL) {
        return -1;
    }
    node->geometry = *geometry;
    return 0;
}

LONG img_QueueGetHeader(const ImageQueueNode *node, ImageHeader *header, WORD *word)
{
    if (node == NULL || header == NULL) {
        return -1;
    }
    *header = node->header;
    if (word != NULL) {
        *word = node->headerWord;
    }
    return 0;
}

LONG img_QueueSetHeader(ImageQueueNode *node, const ImageHeader *header, WORD word)
{
    if (node == NULL || header == NULL) {
        return -1;
    }
    node->header = *header;
    node->headerWord = word;
    return 0;
}

LONG img_QueueGetData(ImageQueueNode *node, BYTE **data, HGLOBAL *handle)
{
    if (node == NULL || data == NULL || node->data == NULL) {
        return -1;
    }
    if (node->locked == NULL) {
        node->locked = (BYTE *)GlobalLock(node->data);
        if (node->locked == NULL) {
            return -1;
        }
    }
    *data = node->locked;
    if (handle != NULL) {
        *handle = node->data;
    }
    return 0;
}

LONG img_QueueAttachData(ImageQueueNode *node, BYTE *locked, HGLOBAL handle)
{
    if (node == NULL || handle == NULL) {
        return -1;
    }
    if (node->data != NULL && node->data != handle) {
        return -1;
    }
    if (locked != NULL) {
        GlobalUnlock(handle);
    }
    node->data = handle;
    node->locked = NULL;
    return 0;
}

LONG img_QueueClear(ImageQueue *queue)
{
    if (queue == NULL) {
        return -1;
    }
    while (queue->first != NULL) {
        img_QueueRemove(queue, queue->first, TRUE, TRUE);
    }
    return 0;
}

LONG img_DestroyQueueObject(ImageQueue **queue)
{
    if (queue == NULL || *queue == NULL) {
        return -1;
    }
    img_QueueClear(*queue);
    GlobalFree(*queue);
    *queue = NULL;
    return 0;
}
