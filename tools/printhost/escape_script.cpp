/*
 * The escape script: what the user-interface driver sends the render driver at each
 * document event, in its order. An escape counts as answered when ExtEscape returns more
 * than 0.
 */
#include "tools/printhost/escape_script.h"

#include <stdio.h>
#include <string.h>

#include <winspool.h>

#include "core/ddd/ddd_access.h"
#include "core/protocol/escapes.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/stored/stored.h"
#include "core/util/locale_paper.h"
#include "tools/printhost/escape_payloads.h"

// The owner source that names the account's own user text.
static const LONG kSourceAccountText = 7;

// The model's capability that lets the locale choose the paper family.
static const DWORD kLocalePaperCapability = 0x400000;

// Where the settings blocks come from: a settings file, or the printer's own store.
static const WORD kStoreFile = 0;
static const WORD kStorePrinter = 2;
static const WORD kStoreUser = 3;

// The placement of an item's first copy: its own place.
static const WORD kTilePlacement = 0;

void ph_InitScript(EscapeScript *script, HANDLE printer, LPCWSTR printerName, HDC dc, const AddedPageHooks *hooks)
{
    script->printer = printer;
    script->printerName = printerName;
    script->dc = dc;
    script->addedPage = hooks != NULL ? *hooks : AddedPageHooks{NULL, NULL, NULL};
    script->stampDraw = StampDrawHook{NULL, NULL};
    memset(&script->devmode, 0, sizeof script->devmode);
    memset(&script->block, 0, sizeof script->block);
    memset(&script->renderJob, 0, sizeof script->renderJob);
    script->documentStarted = 0;
    script->sharedWarning = 0;
    script->confirmed = 0;
    script->attrMode = 0;
    memset(script->document, 0, sizeof script->document);
    memset(&script->owner, 0, sizeof script->owner);
    memset(&script->identity, 0, sizeof script->identity);
    script->attrSets.clear();
    script->faxList.clear();
    script->log.clear();
}

// Escape: one ExtEscape on the DC, logged. Returns what it answered.
static int Escape(EscapeScript *script, const char *event, DWORD code, const void *in, int inSize, void *out,
                  int outSize)
{
    int result = ExtEscape(script->dc, (int)code, inSize, (LPCSTR)in, outSize, (LPSTR)out);
    script->log.push_back(EscapeRecord{event, code, inSize, outSize, result});
    return result;
}

static BOOL Send(EscapeScript *script, const char *event, DWORD code, const void *in, int inSize)
{
    return Escape(script, event, code, in, inSize, NULL, 0) > 0;
}

static BOOL Ask(EscapeScript *script, const char *event, DWORD code, void *out, int outSize)
{
    return Escape(script, event, code, NULL, 0, out, outSize) > 0;
}

static BOOL SendWord(EscapeScript *script, const char *event, DWORD code, WORD value)
{
    return Send(script, event, code, &value, sizeof value);
}

static BOOL SendLong(EscapeScript *script, const char *event, DWORD code, DWORD value)
{
    return Send(script, event, code, &value, sizeof value);
}

// Switch: a mode escape: a u32 in, a 4-byte answer out.
static BOOL Switch(EscapeScript *script, const char *event, DWORD code, DWORD on)
{
    DWORD answer = 0;
    return Escape(script, event, code, &on, sizeof on, &answer, sizeof answer) > 0;
}

