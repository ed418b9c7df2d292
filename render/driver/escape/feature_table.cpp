/*
 * The extended feature table: which extended escapes the driver offers at the job's PDL
 * version, and their values.
 */
#include "render/driver/escape/escape.h"

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "core/protocol/escapes.h"

#define FEATURE_VERSION_LOW 0x01010501UL
#define FEATURE_VERSION_HIGH 0x0102000DUL
// Bits of the 0x1104 values that need setting 4103.
#define FEATURE_DUPLEX_4103_BITS 0xCUL

static const ExtendedFeature kFeatures[] = {
    {ESC_FEATURE_CONTROL, 0x1071, 0x01010501, {143, 0xFF00, 0xFF00}},
    {ESC_FEATURE_RASTER, 0x1072, 0x01010701, {48, 0, 0}},
    {ESC_FEATURE_RASTER, 0x1072, 0x01010601, {16, 0, 0}},
    {ESC_FEATURE_RASTER, 0x1072, 0x01010501, {0, 0, 0}},
    {ESC_FEATURE_FINISHING, 0x1073, 0x01010601, {31, 0, 0}},
    {ESC_FEATURE_DUPLEX, 0x1074, 0x01010501, {799, 139, 0}},
    {0x1108, 0x1078, 0x01010501, {1, 0, 0}},
    {0x1105, 0x1075, 0x01010501, {0, 0, 0}},
    {0x1106, 0x1077, 0x01010501, {0, 0, 0}},
    {0x1107, 0x1077, 0x01010501, {0, 0, 0}},
};

// finishing_refused: the finishing feature needs a model of colour kind 2, setting 5202
// other than 1 and a colour mode the DEVMODE trailer does not enforce.
static BOOL finishing_refused(PDEV *pdev)
{
    return pdev->job.control.ext.jobValues[2] == 0 || pdev_GetSetting32(pdev, FID_FINISHING_OFF_5202) == 1 ||
           pdev->trailer.enforced270 != 0;
}

extern "C" LONG WINAPI esc_LookupFeature(PDEV *pdev, WORD feature, ExtendedFeature *entry)
{
    if (pdev == NULL)
        return -1;
    const ExtendedEscapeState *ext = &pdev->job.control.ext;
    if (feature == ESC_FEATURE_RASTER && pdev_GetSetting32(pdev, FID_JOB_ATTRIBUTES) != 0)
        return -1;
    DWORD version = ext->jobValues[0];
    if (version < FEATURE_VERSION_LOW || version > FEATURE_VERSION_HIGH)
        return -1;
    for (const ExtendedFeature &row : kFeatures) {
        if (row.feature != feature || version < row.lowestVersion)
            continue;
        if (feature == ESC_FEATURE_FINISHING && finishing_refused(pdev))
            return -1;
        if (entry != NULL) {
            *entry = row;
            if (feature == ESC_FEATURE_DUPLEX && ext->jobValues[1] == 0)
                entry->values[0] &= ~FEATURE_DUPLEX_4103_BITS;
        }
        return 0;
    }
    return -1;
}
