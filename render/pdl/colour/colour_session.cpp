/*
 * The colour session of a job: set-up flags from the settings, the tables they ask for,
 * the profile question, and the conversion of colour values and images.
 */
#include "render/pdl/colour/colour_session.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "core/jobtext/job_attr.h"
#include "core/stored/printer_forms.h"
#include "core/trace/trace.h"
#include "render/pdl/colour/colour_pixels.h"

static_assert(sizeof(ColorAdjustMatrix) == 48, "ColorAdjustMatrix is 48 bytes");
static_assert(sizeof(GreyAdjustPair) == 8, "GreyAdjustPair is 8 bytes");

/* The fixed 3-D table's parameters: tone gammas (x 256) picked by setting 287 and
 * saturations (percent) picked by setting 288; (0, 0) is the identity. */
static const WORD kToneGamma[6] = {256, 230, 205, 282, 307, 346};
static const WORD kSaturation[10] = {100, 110, 120, 130, 140, 90, 80, 70, 60, 50};

/* The profile question when the resource module has no string 1 (%s: the profile). */
static const WCHAR kProfileQuestion[] =
    TEXT("ICCプロファイルが使用できません。\n色補正を実施せず印刷処理を続行します。");
static const WCHAR kProfileCaption[] = TEXT("警告");
static const UINT kProfileQuestionId = 1;
static const int kMaxNarrowName = 258;

static const DWORD kImageTypeRgb = 4, kImageTypePalette = 11;
static const LONG kResultColour = 1, kResultGrey = 2;
static const LONG kTooManyPixels = -5; /* 251 as a byte */
static const LONG kComponentFailed = -6;
static const LONG kFlushPageWideOn = 6, kKeepPageWide = 7, kFlushPageWideOff = 8;
static const DWORD kPageWideRop = (2u << 8) | 204u; /* raster operation kind 2, code 204 */

static BOOL ses_AnyAdjust(const LONG values[3])
{
    return values[0] != 0 || values[1] != 0 || values[2] != 0;
}

DWORD WINAPI clr_SetupFlags(const ColorSettings *s)
{
    if (s == NULL)
        return 0;
    DWORD f = 0;
    BOOL greyOut = s->outputMode == 1;
    if (s->perObject == 1) {
        if ((s->kindMask & 1) && ses_AnyAdjust(s->adjust[1])) {
            f |= CLR_SETUP_MATRIX_1;
            if (!greyOut && s->greyKind[0] == 1)
                f |= CLR_SETUP_GREY_1;
        }
        if ((s->kindMask & 2) && ses_AnyAdjust(s->adjust[2])) {
            f |= CLR_SETUP_MATRIX_2;
            if (!greyOut && s->greyKind[1] == 1)
                f |= CLR_SETUP_GREY_2;
        }
        if ((s->kindMask & 4) && ses_AnyAdjust(s->adjust[3]))
            f |= CLR_SETUP_MATRIX_3;
    } else if ((s->kindMask & 7) && ses_AnyAdjust(s->adjust[0])) {
        f |= CLR_SETUP_COMMON_MATRIX;
        if (!greyOut && (s->greyKind[0] == 1 || s->greyKind[1] == 1))
            f |= CLR_SETUP_COMMON_GREY;
    }
    if (s->tableChoice == 1)
        f |= CLR_SETUP_FIXED_TABLE;
    if (s->tableChoice == 2) {
        BOOL a = s->profileChoice[0] == 1 && s->profileName[0][0] != 0;
        if (a)
            f |= CLR_SETUP_PROFILE_A;
        if (s->profileChoice[1] == 1 && (s->profileChoice[2] == 1 ? a : s->profileName[1][0] != 0))
            f |= CLR_SETUP_PROFILE_B;
    }
    if (s->componentMode != 0)
        f |= CLR_SETUP_COMPONENT;
    return f;
}

/* The wide profile name in the ANSI code page without best fit, at most 258 bytes. */
static BOOL ses_NarrowName(const WCHAR *name, char *out, int size)
{
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, out, size, NULL, &lossy);
    return n > 0 && !lossy;
}

/* The stage of a profile file: 0x10 for 'acsp', 0x40 for 'nicc', else 0. */
static LONG ses_ProfileStage(const WCHAR *name)
{
    char narrow[kMaxNarrowName + 1];
    if (!ses_NarrowName(name, narrow, (int)sizeof narrow))
        return 0;
    LONG kind = clr_CheckProfileHeader(narrow);
    return kind == 1 ? CLR_STEP_PROFILE : (kind == 2 ? CLR_STEP_PROFILE_AFTER : 0);
}