// LoadSettingsBlocks: the stored settings blocks of the job: the second part of the
// DEVMODE from the settings file of setting 374 (a pipe name is no file), else from the
// printer's store, else the printer's default second part.
static void LoadSettingsBlocks(EscapeScript *script, DriverContext *context)
{
    static const WCHAR kPipePrefix[] = TEXT("\\\\.\\pipe\\");
    const size_t prefix = sizeof kPipePrefix / sizeof(WCHAR) - 1;
    const WCHAR *path =
        (const WCHAR *)dma_GetTypedValue(&script->devmode, &script->block, FID_SETTINGS_FILE, VT_STRING);
    WCHAR start[prefix + 1] = {};
    if (path != NULL)
        lstrcpynW(start, path, (int)prefix + 1);
    BOOL isFile = path != NULL && path[0] != 0 && lstrcmpiW(start, kPipePrefix) != 0;
    DevmodeSecondPart *second = &script->devmode.second;
    if (isFile &&
        pd_LoadSettingsBlocks(script->printer, context, path, kStoreFile, NULL, second, NULL, NULL, NULL, NULL)) {
        return;
    }
    WORD kind = ph_ReadNumber(script, FID_STORE_IN_USER_KEY) == 1 ? kStoreUser : kStorePrinter;
    if (pd_LoadSettingsBlocks(script->printer, context, NULL, kind, NULL, second, NULL, NULL, NULL, NULL)) {
        return;
    }
    pd_MakeDefaultSecondPart(script->printer, second);
}

// AskSecurityData: the size of the render driver's security-marking data, then the data.
// The script offers no security marking, so the data is not kept.
static void AskSecurityData(EscapeScript *script, const char *event)
{
    WORD which = ESC_QUERY_SIZE;
    DWORD size = 0;
    if (Escape(script, event, ESC_QUERY_BLOCK_B, &which, sizeof which, &size, sizeof size) <= 0 || size == 0) {
        return;
    }
    std::vector<BYTE> data(size);
    which = ESC_QUERY_DATA;
    Escape(script, event, ESC_QUERY_BLOCK_B, &which, sizeof which, data.data(), (int)size);
}

static LONG StartDoc(EscapeScript *script, const char *event, LPCWSTR document)
{
    if (script->dc == NULL)
        return -1;
    DriverContext *context = ddd_OpenContext(script->printer);
    if (context == NULL)
        return -1;
    script->sharedWarning = 0;
    script->confirmed = 0;
    memset(script->document, 0, sizeof script->document);
    memset(&script->owner, 0, sizeof script->owner);
    LONG result = 1;
    script->documentStarted = 1;
    if (!SendLong(script, event, ESC_JOB_IN_PROGRESS, 1) ||
        !Ask(script, event, ESC_GET_DEVMODE, &script->devmode, sizeof script->devmode)) {
        result = -1;
    }
    if (result == 1 && document != NULL) {
        lstrcpynW(script->document, document, ESC_PATH_CHARS);
        if (!ph_FillDocumentIdentity(script))
            result = -1;
    }
    if (result == 1 && !pd_LoadPrinterData(script->printer, &script->block, context))
        result = -1;
    if (result == 1 && !Ask(script, event, ESC_GET_EXT_WORDS, &script->renderJob, sizeof script->renderJob)) {
        result = -1;
    }
    if (result == 1) {
        AskSecurityData(script, event);
        LoadSettingsBlocks(script, context);
        DWORD mode = 0;
        if (!Ask(script, event, ESC_GET_FAX_MODEL, &mode, sizeof mode)) {
            result = -1;
        }
        script->attrMode = mode;
    }
    if (result == 1) {
        if (!Send(script, event, ESC_SET_DEVMODE, &script->devmode, sizeof script->devmode))
            result = -1;
        ph_FillOwnerRecord(script, context);
    }
    ddd_CloseContext(context);
    return result;
}

