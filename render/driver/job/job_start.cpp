/*
 * Job start and job open: the snapshot of the job's settings, the page state, the output
 * stream, the PDL writer and the channel; the surface set-up of the extended escapes.
 */
#include "render/driver/job/job_private.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"
#include "core/util/resource_module.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/fax/fax.h"
#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/job/extended_escape.h"
#include "render/driver/page/layout_settings.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/compression/compress_dll.h"
#include "render/pdl/fontsub/font_substitution.h"
#include "render/pdl/compression/colour_analysis.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/writer/job_version.h"
#include "render/pdl/writer/pdl_writer.h"

// The colour kind of the models whose extended escapes answer.
static const DWORD kColorKindTwo = 2;

// Font substitution: capability 2048 selects table 1; else table 0 needs capability 4096.
static const DWORD kCapFontTableOne = 2048;
static const DWORD kCapFontTableZero = 4096;

// PDL versions from which the two compression bindings exist.
static const DWORD kCompressionVersion = 0x01010801;

static ModelCapabilities ModelCaps(PDEV *pdev)
{
    ModelCapabilities caps = {};
    if (pdev->modelFile != NULL) {
        ddd_GetModelCapabilities(pdev->modelFile, &caps);
    }
    return caps;
}

// CopyName: at most JOB_NAME_CHARS - 1 characters and the terminator; NULL gives "".
static void CopyName(WCHAR *to, LPCWSTR from)
{
    size_t n = 0;
    while (from != NULL && n + 1 < JOB_NAME_CHARS && from[n] != 0) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

LONG jcp_BuildSnapshot(PDEV *pdev, BOOL rebuild)
{
    ModelCapabilities caps = ModelCaps(pdev);
    PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    DWORD version = jc_GetJobPdlVersion(&pdev->devmode, pdev->printerData);
    pdev->job.control.pdlVersion = version;
    LONG result = rebuild ? jc_RebuildPageSetupSnapshot(snapshot, version, &pdev->devmode, pdev->printerData, &caps)
                          : jc_BuildPageSetupSnapshot(snapshot, version, &pdev->devmode, pdev->printerData, &caps);
    // The first job-control word set to 1 asks for the job's pages to be replayed; a layout
    // the driver makes (reverse order, its own copies) is replayed too.
    if (pdev->job.jobControl[0] == 1) {
        pdev->job.control.replayRequest = 1;
    }
    if (pdev->job.control.replayRequest || snapshot->driverLayout) {
        pdev->job.control.replayFlag = 1;
    }
    if (result == 0) {
        result = jc_CheckWaitingFeatures(pdev);
    }
    return result;
}

LONG jcp_ReadPageGeometry(PDEV *pdev, BOOL full)
{
    ModelCapabilities caps = ModelCaps(pdev);
    LayoutRangeSource ranges = {pdev->modelFile, pdev->baseFile};
    PageBlock *block = &pdev->job.setup.page;
    LONG result =
        jc_ReadLayoutSettings(block, &pdev->job.setup.snapshot, &pdev->devmode, pdev->printerData, &caps, &ranges);
    result |= geo_ReadPagePaper(pdev, &pdev->devmode, &block->page, &block->turned, &pdev->job.setup.noPaperKind);
    if (full || (pdev->job.setup.noPaperKind && pdev->job.setup.snapshot.paper267)) {
        result |= geo_ReadOutputPaper(pdev, &pdev->devmode, &block->output);
    }
    return result;
}

LONG WINAPI jc_StartJob(PDEV *pdev, HANDLE printer)
{
    if (pdev == NULL) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    memset(&pdev->job.setup, 0, sizeof pdev->job.setup);
    if (jcp_BuildSnapshot(pdev, FALSE) != 0) {
        return -1;
    }
    memset(&control->counters, 0, sizeof control->counters);
    pdev->job.pageState = 0;
    pdev->job.recordWord = 0;
    pdev->job.colorResult = 0;
    control->printer = printer;

    ModelCapabilities caps = ModelCaps(pdev);
    if (ddd_TestCapability(&caps, kCapFontTableOne)) {
        control->fontTable = 1;
    } else {
        control->fontTable = ddd_TestCapability(&caps, kCapFontTableZero) ? 0 : 1;
    }
    fnt_SelectSubstTable(control->fontTable);
    if (pdev->job.faxJob) {
        fax_FreeSendList(pdev);
    }

    HMODULE module = pdev->resourceUse ? util_GetResourceModule() : NULL;
    return spl_PdevCreateStream(pdev, module) == 0 ? 0 : -1;
}

LONG WINAPI jc_OpenJob(PDEV *pdev, LPCWSTR docName, LPCWSTR outputFile)
{
    if (pdev == NULL) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    // Without the stream of a started job there is nothing to open.
    if (pdev->job.stream == NULL) {
        return -1;
    }
    pdev->job.pageState &= (WORD)~PAGE_STATE_ABORT;
    DWORD memory = 0;
    if (!pdev->job.setup.snapshot.storedJob && pdev->modelFile != NULL) {
        memory = ddd_GetWriterMemory(pdev->modelFile);
    }
    if (pdev->job.writer == NULL) {
        pdev->job.writer = pdl_CreateWriter(pdev->job.stream, &pdev->devmode, pdev->printerData, memory);
    }
    LONG result = pdev->job.writer != NULL ? 0 : -1;

    // A model's hook component takes every page of the job when it opens: the pages are
    // recorded and replayed through it (booklet faces are replayed anyway).
    if (hook_ModelNamesComponent(pdev) && hook_Open(pdev) == 0 && !pdev->job.setup.snapshot.bookletOn) {
        control->replayFlag = 1;
    }
    DWORD hook = hook_IsActive(pdev);
    img_CreateAnalysisState(pdev);
    result |= jcs_CreateImageQueue(pdev, hook ? 0 : pdev_GetSetting32(pdev, FID_IMAGE_QUEUE_LIMIT));
    result |= jcs_CreateRotationBuffer(pdev);

    jc_StartTraceClock(pdev);
    if (!hook && control->pdlVersion >= kCompressionVersion) {
        result |= img_LoadCompressDll(pdev, control->pdlVersion);
    }

    pdev->job.pageState = PAGE_STATE_DOC_OPEN;
    pdev->job.recordWord = 0;
    CopyName(pdev->job.documentName, docName);
    CopyName(control->outputFile, outputFile);

    result |= jc_CreateJobInfo(pdev);
    if (result != 0) {
        return -1;
    }
    result |= clr_InitPageColorSet(pdev);
    result |= spl_PdevOpenChannel(pdev);
    return result == 0 ? 0 : -1;
}

LONG WINAPI jc_PrepareSurfaceSettings(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    if (pdev->flags & PDEV_FLAG_CONTINUATION) {
        return 0;
    }
    DWORD version = jc_GetJobPdlVersion(&pdev->devmode, pdev->printerData);
    version = jc_ApplyVersionSwitch(version, &pdev->devmode, pdev->printerData);
    DWORD extendedDuplex = pdev_GetSetting32(pdev, FID_OPTION_DUPLEX) != 0;
    DWORD colorKindTwo = 0;
    if (pdev->modelFile != NULL) {
        colorKindTwo = ddd_GetColorKindByte(pdev->modelFile) == kColorKindTwo;
    }
    esc_InitExtendedState(pdev, version, extendedDuplex, colorKindTwo);
    return 0;
}
