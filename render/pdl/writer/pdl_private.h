/*
 * Helpers shared by the writer's source files; not for callers outside the writer.
 */
#ifndef QM_RENDER_PDL_WRITER_PDL_PRIVATE_H
#define QM_RENDER_PDL_WRITER_PDL_PRIVATE_H

#include "render/pdl/writer/pdl_writer.h"

#include "core/settings/settings_types.h"
#include "render/encoder/lmq_encoder.h"

// pdl_ReadSettingValue: a numeric setting of devmode and block as an unsigned value; 0
// when it cannot be read.
DWORD pdl_ReadSettingValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId);

// pdl_IsCached: 1 when the cache is on and the compared value was equal.
int pdl_IsCached(const PdlWriter *writer, int equal);
// pdl_FloatToS16: 1 when value is whole (no fraction down to 0.0001) and its whole part
// lies within -32768..32767; *out then holds it. Else 0 (NaN and infinities included).
int pdl_FloatToS16(float value, int *out);
// pdl_FitsS16: 1 when value lies within -32768..32767.
int pdl_FitsS16(LONG value);
// pdl_WriteRect: a rectangle through sendInt (s16 values) when the writer is not
// float-only and all four values fit s16, else through sendFloat.
int pdl_WriteRect(PdlWriter *writer, const RECTL *rect, int (*sendInt)(OutputStream *, int, int, int, int),
                  int (*sendFloat)(OutputStream *, float, float, float, float));
// pdl_UseIntForm: 1 when the writer is not float-only.
int pdl_UseIntForm(const PdlWriter *writer);
// pdl_ClearColor: forgets the colour last sent, so that the next one is sent.
void pdl_ClearColor(GraphicsStateCache *cache);
// pdl_ClearPattern: frees the cached colour pattern, so that the next one is sent.
void pdl_ClearPattern(GraphicsStateCache *cache);
// pdl_TempAlloc / pdl_TempFree: a zeroed scratch block of the global heap (NULL when
// memory is short).
void *pdl_TempAlloc(DWORD bytes);
void pdl_TempFree(void *block);

#endif /* QM_RENDER_PDL_WRITER_PDL_PRIVATE_H */
