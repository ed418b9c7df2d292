/*
 * The paper rules: the paper fields of a DEVMODE matched to a printer form, reset from the
 * printer's default, and the form name taken from the paper number.
 */
#include "core/rules/rules_private.h"

#include "core/handlers/setting_handlers.h"
#include "core/paperlist/paper_list.h"
#include "core/printerdata/printer_info.h"
#include "core/settings/settings.h"

enum {
    PAPER_USER = 256,
    FORM_NAME_END = 166, /* offsetof(DEVMODEW, dmFormName) + 64: a dmSize that reaches it */
    PAPER_RECORD = 10
};

/* Writes dmFormName (at most RULE_PAPER_NAME_CHARS - 1 characters of name). */
static BOOL paper_WriteName(DriverDevmode *devmode, PrinterDataBlock *block, const WCHAR *name)
{
    WCHAR cut[RULE_PAPER_NAME_CHARS];
    rule_CopyPaperName(cut, name);
    const WCHAR *text = cut;
    return dma_SetFunctionValue(FID_FORM_NAME,
                                devmode,
                                block,
                                VT_STRING,
                                2 * dma_CountWideChars(cut, RULE_PAPER_NAME_CHARS) + 2,
                                &text) == SST_OK;
}

/* The DEVMODE's paper fields as a paper record; the name into name. */
static BOOL paper_Read(DriverDevmode *devmode, PrinterDataBlock *block, PaperMatch *paper, WCHAR *name)
{
    LONG length = 0, width = 0, number = 0;
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR text = 0;
    if (!rule_Read(FID_PAPER_LENGTH, devmode, block, &length) || !rule_Read(FID_PAPER_WIDTH, devmode, block, &width) ||
        !rule_Read(FID_PAPER_SIZE, devmode, block, &number) ||
        dma_GetFunctionValue(FID_FORM_NAME, devmode, block, &type, &size, &text) != SST_OK || type != VT_STRING) {
        return FALSE;
    }
    paper->number = (WORD)number;
    paper->width = (WORD)width;
    paper->height = (WORD)length;
    rule_CopyPaperName(name, (const WCHAR *)text);
    paper->name = name;
    return TRUE;
}

/* The dimension flag: of the first of source and target that is a DEVMODE of this model,
 * 1 when 1353 is non-zero, else 1331's value; 0 when neither is. */
static BOOL paper_DimensionFlag(const PaperRuleRequest *request, DriverDevmode *target)
{
    DriverDevmode *driver = NULL;
    if (opt_IsDriverDevmodeHeader(request->context, request->source, request->block)) {
        driver = request->source;
    } else if (target != request->source && opt_IsDriverDevmodeHeader(request->context, target, request->block)) {
        driver = target;
    }
    LONG always = 0, announced = 0;
    if (!driver) {
        return FALSE;
    }
    if (rule_Read(FID_PAPER_DIMS_ALWAYS, driver, request->block, &always) && always != 0) {
        return TRUE;
    }
    return rule_Read(FID_PAPER_DIMS_ANNOUNCED, driver, request->block, &announced) && announced != 0;
}

