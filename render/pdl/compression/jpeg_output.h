/*
 * JPEG output (method 4): baseline JPEG of quality 83 through libjpeg, written by a
 * destination of our own into the job's image spill file and read back over the data
 * when it is smaller.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_JPEG_OUTPUT_H
#define QM_RENDER_PDL_COMPRESSION_JPEG_OUTPUT_H

#include <windows.h>

struct TempJobFile;

#ifdef __cplusplus
extern "C" {
#endif

/* Results of jpg_CompressImage (the run coder's codes). */
#define JPG_DONE 0
#define JPG_NOT_SMALLER 3
#define JPG_SPILL_FAILED 5
#define JPG_MISSING 16
#define JPG_SHORT_READ 0x1005

#define JPG_QUALITY 83
#define JPG_BUFFER_SIZE 4096

/*
 * jpg_CompressImage: JPEG of the image in data (rows of width * 3 bytes red, green, blue
 * for colour type 4, else width grey bytes). 0: data holds the JPEG, *length its size,
 * *colourType 5, *method 4. 3: not smaller, a libjpeg error, or a spill write failing
 * during compression (data untouched). 5 the spill file could not be created or
 * positioned, 0x1005 it gave back fewer bytes than written, 16 a missing argument.
 */
LONG WINAPI jpg_CompressImage(BYTE *colourType, struct TempJobFile *spill, DWORD width, DWORD height, BYTE *method,
                              DWORD *length, BYTE *data);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_JPEG_OUTPUT_H */
