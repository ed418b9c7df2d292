/*
 * The job's outside compression component: bound at job open for text from PDL version
 * 0x1010801 and for images too from 0x1010901, given back once when the job is released.
 * The model names it by a plain file name in the driver's directory; any other name
 * counts as no component.
 */
#include <string.h>

#include "render/driver/job/job_private.h"

#include "render/driver/header/string_util.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/compression/compress_component.h"
#include "render/pdl/compression/compress_dll.h"

static const DWORD kTextVersion = 0x01010801, kImageVersion = 0x01010901;
static const WORD kComponentKind = 5;

/* Whether path is the driver directory followed by a plain file name. */
static BOOL jcm_PlainName(HANDLE printer, LPCWSTR path)
{
    LPWSTR directory = util_GetDriverDirectory(printer);
    if (directory == NULL)
        return FALSE;
    int length = lstrlenW(directory);
    WCHAR head[MAX_PATH];
    BOOL plain = lstrlenW(path) > length && length < MAX_PATH;
    if (plain) {
        lstrcpynW(head, path, length + 1);
        plain = lstrcmpiW(head, directory) == 0;
    }
    LPCWSTR name = path + length;
    for (LPCWSTR c = name; plain && *c; c++)
        plain = *c != TEXT('\\') && *c != TEXT('/') && *c != TEXT(':');
    if (plain && (lstrcmpW(name, TEXT(".")) == 0 || lstrcmpW(name, TEXT("..")) == 0))
        plain = FALSE;
    GlobalFree(directory);
    return plain;
}

LPWSTR jc_ModelComponentPath(HANDLE printer, WORD kind)
{
    LPWSTR path = util_GetModelFilePath(printer, kind);
    if (path != NULL && !jcm_PlainName(printer, path)) {
        GlobalFree(path);
        path = NULL;
    }
    return path;
}

LONG WINAPI img_LoadCompressDll(PDEV *pdev, DWORD pdlVersion)
{
    if (pdev == NULL)
        return -1;
    img_UnloadCompressDll(pdev);
    if (pdlVersion < kTextVersion)
        return 0;
    HANDLE printer = pdev->job.control.printer != NULL ? pdev->job.control.printer : pdev->printer;
    LPWSTR path = jc_ModelComponentPath(printer, kComponentKind);
    if (path == NULL)
        return 0;
    CompressDllTable *table = cmp_LoadComponent(path);
    GlobalFree(path);
    pdev->job.textCompression = table;
    pdev->job.imageCompression = pdlVersion >= kImageVersion ? table : NULL;
    return 0;
}

void WINAPI img_UnloadCompressDll(PDEV *pdev)
{
    if (pdev == NULL)
        return;
    CompressDllTable *table =
        pdev->job.textCompression != NULL ? pdev->job.textCompression : pdev->job.imageCompression;
    pdev->job.textCompression = NULL;
    pdev->job.imageCompression = NULL;
    cmp_ReleaseComponent(table);
}