BOOL WINAPI opt_RuleMatchPaper(const PaperRuleRequest *request)
{
    if (!request || !request->context || !request->source) {
        return FALSE;
    }
    DriverDevmode *target = request->target ? request->target : request->source;
    if (!(request->mask & RULE_PAPER_FIELDS)) {
        return TRUE;
    }
    WCHAR sourceName[RULE_PAPER_NAME_CHARS];
    WCHAR matchName[RULE_PAPER_NAME_CHARS];
    PaperFormRequest form = {};
    form.context = request->context;
    form.source = request->source;
    form.block = request->block;
    form.printer = request->printer;
    form.mask = request->mask;
    form.match.name = matchName;
    if (!paper_Read(request->source, request->block, &form.paper, sourceName)) {
        return FALSE;
    }
    form.dimensions = paper_DimensionFlag(request, target);
    int found = opt_MatchPaperToForm(&form);
    if (found == PAPER_FORM_FAILED) {
        return FALSE;
    }
    if (found == PAPER_FORM_NONE) {
        return target != request->source ||
               opt_ResetPaperFromPrinterDefault(request->context, request->printer, target, request->block);
    }
    LONG sourceFields = 0, targetFields = 0;
    if (!rule_Write(FID_PAPER_LENGTH, target, request->block, form.match.height) ||
        !rule_Write(FID_PAPER_WIDTH, target, request->block, form.match.width) ||
        !rule_Write(FID_PAPER_SIZE, target, request->block, form.match.number) ||
        (matchName[0] && !paper_WriteName(target, request->block, matchName)) ||
        !rule_Read(FID_FIELDS, request->source, request->block, &sourceFields) ||
        !rule_Read(FID_FIELDS, target, request->block, &targetFields)) {
        return FALSE;
    }
    DWORD fields = (DWORD)targetFields | ((DWORD)sourceFields & (DM_PAPERSIZE | DM_FORMNAME));
    if (form.dimensions) {
        fields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
    if (form.match.number == PAPER_USER) {
        fields = (fields & ~(DWORD)DM_FORMNAME) | DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
    return rule_Write(FID_FIELDS, target, request->block, (LONG)fields);
}

/* The model's default of a numeric paper field written into the DEVMODE. */
static BOOL paper_WriteDefault(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId)
{
    DefaultRequest request = {context, functionId, block, NULL, 0, 0, 0};
    if (opt_GetDefault(&request) != OPT_DEFAULT_OK) {
        return FALSE;
    }
    BOOL done = dma_SetValueSized(functionId, devmode, block, (DWORD)-1, request.valueType, &request.value) ||
                (request.valueType == VT_STRING && paper_WriteName(devmode, block, (const WCHAR *)request.value));
    return opt_FreeDefault(functionId, request.value, request.valueType) && done;
}

BOOL WINAPI opt_ResetPaperFromPrinterDefault(DriverContext *context, HANDLE printer, DriverDevmode *devmode,
                                             PrinterDataBlock *block)
{
    if (!context || !devmode) {
        return FALSE;
    }
    PRINTER_INFO_2W *info = (PRINTER_INFO_2W *)util_GetPrinterInfoAlloc(printer, 2);
    const DEVMODEW *stored = info ? info->pDevMode : NULL;
    BOOL done;
    if (stored && stored->dmSize >= FORM_NAME_END) {
        WCHAR name[CCHFORMNAME + 1] = {0};
        memcpy(name, stored->dmFormName, sizeof stored->dmFormName);
        done = rule_Write(FID_PAPER_SIZE, devmode, block, stored->dmPaperSize) &&
               rule_Write(FID_PAPER_LENGTH, devmode, block, stored->dmPaperLength) &&
               rule_Write(FID_PAPER_WIDTH, devmode, block, stored->dmPaperWidth) &&
               paper_WriteName(devmode, block, name);
    } else {
        done = paper_WriteDefault(context, devmode, block, FID_PAPER_SIZE) &&
               paper_WriteDefault(context, devmode, block, FID_PAPER_LENGTH) &&
               paper_WriteDefault(context, devmode, block, FID_PAPER_WIDTH) &&
               paper_WriteDefault(context, devmode, block, FID_FORM_NAME);
    }
    if (info) {
        GlobalFree(info);
    }
    return done;
}

/* The name of a paper number: its user-defined slot's, the device paper list's entry's, or
 * its paper record's. name: out. Returns 1, or 0 when none has one. */
static BOOL paper_NameOf(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block, WORD paper,
                         WCHAR *name)
{
    SHORT value = (SHORT)paper;
    WCHAR slotName[CUSTOM_SLOT_NAME_CHARS] = {0};
    CustomPaperRecord slot = {};
    CustomSlotRequest custom = {devmode, block, &value, VT_SHORT, &slot, slotName};
    if (opt_GetCustomPaperSize(&custom)) {
        rule_CopyPaperName(name, slot.name);
        return TRUE;
    }
    if (opt_HasPaperList(context)) {
        const WCHAR *listed = NULL;
        if (opt_FindPaper(context, PAPER_KEY_ID, &paper, PAPER_FIELD_NAME, &listed) != PAPER_LIST_OK) {
            return FALSE;
        }
        rule_CopyPaperName(name, listed);
        return TRUE;
    }
    DWORD optionValue = (DWORD)value;
    OptionTargetRequest target = {FID_PAPER_SIZE, &optionValue, NULL};
    WORD status = 0;
    if (!ddd_FetchOptionTarget(&target, &status, context)) {
        return FALSE;
    }
    const DddPaper *record = (const DddPaper *)target.record;
    BOOL ok = record->head.type == PAPER_RECORD;
    if (ok) {
        rule_CopyPaperName(name, record->name);
    }
    ddd_ReleaseRecord(target.record);
    return ok;
}

BOOL WINAPI opt_RuleSetFormNameFromPaper(DriverContext *context, HANDLE printer, DriverDevmode *devmode,
                                         PrinterDataBlock *block)
{
    LONG paper = 0, fields = 0;
    if (!context || !devmode || !rule_Read(FID_PAPER_SIZE, devmode, block, &paper)) {
        return FALSE;
    }
    PaperRuleRequest match = {context, NULL, devmode, block, printer, DM_FORMNAME};
    if (paper == PAPER_USER) {
        if (!rule_Read(FID_FIELDS, devmode, block, &fields)) {
            return FALSE;
        }
        match.mask = (DWORD)fields;
        return opt_RuleMatchPaper(&match);
    }
    WCHAR name[RULE_PAPER_NAME_CHARS] = {0};
    return paper_NameOf(context, devmode, block, (WORD)paper, name) && paper_WriteName(devmode, block, name) &&
           opt_RuleMatchPaper(&match);
}