static LONG ses_LoadNamed(ProfileTransform *t, const WCHAR *name)
{
    char narrow[kMaxNarrowName + 1];
    if (!ses_NarrowName(name, narrow, (int)sizeof narrow)) {
        memset(t, 0, sizeof *t);
        t->mode = CLR_MODE_NONE;
        return -2;
    }
    return clr_LoadProfile(t, narrow);
}

/* Asks whether to go on without the profile; TRUE for OK (or no box). */
static BOOL ses_AskGoOn(HMODULE resources, const WCHAR *name)
{
    WCHAR format[512], text[1024];
    const WCHAR *fmt = kProfileQuestion;
    if (resources != NULL && LoadStringW(resources, kProfileQuestionId, format, 512) > 0)
        fmt = format;
    WCHAR shortName[CLR_PROFILE_NAME_CHARS];
    lstrcpynW(shortName, name, CLR_PROFILE_NAME_CHARS);
    wsprintfW(text, fmt, shortName);
    int answer = MessageBoxW(NULL, text, kProfileCaption, MB_OKCANCEL | MB_ICONINFORMATION);
    // A box that cannot be shown (no desktop) counts as OK, as its text announces.
    if (answer == 0)
        trc_Printf(TEXT("ICC profile %s unusable, no message box: printing without it"), shortName);
    return answer != IDCANCEL;
}

/* The fixed table: sRGB-decoding input tables, then saturation around the luma and a
 * tone gamma in linear light. */
static void ses_BuildFixedTable(ProfileTransform *t, WORD *table, LONG tone, LONG saturation)
{
    double gamma = kToneGamma[tone] / 256.0, sat = kSaturation[saturation] / 100.0;
    memset(t, 0, sizeof *t);
    for (int i = 0; i < 256; i++) {
        double v = i / 255.0;
        double lin = v <= 0.04045 ? v / 12.92 : pow((v + 0.055) / 1.055, 2.4);
        WORD w = (WORD)floor(lin * 65535.0 + 0.5);
        t->input[0][i] = t->input[1][i] = t->input[2][i] = w;
    }
    size_t n = 0;
    for (int r = 0; r < CLR_GRID_POINTS; r++)
        for (int g = 0; g < CLR_GRID_POINTS; g++)
            for (int b = 0; b < CLR_GRID_POINTS; b++, n++) {
                double c[3] = {r / 16.0, g / 16.0, b / 16.0};
                double luma = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
                for (int k = 0; k < 3; k++) {
                    double v = luma + (c[k] - luma) * sat;
                    v = v < 0 ? 0 : (v > 1 ? 1 : v);
                    table[n * 3 + k] = (WORD)floor(pow(v, gamma) * 65535.0 + 0.5);
                }
            }
    t->table = table;
    t->mode = CLR_MODE_TABLE;
}

static void ses_Unbind(ColorSession *s)
{
    ColorComponent *c = &s->component;
    if (c->handle != NULL) {
        c->deleteParam(c->handle);
        c->release(c->handle);
    }
    if (c->module != NULL)
        FreeLibrary(c->module);
    memset(c, 0, sizeof *c);
}

static void ses_Free(ColorSession *s)
{
    ses_Unbind(s);
    ProfileTransform *freed[3] = {NULL, NULL, NULL};
    ProfileTransform *all[3] = {s->fixedTable, s->profileA, s->profileB};
    for (int i = 0; i < 3; i++) {
        if (all[i] == NULL || all[i] == freed[0] || all[i] == freed[1])
            continue;
        clr_FreeProfile(all[i]);
        freed[i] = all[i];
    }
    free(s);
}