// SendSettings: the job's settings as one series of escapes. A failed escape makes the
// result -1 and the series goes on.
static LONG SendSettings(EscapeScript *script, const char *event)
{
    if (!script->documentStarted)
        return 1;
    DriverContext *context = ddd_OpenContext(script->printer);
    LONG result = 1;
    Ask(script, event, ESC_GET_DEVMODE, &script->devmode, sizeof script->devmode);
    DWORD mode = 0;
    if (context != NULL && ph_ReadNumber(script, FID_JOB_ATTRIBUTES) == 1 &&
        Ask(script, event, ESC_GET_FAX_MODEL, &mode, sizeof mode)) {
        result = ph_BuildAttrSets(script, context, mode);
    }
    if (!SendWord(script, event, ESC_SETTINGS_LOCK, ESC_SETTINGS_BEGIN))
        result = -1;
    if (context != NULL) {
        BOOL fromLocale = ddd_HasCapability(context->model, kLocalePaperCapability);
        if (!SendWord(script, event, ESC_LOCALE_PAPER, util_GetLocalePaperKind(fromLocale)))
            result = -1;
    } else {
        result = -1;
    }
    // Each of these is sent whatever the one before answered.
    const struct {
        DWORD code;
        const void *payload;
        int size;
    } blocks[] = {
        {ESC_OUTPUT_PATH, script->document, (int)sizeof script->document},
        {ESC_SET_DEVMODE, &script->devmode, (int)sizeof script->devmode},
        {ESC_SET_PRINTER_DATA, &script->block, (int)sizeof script->block},
        {ESC_SET_JOB_INFO, &script->owner, (int)sizeof script->owner},
        {ESC_SET_EXT_WORDS, &script->renderJob, (int)sizeof script->renderJob},
    };
    for (const auto &block : blocks) {
        if (!Send(script, event, block.code, block.payload, block.size))
            result = -1;
    }
    if (script->confirmed && !SendLong(script, event, ESC_PAGE_SETUP_WORD, script->confirmed))
        result = -1;
    // The fax send list goes with the job attributes; without one loaded there is nothing
    // to send.
    if (script->attrMode != 0 && !script->faxList.empty() &&
        !Send(script, event, ESC_FAX_LIST, script->faxList.data(), (int)script->faxList.size())) {
        result = -1;
    }
    if (!script->attrSets.empty() &&
        !Send(script, event, ESC_ATTR_SETS, script->attrSets.data(), (int)script->attrSets.size())) {
        result = -1;
    }
    if (!Send(script, event, ESC_JOB_START_EXTRA, &script->identity, sizeof script->identity))
        result = -1;
    if (!SendWord(script, event, ESC_SETTINGS_LOCK, ESC_SETTINGS_END))
        result = -1;
    if (context != NULL)
        ddd_CloseContext(context);
    return result;
}

static LONG StartDocPost(EscapeScript *script, const char *event)
{
    if (!script->documentStarted)
        return -1;
    DWORD answer = 0;
    if (!Ask(script, event, ESC_SHARED_WARNING, &answer, sizeof answer))
        return -1;
    script->sharedWarning = answer;
    if (answer != 0 && ph_ReadNumber(script, FID_STORED_JOB) == 1) {
        DWORD needed = 0;
        GetPrinterW(script->printer, 5, NULL, 0, &needed);
        std::vector<BYTE> info(needed);
        DWORD both = PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_NETWORK;
        if (needed != 0 && GetPrinterW(script->printer, 5, info.data(), needed, &needed) &&
            (((PRINTER_INFO_5W *)info.data())->Attributes & both) == both) {
            // Nobody answers the warning here: it counts as confirmed with OK.
            script->confirmed = 1;
        }
    }
    return SendSettings(script, event);
}

static LONG StartPage(EscapeScript *script, const char *event)
{
    if (script->dc == NULL)
        return -1;
    DriverDevmode local;
    if (!Ask(script, event, ESC_GET_DEVMODE, &local, sizeof local))
        return -1;
    PrinterDataBlock block;
    DriverContext *context = ddd_OpenContext(script->printer);
    BOOL loaded = context != NULL && pd_LoadPrinterData(script->printer, &block, context);
    if (context != NULL)
        ddd_CloseContext(context);
    if (!loaded)
        return -1;
    PageMarginRecord record;
    ph_FillMarginRecord(script, &local, &block, &record);
    return Send(script, event, ESC_SET_MARGINS, &record, sizeof record) ? 1 : -1;
}

