/*
 * The view of a PDEV the font checks of the text output read: its font tables, the
 * settings and model values they depend on and the writer's current page transform.
 */
#include "render/driver/entry/entry.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/matrix2x3.h"
#include "render/pdl/writer/pdl_writer.h"

/* A model value of the small-bitmap hint: the default option of its definition, or
 * fallback when the model has none. */
static LONG ent_ModelValue(PDEV *pdev, WORD functionId, LONG fallback)
{
    void *value = NULL;
    BYTE valueType = 0;
    DWORD size = 0;
    if (pdev->modelFile == NULL ||
        ddd_ReadDefaultValue(functionId, pdev->modelFile, pdev->baseFile, &value, &valueType, &size) != DDD_OK ||
        value == NULL) {
        return fallback;
    }
    LONG result = fallback;
    if (size >= sizeof(DWORD)) {
        DWORD number = 0;
        memcpy(&number, value, sizeof number);
        result = (LONG)number;
    } else if (size >= sizeof(WORD)) {
        WORD number = 0;
        memcpy(&number, value, sizeof number);
        result = number;
    } else if (size == 1) {
        result = *(const BYTE *)value;
    }
    GlobalFree(value);
    return result;
}

BOOL WINAPI ent_GetFontJobView(PDEV *pdev, FontJobView *view)
{
    if (pdev == NULL || view == NULL) {
        return FALSE;
    }
    memset(view, 0, sizeof *view);
    view->tables = pdev->fonts;
    view->resolutionX = (LONG)pdev_GetSetting16(pdev, FID_PRINT_QUALITY);
    view->resolutionY = (LONG)pdev_GetSetting16(pdev, FID_Y_RESOLUTION);
    view->outlineOff = pdev_GetSetting32(pdev, FID_NO_OUTLINE_FONTS) != 0;
    view->outlineMinSize = (LONG)(pdev_GetSetting32(pdev, FID_OUTLINE_MIN_SIZE) & 0xFF);
    view->smallBitmapOn = pdev_GetSetting32(pdev, FID_SMALL_BITMAP_HINT) != 0;
    view->outlineAlways =
        pdev->modelFile != NULL && ddd_HasCapability(pdev->modelFile, FONT_OUTLINE_ALWAYS_CAPABILITY) != 0;
    view->pageHookRunning = hook_IsActive(pdev);
    Matrix2x3 page = {1, 0, 0, 1, 0, 0};
    if (pdev->job.writer != NULL) {
        pdl_GetCurrentTransform(pdev->job.writer, &page);
    }
    view->pageA = page.a;
    view->pageB = page.b;
    view->pageC = page.c;
    view->pageD = page.d;
    view->smallMinPixels = ent_ModelValue(pdev, FONT_SMALL_MIN_PIXELS_ID, FONT_SMALL_MIN_PIXELS_DEFAULT);
    view->smallMaxPixels = ent_ModelValue(pdev, FONT_SMALL_MAX_PIXELS_ID, FONT_SMALL_MAX_PIXELS_DEFAULT);
    view->smallMinPoints = ent_ModelValue(pdev, FONT_SMALL_MIN_POINTS_ID, FONT_SMALL_MIN_POINTS_DEFAULT);
    return TRUE;
}
