/*
 * Interim page routines of the image hook: no page is captured for the component (-1);
 * the transform that places its output is written as it will be.
 */
#include "render/driver/hook/image_hook.h"

#include "render/driver/binding/pdev_settings.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/writer/matrix2x3.h"

LONG hook_BeginCapture(PDEV *)
{
    return -1;
}

LONG hook_EndCapture(PDEV *)
{
    return -1;
}

LONG hook_SetPageTransform(PDEV *pdev)
{
    float r = (float)pdev_GetSetting32(pdev, 20);
    if (r <= 0.0f) {
        return -1;
    }
    float length = (float)pdev->job.setup.page.output.length;
    Matrix2x3 matrix = {72.0f / r, 0.0f, 0.0f, -72.0f / r, 0.0f, (72.0f / r) * r * length * 0.003937008f};
    return jc_SetTransform(pdev, &matrix);
}
