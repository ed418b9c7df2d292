/*
 * JPEG output through libjpeg's compression API. The error exit returns by longjmp into
 * jpg_Compress, a C-style function that holds no object with a destructor; no C++
 * exception crosses libjpeg, and the compress object is destroyed on every path. The
 * destination writes each full 4096-byte buffer into the spill file at its offset; a
 * failed write is recorded (the spill pointer cleared) and the image then stays raw.
 */
#include "render/pdl/compression/jpeg_output.h"

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

// The Windows headers already define INT32; libjpeg's own definition is kept out.
#define XMD_H
#include <jpeglib.h>
#include <jerror.h>

#include "platform/include/qm_layout.h"
#include "render/stream/temp_file.h"

/* The destination: libjpeg's fields, the bytes written, the spill file (NULL once a write
 * failed) and the offset of the next buffer write, and the buffer. */
typedef struct JpegDestination {
    struct jpeg_destination_mgr pub;
    DWORD count;
    TempJobFile *spill;
    DWORD offset;
    JOCTET *buffer;
} JpegDestination;

static_assert(sizeof(JpegDestination) == QM_LAYOUT(36, sizeof(JpegDestination)), "JpegDestination is 36 bytes");

typedef struct JpegError {
    struct jpeg_error_mgr pub;
    jmp_buf jump;
} JpegError;

static void jpg_ErrorExit(j_common_ptr cinfo)
{
    longjmp(((JpegError *)cinfo->err)->jump, 1);
}

static void jpg_Silent(j_common_ptr) {}

/* Writes n buffered bytes at the offset; a failure clears the spill pointer. */
static void jpg_WriteBuffer(j_compress_ptr cinfo, JpegDestination *d, DWORD n)
{
    if (d->spill == NULL || n == 0)
        return;
    if (spl_SeekTempFile(d->spill, d->offset) != (LONG)d->offset ||
        spl_WriteTempFile(d->spill, d->buffer, n) != (LONG)n) {
        d->spill = NULL;
        WARNMS(cinfo, JERR_FILE_WRITE);
    }
}

static void jpg_InitDestination(j_compress_ptr cinfo)
{
    JpegDestination *d = (JpegDestination *)cinfo->dest;
    d->buffer = (JOCTET *)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_IMAGE, JPG_BUFFER_SIZE);
    d->pub.next_output_byte = d->buffer;
    d->pub.free_in_buffer = JPG_BUFFER_SIZE;
    d->count = 0;
}

static boolean jpg_EmptyOutputBuffer(j_compress_ptr cinfo)
{
    JpegDestination *d = (JpegDestination *)cinfo->dest;
    jpg_WriteBuffer(cinfo, d, JPG_BUFFER_SIZE);
    d->offset += JPG_BUFFER_SIZE;
    d->count += JPG_BUFFER_SIZE;
    d->pub.next_output_byte = d->buffer;
    d->pub.free_in_buffer = JPG_BUFFER_SIZE;
    return TRUE;
}

static void jpg_TermDestination(j_compress_ptr cinfo)
{
    JpegDestination *d = (JpegDestination *)cinfo->dest;
    DWORD n = JPG_BUFFER_SIZE - (DWORD)d->pub.free_in_buffer;
    jpg_WriteBuffer(cinfo, d, n);
    d->offset += n;
    d->count += n;
}

/* Installs the destination (libjpeg's permanent pool) on the spill file at offset 0. */
static JpegDestination *jpg_SetDestination(j_compress_ptr cinfo, TempJobFile *spill)
{
    JpegDestination *d =
        (JpegDestination *)(*cinfo->mem->alloc_small)((j_common_ptr)cinfo, JPOOL_PERMANENT, sizeof(JpegDestination));
    memset(d, 0, sizeof *d);
    d->pub.init_destination = jpg_InitDestination;
    d->pub.empty_output_buffer = jpg_EmptyOutputBuffer;
    d->pub.term_destination = jpg_TermDestination;
    d->spill = spill;
    cinfo->dest = &d->pub;
    return d;
}

/* Compresses into the spill file: the JPEG's size into *written and whether every write
 * went through into *intact. FALSE after a libjpeg error. */
static BOOL jpg_Compress(TempJobFile *spill, DWORD width, DWORD height, DWORD components, BYTE *data, DWORD *written,
                         BOOL *intact)
{
    struct jpeg_compress_struct cinfo;
    JpegError error;
    memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = jpg_ErrorExit;
    error.pub.output_message = jpg_Silent;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&cinfo);
        return FALSE;
    }
    jpeg_create_compress(&cinfo);
    JpegDestination *d = jpg_SetDestination(&cinfo, spill);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = (int)components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    cinfo.optimize_coding = TRUE;
    jpeg_set_quality(&cinfo, JPG_QUALITY, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    size_t stride = (size_t)width * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = data + stride * cinfo.next_scanline;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    *written = d->count;
    *intact = d->spill != NULL;
    jpeg_destroy_compress(&cinfo);
    return TRUE;
}

LONG WINAPI jpg_CompressImage(BYTE *colourType, TempJobFile *spill, DWORD width, DWORD height, BYTE *method,
                              DWORD *length, BYTE *data)
{
    if (colourType == NULL || spill == NULL || method == NULL || length == NULL || data == NULL)
        return JPG_MISSING;
    if (spl_IsTempFileOpen(spill) != 1 && spl_CreateTempFile(spill) != 0)
        return JPG_SPILL_FAILED;
    if (spl_SeekTempFile(spill, 0) != 0)
        return JPG_SPILL_FAILED;
    DWORD components = *colourType == 4 ? 3 : 1;
    if ((unsigned long long)width * height * components > *length)
        return JPG_MISSING;
    DWORD written = 0;
    BOOL intact = FALSE;
    if (!jpg_Compress(spill, width, height, components, data, &written, &intact) || !intact || written >= *length)
        return JPG_NOT_SMALLER;
    if (spl_SeekTempFile(spill, 0) != 0)
        return JPG_SPILL_FAILED;
    if (spl_ReadTempFile(spill, data, written) != (LONG)written)
        return JPG_SHORT_READ;
    *length = written;
    *colourType = 5;
    *method = 4;
    return JPG_DONE;
}
