/*
 * The job's colour pipeline and the page's colour set on the PDEV: the colour settings
 * read as the device will use them, the session opened when the job's output begins and
 * closed when the job is released, the set emptied at job open and every logical page;
 * the colour analysis of images for the page colour and the set.
 */
#include <string.h>

#include "render/driver/job/job_private.h"

#include "core/settings/function_ids.h"
#include "core/util/resource_module.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/header/string_util.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/drawing/draw_target.h"
#include "render/driver/page/page_color.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/compression/colour_analysis.h"

/*
 * The dependencies that decide whether a colour setting counts: with grey output (270 =
 * 1) saturation (278-281) and the component mode (291) read as 0; brightness, contrast,
 * the kind mask, the table and profile choices count only with setting 293 at 2 or 4;
 * the white mask (454) only with grey output.
 */
enum ColourDependency { kAlways, kColourOnly, kAdjustOn, kAdjustOnColourOnly, kGreyOnly };

typedef struct ColourSettingRow {
    WORD id;
    BYTE dependency;
} ColourSettingRow;

static const ColourSettingRow kColourRows[] = {
    {273, kAdjustOn},           {274, kAdjustOn},           {275, kAdjustOn},           {276, kAdjustOn},
    {277, kAdjustOn},           {278, kAdjustOnColourOnly}, {279, kAdjustOnColourOnly}, {280, kAdjustOnColourOnly},
    {281, kAdjustOnColourOnly}, {282, kAdjustOn},           {283, kAdjustOn},           {284, kAdjustOn},
    {285, kAdjustOn},           {286, kAdjustOn},           {287, kAdjustOn},           {288, kAdjustOn},
    {291, kColourOnly},         {454, kGreyOnly},           {1303, kAdjustOn},          {1304, kAdjustOn},
    {1832, kAdjustOn},          {1833, kAdjustOn},
};

static const WORD kColourComponentKind = 4, kColourFileKind = 1;

static BOOL jcl_Counts(PDEV *pdev, WORD id)
{
    BOOL grey = pdev_GetSetting32(pdev, FID_COLOR_MODE) == 1;
    DWORD adjust = pdev_GetSetting32(pdev, FID_OS_293);
    BOOL adjustOn = adjust == 2 || adjust == 4;
    for (size_t i = 0; i < sizeof kColourRows / sizeof kColourRows[0]; i++) {
        if (kColourRows[i].id != id)
            continue;
        switch (kColourRows[i].dependency) {
        case kColourOnly: return !grey;
        case kAdjustOn: return adjustOn;
        case kAdjustOnColourOnly: return !grey && adjustOn;
        case kGreyOnly: return grey;
        default: return TRUE;
        }
    }
    return TRUE;
}

static LONG jcl_Number(PDEV *pdev, WORD id)
{
    return jcl_Counts(pdev, id) ? (LONG)(SHORT)pdev_GetSetting16(pdev, id) : 0;
}

static void jcl_String(PDEV *pdev, WORD id, WCHAR *out)
{
    out[0] = 0;
    const WCHAR *text = jcl_Counts(pdev, id) ? pdev_GetSettingString(pdev, id) : NULL;
    if (text != NULL)
        lstrcpynW(out, text, CLR_PROFILE_NAME_CHARS);
}

static void jcl_ReadSettings(PDEV *pdev, ColorSettings *s)
{
    memset(s, 0, sizeof *s);
    s->outputMode = jcl_Number(pdev, 270);
    s->perObject = jcl_Number(pdev, 1314);
    s->kindMask = jcl_Number(pdev, 273);
    for (int k = 0; k < 4; k++) {
        s->adjust[k][0] = jcl_Number(pdev, (WORD)(274 + k));
        s->adjust[k][1] = jcl_Number(pdev, (WORD)(278 + k));
        s->adjust[k][2] = jcl_Number(pdev, (WORD)(282 + k));
    }
    s->greyKind[0] = jcl_Number(pdev, 1326);
    s->greyKind[1] = jcl_Number(pdev, 1327);
    s->tableChoice = jcl_Number(pdev, 286);
    s->toneIndex = jcl_Number(pdev, 287);
    s->saturationIndex = jcl_Number(pdev, 288);
    for (int i = 0; i < 3; i++)
        s->profileChoice[i] = jcl_Number(pdev, (WORD)(1303 + i));
    jcl_String(pdev, 1832, s->profileName[0]);
    jcl_String(pdev, 1833, s->profileName[1]);
    s->componentMode = jcl_Number(pdev, 291) & 0xFF;
    s->imageSelect[0] = jcl_Number(pdev, 454) & 0xFF;
    s->imageSelect[1] = jcl_Number(pdev, 455) & 0xFF;
    s->noChangeTest = jcl_Number(pdev, 1862);
}