// Draw: where the stamp or an annotation text is drawn. The script draws nothing; the
// first copy of a tiled item is placed at its own offset, which is zero.
static LONG Draw(EscapeScript *script, const char *event, WORD placement)
{
    if (placement != kTilePlacement)
        return 1;
    AnnotationOffset offset = {0, 0};
    return Send(script, event, ESC_PLACE_ANNOTATION, &offset, sizeof offset) ? 1 : -1;
}

static LONG DrawStamp(EscapeScript *script, const char *event, DriverDevmode *devmode)
{
    LONG result = -1;
    if (Switch(script, event, ESC_STAMP_MODE, 1)) {
        if (script->stampDraw.draw != NULL) {
            script->stampDraw.draw(script->stampDraw.host);
        }
        LONG repeat = 0;
        util_ReadSettingLong(FID_STAMP_REPEAT, devmode, &script->block, &repeat);
        LONG placement = 0;
        if (repeat != 1)
            util_ReadSettingLong(FID_STAMP_PLACEMENT, devmode, &script->block, &placement);
        result = Draw(script, event, (WORD)placement);
    }
    Switch(script, event, ESC_STAMP_MODE, 0);
    return result;
}

// AskJobNumber: the job number into the owner record, when the render driver answers it.
static void AskJobNumber(EscapeScript *script, const char *event, JobOwnerRecord *record)
{
    DWORD number = 0;
    if (Ask(script, event, ESC_GET_PAGE_WORD, &number, sizeof number)) {
        record->jobNumber = (WORD)number;
    }
}

// OwnerName: the settings text the user-and-host item is taken from, or NULL for the job's
// own names. With the model's capability the account settings choose it; without, the
// name of the account kind.
static const WCHAR *OwnerName(DriverDevmode *devmode, PrinterDataBlock *block, BOOL fromSettings)
{
    LONG account = 0, selector = 0, source = 0;
    util_ReadSettingLong(FID_ACCOUNT_MODE, devmode, block, &account);
    util_ReadSettingLong(account == 0 ? FID_POPUP_ADMIN : FID_POPUP_USER, devmode, block, &selector);
    util_ReadSettingLong(account == 0 ? FID_OWNER_SOURCE : FID_OWNER_SOURCE_ALT, devmode, block, &source);
    WORD id = 0;
    if (fromSettings && selector == 1) {
        id = FID_CODE_USER;
    } else if (source == kSourceAccountText && (fromSettings || account == 0 || account == 1)) {
        id = account == 0 ? FID_ACCOUNT_TEXT : FID_ACCOUNT_TEXT_ALT;
    }
    const WCHAR *text = id != 0 ? (const WCHAR *)dma_GetTypedValue(devmode, block, id, VT_STRING) : NULL;
    return text != NULL && text[0] != 0 ? text : NULL;
}