LONG WINAPI clr_OpenSession(ColorSession **out, const ColorSettings *settings, HMODULE resources)
{
    if (out == NULL || settings == NULL)
        return -1;
    *out = NULL;
    ColorSession *s = (ColorSession *)calloc(1, sizeof(ColorSession));
    if (s == NULL)
        return -2;
    for (int i = 0; i < 3; i++)
        s->transforms[i].mode = CLR_MODE_NONE;
    s->settings = *settings;
    DWORD f = clr_SetupFlags(settings);
    s->setupFlags = f;
    s->componentMode = (BYTE)settings->componentMode;
    static const DWORD kMatrixFlags[3] = {CLR_SETUP_MATRIX_1, CLR_SETUP_MATRIX_2, CLR_SETUP_MATRIX_3};
    for (int k = 0; k < 3; k++) {
        const LONG *a = (f & CLR_SETUP_COMMON_MATRIX) ? settings->adjust[0] : settings->adjust[k + 1];
        if ((f & (kMatrixFlags[k] | CLR_SETUP_COMMON_MATRIX)) != 0 &&
            clr_BuildAdjustMatrix(&s->matrices[k], a[0], a[1], a[2]) == 0)
            s->matrix[k] = &s->matrices[k];
    }
    static const DWORD kGreyFlags[2] = {CLR_SETUP_GREY_1, CLR_SETUP_GREY_2};
    for (int k = 0; k < 2; k++) {
        const LONG *a = (f & CLR_SETUP_COMMON_GREY) ? settings->adjust[0] : settings->adjust[k + 1];
        if ((f & (kGreyFlags[k] | CLR_SETUP_COMMON_GREY)) != 0 && clr_BuildGreyPair(&s->pairs[k], a[0], a[2]) == 0)
            s->grey[k] = &s->pairs[k];
    }
    if ((f & CLR_SETUP_FIXED_TABLE) && settings->toneIndex >= 0 && settings->toneIndex < 6 &&
        settings->saturationIndex >= 0 && settings->saturationIndex < 10) {
        WORD *table = (WORD *)malloc(sizeof(WORD) * 3 * CLR_GRID_ENTRIES);
        if (table != NULL) {
            ses_BuildFixedTable(&s->transforms[0], table, settings->toneIndex, settings->saturationIndex);
            s->fixedTable = &s->transforms[0];
        }
    }
    LONG result = 0;
    if (f & CLR_SETUP_PROFILE_A) {
        if (ses_LoadNamed(&s->transforms[1], settings->profileName[0]) == 0)
            s->profileA = &s->transforms[1];
        else if (!ses_AskGoOn(resources, settings->profileName[0]))
            result = -3;
    }
    if (result == 0 && (f & CLR_SETUP_PROFILE_B)) {
        if (settings->profileChoice[2] == 1) {
            s->profileB = s->profileA;
        } else if (ses_LoadNamed(&s->transforms[2], settings->profileName[1]) == 0) {
            s->profileB = &s->transforms[2];
        } else if (!ses_AskGoOn(resources, settings->profileName[1])) {
            result = -4;
        }
    }
    if (result != 0) {
        ses_Free(s);
        return result;
    }
    // The profile stage is read once: B's file when 1304 is 1 and 1305 is 0, else A's
    // when 1303 is 1.
    if (settings->tableChoice == 2) {
        if (settings->profileChoice[1] == 1 && settings->profileChoice[2] == 0)
            s->profileStage = ses_ProfileStage(settings->profileName[1]);
        else if (settings->profileChoice[0] == 1)
            s->profileStage = ses_ProfileStage(settings->profileName[0]);
    }
    *out = s;
    return 0;
}

LONG WINAPI clr_BindComponent(ColorSession *session, LPCWSTR componentPath, LPCWSTR colourFile)
{
    if (session == NULL || componentPath == NULL)
        return -1;
    ses_Unbind(session);
    char narrow[kMaxNarrowName + 1] = "";
    if (colourFile != NULL && !ses_NarrowName(colourFile, narrow, (int)sizeof narrow))
        return -1;
    HMODULE module = util_LoadLibraryInContext(componentPath);
    if (module == NULL)
        return -1;
    ColorComponent *c = &session->component;
    c->module = module;
    c->load = (KrvLoad)(void *)GetProcAddress(module, "KRV_LoadKRV32");
    c->release = (KrvFree)(void *)GetProcAddress(module, "KRV_FreeKRV32");
    c->begin = (KrvBegin)(void *)GetProcAddress(module, "KRV_CreateParam_Begin32");
    c->param = (KrvParam)(void *)GetProcAddress(module, "KRV_CreateParam32");
    c->end = (KrvEnd)(void *)GetProcAddress(module, "KRV_CreateParam_End32");
    c->deleteParam = (KrvDelete)(void *)GetProcAddress(module, "KRV_DeleteParam32");
    c->convert = (KrvConvert)(void *)GetProcAddress(module, "KRV_ColorConvert32");
    if (c->load != NULL && c->release != NULL && c->begin != NULL && c->param != NULL && c->end != NULL &&
        c->deleteParam != NULL && c->convert != NULL)
        c->handle = c->load(narrow);
    if (c->handle == NULL) {
        ses_Unbind(session);
        return -1;
    }
    return 0;
}

LONG WINAPI clr_CloseSession(ColorSession *session)
{
    if (session == NULL)
        return -1;
    ses_Free(session);
    return 0;
}

