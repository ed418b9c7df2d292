/*
 * Opening and closing a printer's driver context, and the driver configuration file's
 * path (driver_context.h).
 */
#include "core/context/driver_context.h"

#include "core/config/config_file.h"
#include "core/devmode_merge/field_map_types.h"
#include "core/paperlist/paper_list_types.h"
#include "core/printerdata/printer_info.h"
#include "core/trace/trace.h"
#include "core/util/module.h"

static void open_FreeContext(DriverContext *context);
static void open_ReadConfiguration(DriverContext *context);

/* The switch name "USE_SPECIAL1" and the value "on" are rows of these tables. */
static const SpecialSettingsRequest kSpecialTables = {
    NULL, NULL, g_SpecialItemNames, g_SpecialValueNames, g_SpecialSwitchNames};

/* The section number of the public-field map ("DME,1"). */
static const int kFieldMapSection = 1;

/* Frees the context and what it holds: special settings, field map, paper list (files
 * must be closed already). */
static void open_FreeContext(DriverContext *context)
{
    opt_FreeSpecialSettings(context->special);
    if (context->fieldMap) {
        dm_ReleaseFieldMap(context->fieldMap);
    }
    opt_FreePaperListData((PaperList *)context->paperList);
    if (context->model) {
        GlobalFree(context->model);
    }
    if (context->base) {
        GlobalFree(context->base);
    }
    GlobalFree(context);
}

/*
 * Reads what the configuration file gives the context: the special settings of the
 * model's section, the trace configuration again, and the public-field map (inactive when
 * the file has no section "DME,1"; NULL when memory runs out).
 */
static void open_ReadConfiguration(DriverContext *context)
{
    WCHAR *path = util_GetConfigFilePath(context);
    if (!path) {
        return;
    }
    WORD status = 0;
    WCHAR *modelName = ddd_GetHeaderName(context->model, &status);
    if (modelName && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        SpecialSettingsRequest request = kSpecialTables;
        request.modelName = modelName;
        request.path = path;
        context->special = cfg_ReadSpecialSettings(&request);
        trc_Initialize();
        FieldMapSource source = {path, kFieldMapSection};
        context->fieldMap = dm_LoadFieldMap(&source);
    }
    if (modelName) {
        GlobalFree(modelName);
    }
    GlobalFree(path);
}

BOOL WINAPI ddd_CloseContext(DriverContext *context)
{
    if (!context) {
        return FALSE;
    }
    BOOL both = context->model && context->model->bytes && context->base && context->base->bytes;
    ddd_CloseFilePair(context->model, context->base);
    open_FreeContext(context);
    return both;
}

DriverContext *WINAPI ddd_OpenContext(HANDLE printer)
{
    if (!printer) {
        return NULL;
    }
    DriverContext *context = (DriverContext *)GlobalAlloc(GPTR, sizeof(DriverContext));
    if (!context) {
        return NULL;
    }
    context->model = (DddFile *)GlobalAlloc(GPTR, sizeof(DddFile));
    context->base = (DddFile *)GlobalAlloc(GPTR, sizeof(DddFile));
    WCHAR *dataFile = (context->model && context->base) ? ddd_GetDriverDataFilePath(printer) : NULL;
    if (!dataFile) {
        open_FreeContext(context);
        return NULL;
    }
    DddStatus status = ddd_OpenFilePair(dataFile, context->model, context->base);
    GlobalFree(dataFile);
    if (status != DDD_OK) {
        open_FreeContext(context);
        return NULL;
    }
    open_ReadConfiguration(context);
    return context;
}

WCHAR *WINAPI util_GetConfigFilePath(const DriverContext *context)
{
    if (!context || !context->model || !context->model->bytes || context->model->size < DDD_HEADER_BYTES) {
        return NULL;
    }
    WCHAR *baseName = ddd_AnsiToWide(context->model->bytes + DDD_BASE_NAME_OFFSET, DDD_TEXT_FIELD_BYTES);
    if (!baseName) {
        return NULL;
    }
    int dot = lstrlenW(baseName) - 1;
    while (dot >= 0 && baseName[dot] != '.') {
        --dot;
    }
    WCHAR directory[MAX_PATH];
    WCHAR *path = NULL;
    if (dot >= 0 && util_GetModuleDirectory(directory, sizeof(directory))) {
        baseName[dot + 1] = 0;
        DWORD chars = (DWORD)(lstrlenW(directory) + lstrlenW(baseName) + 4);
        path = (WCHAR *)GlobalAlloc(GPTR, chars * sizeof(WCHAR));
        if (path) {
            lstrcpyW(path, directory);
            lstrcatW(path, baseName);
            lstrcatW(path, TEXT("cfg"));
        }
    }
    GlobalFree(baseName);
    return path;
}