// OwnerFromJob: the owner record of the annotations built from the spool job: the items
// whose flag is on, each with the placement word of its setting.
static BOOL OwnerFromJob(EscapeScript *script, const char *event, DriverDevmode *devmode, JobOwnerRecord *record)
{
    DWORD id = 0;
    if (!Ask(script, event, ESC_GET_JOB_ID, &id, sizeof id))
        return FALSE;
    DWORD needed = 0;
    GetJobW(script->printer, id, 1, NULL, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !GetJobW(script->printer, id, 1, buffer.data(), needed, &needed))
        return FALSE;
    const JOB_INFO_1W *job = (const JOB_INFO_1W *)buffer.data();
    memset(record, 0, sizeof *record);
    for (WORD &placement : record->placements)
        placement = OWNER_ITEM_OFF;
    SYSTEMTIME local = {};
    FILETIME submitted, localFile;
    BOOL clock = SystemTimeToFileTime(&job->Submitted, &submitted) && FileTimeToLocalFileTime(&submitted, &localFile) &&
                 FileTimeToSystemTime(&localFile, &local);
    for (int i = 0; i < OWNER_ITEMS; ++i) {
        LONG on = 0, placement = 0;
        util_ReadSettingLong((WORD)(FID_OWNER_ITEM_FLAG + i), devmode, &script->block, &on);
        if (on != 1)
            continue;
        util_ReadSettingLong((WORD)(FID_OWNER_ITEM_PLACEMENT + i), devmode, &script->block, &placement);
        record->placements[i] = (WORD)placement;
        switch (i) {
        case OWNER_ITEM_USER: ph_PutOwnerItem(record, i, job->pUserName); break;
        case OWNER_ITEM_USER_HOST: {
            PrinterDataBlock block;
            if (!Ask(script, event, ESC_GET_PRINTER_DATA, &block, sizeof block))
                return FALSE;
            DriverContext *context = ddd_OpenContext(script->printer);
            BOOL fromSettings = context != NULL && ddd_HasCapability(context->model, PH_OWNER_FROM_SETTINGS);
            if (context != NULL)
                ddd_CloseContext(context);
            const WCHAR *name = OwnerName(devmode, &block, fromSettings);
            std::u16string text = name != NULL ? std::u16string((const char16_t *)name)
                                               : std::u16string((const char16_t *)job->pUserName);
            if (name == NULL && !fromSettings)
                text += u"\\" + std::u16string((const char16_t *)job->pMachineName);
            ph_PutOwnerItem(record, i, (const WCHAR *)text.c_str());
            break;
        }
        case OWNER_ITEM_DOCUMENT: ph_PutOwnerItem(record, i, job->pDocument); break;
        case OWNER_ITEM_JOB_NUMBER: AskJobNumber(script, event, record); break;
        default: ph_PutOwnerClock(record, &local, i == OWNER_ITEM_DATE && clock, i == OWNER_ITEM_TIME && clock); break;
        }
    }
    record->filled = 1;
    return TRUE;
}

// AnnotationRecord: the owner record the render driver keeps; else the one of the
// document's start with its job number; else one built from the spool job. FALSE when
// none can be had.
static BOOL AnnotationRecord(EscapeScript *script, const char *event, DriverDevmode *devmode, JobOwnerRecord *record)
{
    if (Ask(script, event, ESC_GET_JOB_INFO, record, sizeof *record))
        return TRUE;
    if (script->owner.filled != 0) {
        if (ph_ReadNumber(script, (WORD)(FID_OWNER_ITEM_FLAG + (int)OWNER_ITEM_JOB_NUMBER)) == 1)
            AskJobNumber(script, event, &script->owner);
        *record = script->owner;
        return TRUE;
    }
    if (!OwnerFromJob(script, event, devmode, &script->owner))
        return FALSE;
    *record = script->owner;
    return TRUE;
}

static LONG DrawAnnotations(EscapeScript *script, const char *event, DWORD endOfDocument, DriverDevmode *devmode)
{
    JobOwnerRecord record = {};
    LONG result = -1;
    if (AnnotationRecord(script, event, devmode, &record)) {
        if (record.filled == 0) {
            result = 1;
        } else if (Switch(script, event, ESC_STAMP_RESTORE, 1)) {
            LONG area = 0;
            LONG pages = 0;
            util_ReadSettingLong(FID_PAGE_LAYOUT, devmode, &script->block, &area);
            util_ReadSettingLong(FID_PAGES_PER_SHEET, devmode, &script->block, &pages);
            WORD placements[OWNER_ITEMS];
            memcpy(placements, record.placements, sizeof placements);
            for (int i = 0; i < OWNER_ITEMS; ++i) {
                if (placements[i] == OWNER_ITEM_OFF)
                    continue;
                for (int j = i + 1; j < OWNER_ITEMS; ++j) {
                    if (placements[j] == placements[i])
                        placements[j] = OWNER_ITEM_OFF;
                }
                if (area == 2 && pages != 1) {
                    PageEndReply request;
                    if (Escape(script,
                               event,
                               ESC_PAGE_END,
                               &endOfDocument,
                               sizeof endOfDocument,
                               &request,
                               sizeof request) <= 0) {
                        break;
                    }
                }
                result = Draw(script, event, placements[i]);
                if (result == -1)
                    break;
            }
        }
    }
    Switch(script, event, ESC_STAMP_RESTORE, 0);
    return result;
}