LONG WINAPI clr_GetSessionMode(const ColorSession *session)
{
    if (session == NULL)
        return -1;
    return (session->stepFlags & CLR_STEP_PAGE_WIDE) ? 4 : 3;
}

LONG WINAPI clr_PrepareColor(ColorSession *session, const ColorSettings *settings, const ColorImageRecord *image)
{
    if (session == NULL || settings == NULL)
        return -1;
    DWORD f = session->stepFlags & CLR_STEP_PAGE_WIDE;
    if (session->grey[0] != NULL || session->grey[1] != NULL || session->matrix[0] != NULL ||
        session->matrix[1] != NULL || session->matrix[2] != NULL)
        f |= CLR_STEP_ADJUST;
    if (session->fixedTable != NULL)
        f |= CLR_STEP_FIXED_TABLE;
    f |= (DWORD)session->profileStage;
    if (settings->outputMode == 1)
        f |= CLR_STEP_GREY;
    session->stepFlags = f;
    if (session->componentMode == 0 || session->component.handle == NULL)
        return 0;
    // The page-wide change test: consecutive parts of one image (same depth and third
    // value, and unless 1862 is 1 the width or the height of the remembered one) keep
    // page-wide mode; another image starts it anew; anything else ends it.
    ColorImageRecord *last = &session->lastImage;
    BOOL deep = image != NULL && (image->kind == 16 || image->kind == 24 || image->kind == 32);
    if (!deep || image->rop != kPageWideRop) {
        memset(last, 0, sizeof *last);
        session->stepFlags &= ~(DWORD)CLR_STEP_PAGE_WIDE;
        return kFlushPageWideOff;
    }
    session->stepFlags |= CLR_STEP_PAGE_WIDE;
    BOOL continues = last->kind != 0 && image->kind == last->kind && image->third == last->third &&
                     (settings->noChangeTest == 1 || image->width == last->width || image->height == last->height);
    if (continues)
        return kKeepPageWide;
    *last = *image;
    return kFlushPageWideOn;
}

/* The component's first stages on a copy of each image, in order: fixed table, then the
 * profile stage before the component. */
static void ses_BeforeComponent(const ColorSession *s, BYTE *pixels, DWORD count)
{
    const ProfileTransform *profile = s->profileB != NULL ? s->profileB : s->profileA;
    if (s->stepFlags & CLR_STEP_FIXED_TABLE)
        clr_ApplyProfile(s->fixedTable, pixels, pixels, count);
    if (s->stepFlags & CLR_STEP_PROFILE)
        clr_ApplyProfile(profile, pixels, pixels, count);
}

LONG WINAPI clr_ConvertQueuedImages(ColorSession *session, ColorQueuedImage *images, DWORD count, BOOL lastFlush)
{
    if (session == NULL || (count > 0 && images == NULL))
        return -1;
    ColorComponent *c = &session->component;
    if (c->handle == NULL)
        return 0;
    if (c->begin(c->handle, session->componentMode) != 0)
        return kComponentFailed;
    LONG result = 0;
    for (DWORD i = 0; result == 0 && i < count; i++) {
        size_t bytes = (size_t)images[i].width * images[i].height * 3;
        BYTE *copy = (BYTE *)HeapAlloc(GetProcessHeap(), 0, bytes + 1);
        if (copy == NULL) {
            result = -2;
            break;
        }
        memcpy(copy, images[i].data, bytes);
        ses_BeforeComponent(session, copy, (DWORD)(bytes / 3));
        if (c->param(c->handle, copy, images[i].width, images[i].height) != 0)
            result = kComponentFailed;
        HeapFree(GetProcessHeap(), 0, copy);
    }
    LONG end = result == 0 ? c->end(c->handle) : 0;
    if (result == 0 && end == 1) {
        session->stepFlags &= ~(DWORD)CLR_STEP_PAGE_WIDE;
    } else if (result == 0 && end != 0) {
        result = kComponentFailed;
    } else {
        const ProfileTransform *profile = session->profileB != NULL ? session->profileB : session->profileA;
        for (DWORD i = 0; result == 0 && i < count; i++) {
            size_t bytes = (size_t)images[i].width * images[i].height * 3;
            BYTE *block = (BYTE *)HeapAlloc(GetProcessHeap(), 0, bytes + 1);
            if (block == NULL) {
                result = -2;
                break;
            }
            if (c->convert(c->handle, images[i].data, block, images[i].width, images[i].height) != 0) {
                result = kComponentFailed;
            } else {
                if (session->stepFlags & CLR_STEP_PROFILE_AFTER)
                    clr_ApplyProfile(profile, block, block, (DWORD)(bytes / 3));
                if (session->stepFlags & CLR_STEP_ADJUST)
                    clr_ApplyAdjustMatrix(session->matrix[2], block, block, (DWORD)(bytes / 3));
                memcpy(images[i].data, block, bytes);
            }
            HeapFree(GetProcessHeap(), 0, block);
        }
    }
    if (lastFlush)
        c->deleteParam(c->handle);
    return result;
}

