/*
 * Stamp mode: the user-interface DLL draws stamps and page annotations through GDI
 * between ESC_STAMP_MODE on and off, places them with ESC_PLACE_ANNOTATION and restores
 * the page with ESC_STAMP_RESTORE; ESC_PAGE_END tells it at each page end what to draw.
 * The drawing code asks the three jc_* queries while stamps are drawn.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/protocol/escapes.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/writer/matrix2x3.h"
#include "render/pdl/writer/pdl_writer.h"

static_assert(sizeof(Matrix2x3) == sizeof(((EscapeState *)0)->savedTransform), "saved transform");

// Units of the PDEV's papers per inch, and tenths of a millimetre per inch.
#define PAPER_UNITS_PER_INCH 18432
#define TENTHS_PER_INCH 254
#define POINTS_PER_INCH 72

// The resolution of the page-end reply and the annotation offsets: setting 20, else the
// job's resolution, else 600 dots per inch.
static LONG page_resolution(PDEV *pdev)
{
    LONG resolution = (LONG)pdev_GetSetting32(pdev, FID_PRINT_QUALITY);
    if (resolution <= 0)
        resolution = pdev->job.setup.resolutionX;
    return resolution > 0 ? resolution : 600;
}

static BOOL stamp_option_on(const PDEV *pdev)
{
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    return snapshot.formFirst || snapshot.formSecond;
}

// A page drawn smaller on its sheet: N-up or scaled.
static BOOL page_is_placed(const PDEV *pdev)
{
    const PageBlock &page = pdev->job.setup.page;
    return pdev->job.setup.snapshot.nupCount > 1 || (page.scalingOn && page.scale != 100);
}

extern "C" LONG WINAPI jc_IsStampDrawing(const PDEV *pdev)
{
    if (pdev == NULL)
        return 0;
    const EscapeState &escape = pdev->job.escape;
    if (escape.stampMode)
        return stamp_option_on(pdev) ? 1 : 0;
    return escape.overlay ? 1 : 0;
}

extern "C" LONG WINAPI jc_IsStampClipSkipped(const PDEV *pdev)
{
    if (pdev == NULL)
        return 0;
    const EscapeState &escape = pdev->job.escape;
    if (escape.stampMode && !stamp_option_on(pdev))
        return 0;
    if (escape.overlay)
        return escape.overlayClipWord == 0 ? 1 : 0;
    return escape.stampMode && pdev->job.setup.snapshot.formFirst ? 1 : 0;
}

extern "C" DWORD WINAPI jc_GetStampColorWord(const PDEV *pdev)
{
    if (pdev == NULL || !pdev->job.escape.stampMode || !stamp_option_on(pdev))
        return 0;
    return pdev->job.escape.stampColorWord;
}

// stamp_on: saves the page transform of a placed page with a stamp option and draws on
// the whole sheet instead.
static LONG stamp_on(PDEV *pdev)
{
    if (!esc_IsPageActive(pdev))
        return ESC_FAIL;
    EscapeState *escape = &pdev->job.escape;
    BOOL option = stamp_option_on(pdev);
    BOOL placed = page_is_placed(pdev);
    LONG result = 1;
    if (placed && option) {
        Matrix2x3 page;
        Matrix2x3 sheet;
        geo_Identity(&sheet);
        if (geo_PlaceCurrentPage(pdev, &page) != 0 || jc_SetTransform(pdev, &sheet) != 0 ||
            pdl_ResetClip(pdev->job.writer) == -1) {
            result = ESC_FAIL;
        }
        memcpy(escape->savedTransform, &page, sizeof(page));
        escape->transformSaved = 1;
    }
    escape->stampMode = 1;
    return option || placed ? result : ESC_FAIL;
}

// While stamp mode is on, drawing code begins no page of its own: it tests
// pdev->job.escape.stampMode before it starts a page. ESC_PLACE_ANNOTATION begins the page output
// itself (jc_EnsurePageStarted) when it places the annotation.
LONG esc_StampSwitch(PDEV *pdev, const EscapeCall *call)
{
    if (call->out != NULL && call->cjOut == sizeof(DWORD))
        esc_WriteLong(call->out, 0, (DWORD)jc_IsStampDrawing(pdev));
    if (call->in == NULL || call->cjIn != sizeof(DWORD))
        return 1;
    if (esc_ReadLong(call->in, 0) == 1)
        return stamp_on(pdev);
    pdev->job.escape.stampMode = 0;
    pdev->job.escape.overlay = 0;
    return 1;
}

// The annotation's placement: the page placement moved by the two offsets (dots at the
// job resolution).
static LONG annotation_matrix(PDEV *pdev, LONG dx, LONG dy, Matrix2x3 *matrix)
{
    if (geo_PlaceCurrentPage(pdev, matrix) != 0)
        return ESC_FAIL;
    LONG resolution = page_resolution(pdev);
    Matrix2x3 shift;
    geo_Identity(&shift);
    geo_Translate(
        &shift, (float)dx * POINTS_PER_INCH / (float)resolution, -(float)dy * POINTS_PER_INCH / (float)resolution);
    Matrix2x3 placed;
    geo_Compose(matrix, &placed, &shift);
    *matrix = placed;
    return 0;
}

LONG esc_PlaceAnnotation(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(AnnotationOffset))
        return 1;
    if (jc_EnsurePageStarted(pdev) != 0 || img_FlushImageQueue(pdev, 0) != 0)
        return ESC_FAIL;
    Matrix2x3 matrix;
    if (annotation_matrix(pdev,
                          (LONG)esc_ReadLong(call->in, offsetof(AnnotationOffset, x)),
                          (LONG)esc_ReadLong(call->in, offsetof(AnnotationOffset, y)),
                          &matrix) != 0) {
        return ESC_FAIL;
    }
    EscapeState *escape = &pdev->job.escape;
    DWORD stampMode = escape->stampMode;
    DWORD overlay = escape->overlay;
    escape->stampMode = 1;
    escape->overlay = 1;
    LONG result = jc_SetTransform(pdev, &matrix);
    escape->stampMode = stampMode;
    escape->overlay = overlay;
    if (result != 0 || pdl_ResetClip(pdev->job.writer) == -1)
        return ESC_FAIL;
    return 1;
}

LONG esc_StampRestore(PDEV *pdev, const EscapeCall *call)
{
    EscapeState *escape = &pdev->job.escape;
    if (call->out != NULL && call->cjOut == sizeof(DWORD))
        esc_WriteLong(call->out, 0, escape->overlay);
    if (call->in == NULL || call->cjIn != sizeof(DWORD))
        return 1;
    LONG result = 1;
    if (esc_ReadLong(call->in, 0) == 1) {
        if (escape->transformSaved) {
            Matrix2x3 page;
            memcpy(&page, escape->savedTransform, sizeof(page));
            if (jc_SetTransform(pdev, &page) != 0)
                result = ESC_FAIL;
            escape->transformSaved = 0;
        }
        escape->stampMode = 0;
        escape->overlay = 1;
    } else {
        escape->stampMode = 0;
        escape->overlay = 0;
    }
    return result;
}

// Page-end query values.
struct PageEndValues {
    DWORD drawSheet;
    DWORD drawPage;
    DWORD stampValue;
};

static BOOL page_end_values(const PDEV *pdev, DWORD flag, PageEndValues *values)
{
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    DWORD n = snapshot.nupCount;
    if (n == 0)
        return FALSE;
    DWORD c = esc_LogicalPageCounter(pdev);
    DWORD s = esc_SheetCounter(pdev);
    DWORD testedC = flag ? c : c + 1;
    DWORD testedS = s;
    if (flag ? c % n != 0 : (c + 1) % n == 0)
        testedS = s + 1;
    BOOL pageOpen = (pdev->job.pageState & PAGE_STATE_PAGE_OPEN) != 0;
    BOOL e = testedC % n == 0 && (snapshot.skipEmptyPages == 0 || pageOpen);
    DWORD first = flag ? !e : e;
    if (!(pdev->job.pageState & PAGE_STATE_DRAWN))
        first = 0;
    values->stampValue = first ? (DWORD)snapshot.bitOptionsOn : 0;
    if (!snapshot.formFirst || (snapshot.formOptionA && testedS != 1))
        first = 0;
    values->drawSheet = first;
    values->drawPage = !flag && snapshot.formSecond && pageOpen && (!snapshot.formOptionA || testedC == 1);
    return TRUE;
}

static float units_to_pixels(LONG units, LONG resolution)
{
    return (float)((long long)units * resolution / PAPER_UNITS_PER_INCH);
}

static float tenths_to_pixels(WORD tenths, LONG resolution)
{
    return (float)((long long)tenths * resolution / TENTHS_PER_INCH);
}

// The printable rectangle of the page's paper in pixels, moved in by the margins of the
// margin escape when the annotation is drawn on the logical page.
static void printable_rectangle(PDEV *pdev, BOOL withMargins, float rect[4])
{
    LONG resolution = page_resolution(pdev);
    const PaperDescription &paper = pdev->paper[0];
    rect[0] = units_to_pixels(paper.left, resolution);
    rect[1] = units_to_pixels(paper.top, resolution);
    rect[2] = units_to_pixels(paper.right, resolution);
    rect[3] = units_to_pixels(paper.bottom, resolution);
    if (!withMargins)
        return;
    const WORD *margins = pdev->job.setup.escapeMargins; // left, right, top, bottom
    rect[0] += tenths_to_pixels(margins[0], resolution);
    rect[2] -= tenths_to_pixels(margins[1], resolution);
    rect[1] += tenths_to_pixels(margins[2], resolution);
    rect[3] -= tenths_to_pixels(margins[3], resolution);
}

LONG esc_PageEndQuery(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->out == NULL || call->cjOut != sizeof(PageEndReply))
        return ESC_FAIL;
    DWORD flag = call->cjIn >= sizeof(DWORD) ? esc_ReadLong(call->in, 0) : 0;
    memset(call->out, 0, sizeof(PageEndReply));
    if (!esc_IsPageActive(pdev))
        return 1;
    PageEndValues values;
    if (!page_end_values(pdev, flag, &values))
        return ESC_FAIL;
    esc_WriteLong(call->out, offsetof(PageEndReply, drawOnSheet), values.drawSheet);
    esc_WriteLong(call->out, offsetof(PageEndReply, drawOnPage), values.drawPage);
    esc_WriteLong(call->out, offsetof(PageEndReply, stampValue), values.stampValue);
    // Eight floats: the printable rectangle, then the two placement pairs (0 until the
    // stamp placement gives them).
    float floats[8] = {};
    printable_rectangle(pdev, values.drawPage != 0, floats);
    static_assert(sizeof(floats) == sizeof(((PageEndReply *)0)->printable) * 2, "page-end floats");
    memcpy(call->out + offsetof(PageEndReply, printable), floats, sizeof(floats));
    return 1;
}