LONG drw_ConvertColors(const DrawTarget *target, DWORD kind, const BYTE *in, BYTE *out, DWORD count)
{
    if (target == NULL || target->pdev == NULL || in == NULL || out == NULL)
        return -1;
    PDEV *pdev = target->pdev;
    if (pdev->job.colorSession == NULL) {
        memmove(out, in, 3 * (size_t)count);
        return 1;
    }
    ColorSettings settings;
    jcl_ReadSettings(pdev, &settings);
    return clr_ConvertColors(pdev->job.colorSession, &settings, kind, in, out, count);
}

LONG img_PrepareImageColor(PDEV *pdev, DWORD bits, DWORD rop, DWORD width, DWORD height)
{
    if (pdev == NULL || pdev->job.colorSession == NULL)
        return 0;
    ColorSettings settings;
    jcl_ReadSettings(pdev, &settings);
    ColorImageRecord image = {bits, rop, width, height, 0};
    return clr_PrepareColor(pdev->job.colorSession, &settings, &image);
}

LONG WINAPI clr_InitPageColorSet(PDEV *pdev)
{
    if (pdev == NULL)
        return -1;
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    LONG limit = snapshot->colorSetLimit;
    WORD capacity = (WORD)(limit < 0 ? 0 : (limit > COLOR_SET_MAX_CAPACITY ? COLOR_SET_MAX_CAPACITY : limit));
    return clr_InitColorSet(&pdev->job.colorSet, snapshot->colorSetOn != 0, capacity, (DWORD)snapshot->colorSetMode);
}

LONG WINAPI clr_OpenColorSession(PDEV *pdev)
{
    if (pdev == NULL)
        return -1;
    if (pdev->job.colorSession != NULL)
        clr_CloseColorSession(pdev);
    ColorSettings settings;
    jcl_ReadSettings(pdev, &settings);
    HMODULE resources = pdev->resourceUse ? util_GetResourceModule() : NULL;
    ColorSession *session = NULL;
    LONG result = clr_OpenSession(&session, &settings, resources);
    pdev->job.colorSession = session;
    if (result == 0 && (session->setupFlags & CLR_SETUP_COMPONENT)) {
        // Without a usable component the job goes on without it.
        HANDLE printer = pdev->job.control.printer != NULL ? pdev->job.control.printer : pdev->printer;
        LPWSTR component = jc_ModelComponentPath(printer, kColourComponentKind);
        LPWSTR colourFile = component != NULL ? util_GetModelFilePath(printer, kColourFileKind) : NULL;
        if (component != NULL)
            clr_BindComponent(session, component, colourFile);
        GlobalFree(component);
        GlobalFree(colourFile);
    }
    return result == 0 ? 0 : -1;
}

LONG WINAPI clr_CloseColorSession(PDEV *pdev)
{
    if (pdev == NULL)
        return -1;
    if (pdev->job.colorSession == NULL)
        return 0;
    LONG result = clr_CloseSession(pdev->job.colorSession);
    pdev->job.colorSession = NULL;
    return result;
}

LONG WINAPI img_CreateAnalysisState(PDEV *pdev)
{
    if (pdev == NULL)
        return -1;
    pdev->job.control.imageAnalysis = 0;
    return 0;
}

LONG WINAPI img_FreeAnalysisState(PDEV *pdev)
{
    return img_CreateAnalysisState(pdev);
}

LONG WINAPI img_AnalyseImageColor(LONG *result, ColorSet *set, PDEV *pdev, const BYTE *data, DWORD width, DWORD height,
                                  const DWORD *palette, DWORD paletteEntries, DWORD colourType, DWORD bits)
{
    if (result == NULL)
        return -1;
    *result = IMG_ANALYSIS_NONE;
    if (pdev == NULL || data == NULL)
        return -1;
    if (jc_IsPageColorDecided(pdev) != 0)
        return 0;
    BOOL exact = jc_IsColorScanWanted(pdev) == 1;
    *result = img_ScanImageColor(exact, data, width, height, palette, paletteEntries, colourType, bits);
    if (*result == IMG_ANALYSIS_NONE)
        return -1;
    if (*result == IMG_ANALYSIS_COLOUR)
        jc_MarkPageColored(pdev);
    if (set != NULL && set->valid) {
        BOOL colour = colourType == 4 || colourType == 11;
        if (clr_AddImageColors(set, data, width, height, bits, colour, palette) != 0)
            return -1;
    }
    return 0;
}