LONG WINAPI clr_ConvertColors(ColorSession *session, const ColorSettings *settings, DWORD kind, const BYTE *source,
                              BYTE *destination, DWORD count)
{
    if (session == NULL || settings == NULL || source == NULL || destination == NULL || kind > 1)
        return -1;
    if (settings->stampDrawing) {
        if (source != destination)
            memmove(destination, source, (size_t)count * 3);
        return kResultColour;
    }
    LONG select = settings->imageSelect[1];
    BOOL greyOut = settings->outputMode == 1;
    BOOL detect = !greyOut && (kind == 0 ? (select == 1 || select == 3) : (select == 2 || select == 3));
    if (greyOut || (detect && img_CheckCachedColor(NULL, source, count) == IMG_ALL_GREY)) {
        if (count > 0xFFFF)
            return kTooManyPixels;
        util_RgbToGray(source, destination, (WORD)count, 1);
        if (!greyOut)
            clr_ApplyGreyPair(session->grey[kind], destination, destination, count);
        img_InvertBytes(destination, destination, count, 1);
        return kResultGrey;
    }
    clr_ApplyProfile(session->fixedTable, source, destination, count);
    clr_ApplyProfile(session->profileA, destination, destination, count);
    clr_ApplyAdjustMatrix(session->matrix[kind], destination, destination, count);
    LONG mask = settings->imageSelect[0];
    if (mask == (LONG)kind + 1 || mask == 3)
        img_MaskWhitePixels(destination, destination, count, 1);
    return kResultColour;
}

/* Fixed table, profile, adjust matrix over count 3-byte pixels (stride bytes apart). */
static void ses_ColourSteps(const ColorSession *s, BYTE *pixels, DWORD count, DWORD stride)
{
    const ProfileTransform *profile = s->profileB != NULL ? s->profileB : s->profileA;
    for (DWORD i = 0; i < count; i++) {
        BYTE *p = pixels + (size_t)i * stride;
        if (s->stepFlags & CLR_STEP_FIXED_TABLE)
            clr_ApplyProfile(s->fixedTable, p, p, 1);
        if (s->stepFlags & (CLR_STEP_PROFILE | CLR_STEP_PROFILE_AFTER))
            clr_ApplyProfile(profile, p, p, 1);
        if (s->stepFlags & CLR_STEP_ADJUST)
            clr_ApplyAdjustMatrix(s->matrix[2], p, p, 1);
    }
}

LONG WINAPI clr_ConvertImage(ColorSession *session, const BYTE *source, BYTE *destination, DWORD width, DWORD height,
                             BYTE *paletteIn, BYTE *paletteOut, DWORD paletteEntries, DWORD colourType, DWORD bits)
{
    if (session == NULL)
        return -1;
    BOOL grey = (session->stepFlags & CLR_STEP_GREY) != 0;
    if (colourType == kImageTypeRgb && bits == 24 && source != NULL && destination != NULL) {
        size_t n = (size_t)width * height;
        if (grey) {
            BYTE *work = (BYTE *)malloc(n * 3 + 1);
            if (work == NULL)
                return -1;
            memcpy(work, source, n * 3);
            ses_ColourSteps(session, work, (DWORD)n, 3);
            clr_RgbToInkGrey(work, destination, (DWORD)n, 1);
            free(work);
            return kResultGrey;
        }
        if (source != destination)
            memmove(destination, source, n * 3);
        ses_ColourSteps(session, destination, (DWORD)n, 3);
        return kResultColour;
    }
    if (colourType == kImageTypePalette && (bits == 1 || bits == 4 || bits == 8) && paletteIn != NULL) {
        BYTE *entries = paletteIn;
        ses_ColourSteps(session, entries, paletteEntries, 4);
        if (grey && paletteOut != NULL) {
            for (DWORD i = 0; i < paletteEntries; i++)
                clr_RgbToInkGrey(entries + (size_t)i * 4, paletteOut + i, 1, 1);
            return kResultGrey;
        }
        return kResultColour;
    }
    return -1;
}