// AddPage: the page added at the end of the document for what is drawn there.
static BOOL AddPage(EscapeScript *script, const char *event)
{
    const AddedPageHooks &hooks = script->addedPage;
    if (hooks.start == NULL || !hooks.start(hooks.host))
        return FALSE;
    if (!SendLong(script, event, ESC_JOB_CONTROL_SECOND, 1)) {
        hooks.end(hooks.host);
        return FALSE;
    }
    return TRUE;
}

// PageEnd: ENDPAGE (flag 0) and ENDDOC (flag 1): the stamp on the page, a stamp on a page
// of its own and the page annotations, as the render driver asks for them.
static LONG PageEnd(EscapeScript *script, const char *event, DWORD endOfDocument)
{
    if (script->dc == NULL)
        return -1;
    PageEndReply request = {};
    if (Escape(script, event, ESC_PAGE_END, &endOfDocument, sizeof endOfDocument, &request, sizeof request) <= 0 ||
        (request.drawOnSheet == 0 && request.drawOnPage == 0 && request.stampValue == 0)) {
        return 1;
    }
    DriverDevmode local;
    if (!Ask(script, event, ESC_GET_DEVMODE, &local, sizeof local))
        return 1;
    LONG result = 1;
    BOOL added = FALSE;
    // The reply's words: a stamp on the current page, a stamp on a page of its own, the
    // page annotations.
    if (request.drawOnPage != 0)
        result = DrawStamp(script, event, &local);
    if (request.drawOnSheet != 0) {
        if (endOfDocument) {
            if (!AddPage(script, event))
                return result;
            added = TRUE;
        }
        result = DrawStamp(script, event, &local);
    }
    if (request.stampValue != 0) {
        if (endOfDocument && !added) {
            if (!AddPage(script, event))
                return result;
            added = TRUE;
        }
        result = DrawAnnotations(script, event, endOfDocument, &local);
    }
    if (added) {
        script->addedPage.end(script->addedPage.host);
        SendLong(script, event, ESC_JOB_CONTROL_SECOND, 0);
    }
    return result;
}

// Logged: an event's answer as the last line of its escapes.
static LONG Logged(EscapeScript *script, const char *event, LONG result)
{
    script->log.push_back(EscapeRecord{event, 0, 0, 0, (int)result});
    return result;
}

LONG ph_ScriptStartDoc(EscapeScript *script, LPCWSTR document)
{
    return Logged(script, "STARTDOC", StartDoc(script, "STARTDOC", document));
}

LONG ph_ScriptStartDocPost(EscapeScript *script)
{
    return Logged(script, "STARTDOCPOST", StartDocPost(script, "STARTDOCPOST"));
}

LONG ph_ScriptResetDcPost(EscapeScript *script)
{
    return Logged(script, "RESETDCPOST", SendSettings(script, "RESETDCPOST"));
}

LONG ph_ScriptStartPage(EscapeScript *script)
{
    return Logged(script, "STARTPAGE", StartPage(script, "STARTPAGE"));
}

LONG ph_ScriptEndPage(EscapeScript *script)
{
    return Logged(script, "ENDPAGE", PageEnd(script, "ENDPAGE", 0));
}

LONG ph_ScriptEndDoc(EscapeScript *script)
{
    return Logged(script, "ENDDOC", PageEnd(script, "ENDDOC", 1));
}

std::string ph_FormatEscapeLog(const EscapeScript *script)
{
    std::string text;
    char line[96];
    for (const EscapeRecord &record : script->log) {
        if (record.code == 0) {
            snprintf(line, sizeof line, "%s -> %d\n", record.event, record.result);
        } else {
            snprintf(line,
                     sizeof line,
                     "%s 0x%04lX in %d out %d -> %d\n",
                     record.event,
                     (unsigned long)record.code,
                     record.inSize,
                     record.outSize,
                     record.result);
        }
        text += line;
    }
    return text;
}
