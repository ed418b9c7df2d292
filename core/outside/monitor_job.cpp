/*
 * The facts of a starting job as the document monitor gets them: the owner, the printer
 * and port names, the document, the job kind with its name text or, for fax jobs, the
 * destinations' texts. Each text is cut to its field less the terminator at a whole
 * character.
 */
#include "core/outside/monitor_binding.h"

#include "core/ddd/ddd_access.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/util/codepage_text.h"
#include "core/util/global_block.h"
#include "core/util/host_env.h"

#include <winspool.h>

#include <string.h>

static const char kUnknownUser[] = "UnknownUser";

/* The resource string between the caption and the value of a numbered job's name. */
static const UINT kNumberSeparatorString = 5144;

/* The layout class, whose current option names the other jobs. */
static const WORD kLayoutClassSetting = 266;

/* The job's narrow texts, each in its own field. */
typedef struct JtrFactTexts {
    char port[JTR_PORT_BYTES];
    char printer[JTR_PRINTER_BYTES];
    char owner[JTR_OWNER_BYTES];
    char document[JTR_DOCUMENT_BYTES];
    char name[JTR_NAME_BYTES];
} JtrFactTexts;

/* The two texts of one fax destination. */
typedef struct JtrFaxTexts {
    char text1[JTR_FAX_TEXT_BYTES];
    char text2[JTR_FAX_TEXT_BYTES];
} JtrFaxTexts;

/* jtr_Narrow: text in the ANSI code page, cut to the field at a whole character. */
static void jtr_Narrow(char *field, DWORD bytes, const WCHAR *text)
{
    memset(field, 0, bytes);
    if (text != NULL)
        util_WideToMultiByteBuf(CP_ACP, text, field, bytes);
}

/* jtr_NarrowField: a fixed wide field read within itself, narrowed. */
static void jtr_NarrowField(char *field, DWORD bytes, const WCHAR *wide, DWORD chars)
{
    WCHAR copy[160];
    DWORD n = 0;
    while (n < chars && n + 1 < sizeof(copy) / sizeof(copy[0]) && wide[n] != 0) {
        copy[n] = wide[n];
        ++n;
    }
    copy[n] = 0;
    jtr_Narrow(field, bytes, copy);
}

static LONG jtr_Setting(const JtrJobFacts *facts, WORD functionId)
{
    LONG value = 0;
    return util_ReadSettingLong(functionId, facts->devmode, facts->block, &value) ? value : 0;
}

static const WCHAR *jtr_SettingText(const JtrJobFacts *facts, WORD functionId)
{
    return (const WCHAR *)dma_GetTypedValue(facts->devmode, facts->block, functionId, VT_STRING);
}

/* jtr_Owner: the owner text of the owner source's setting, else the context's user
 * name, else the current user, else "UnknownUser". */
static void jtr_Owner(const JtrJobFacts *facts, char *owner)
{
    LONG source =
        jtr_Setting(facts, jtr_Setting(facts, FID_ACCOUNT_MODE) == 0 ? FID_OWNER_SOURCE : FID_OWNER_SOURCE_ALT);
    const WCHAR *text = NULL;
    if (source == 1 || source == 4)
        text = jtr_SettingText(facts, FID_ACCOUNT_TEXT);
    else if (source == 5 || source == 6)
        text = jtr_SettingText(facts, FID_ACCOUNT_TEXT_ALT);
    if (text == NULL || text[0] == 0)
        text = facts->ownerName;
    WCHAR user[JTR_OWNER_BYTES];
    if (text == NULL || text[0] == 0) {
        UserNameRequest request = {user, JTR_OWNER_BYTES};
        if (util_GetUserName(&request) > 0)
            text = user;
    }
    jtr_Narrow(owner, JTR_OWNER_BYTES, text);
    if (owner[0] == 0)
        memcpy(owner, kUnknownUser, sizeof(kUnknownUser));
}

/* jtr_PrinterNames: the printer and port names of the facts, else of the printer's
 * level-5 information. */
static void jtr_PrinterNames(const JtrJobFacts *facts, JtrFactTexts *texts)
{
    const WCHAR *printer = facts->printerName;
    const WCHAR *port = facts->portName;
    BYTE *info = NULL;
    if ((printer == NULL || port == NULL) && facts->printer != NULL) {
        DWORD needed = 0;
        GetPrinterW(facts->printer, 5, NULL, 0, &needed);
        info = needed > 0 ? (BYTE *)util_GlobalAllocZero(needed) : NULL;
        if (info != NULL && GetPrinterW(facts->printer, 5, info, needed, &needed)) {
            if (printer == NULL)
                printer = ((PRINTER_INFO_5W *)info)->pPrinterName;
            if (port == NULL)
                port = ((PRINTER_INFO_5W *)info)->pPortName;
        }
    }
    jtr_Narrow(texts->printer, sizeof(texts->printer), printer);
    jtr_Narrow(texts->port, sizeof(texts->port), port);
    util_GlobalFreeIfSet(info);
}

/* jtr_SettingAsText: the text a setting holds, or its number in decimal when it holds a
 * number (its type decides: a number is never read as a text's address); empty when it
 * cannot be read. */
static void jtr_SettingAsText(const JtrJobFacts *facts, WORD functionId, WCHAR *text, DWORD chars)
{
    text[0] = 0;
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    if (dma_GetFunctionValue(functionId, facts->devmode, facts->block, &type, &size, &value) != SST_OK)
        return;
    if (type == VT_STRING) {
        if (value != 0)
            lstrcpynW(text, (const WCHAR *)value, (int)chars);
        return;
    }
    LONG number = 0;
    if (util_ReadSettingLong(functionId, facts->devmode, facts->block, &number))
        wsprintfW(text, TEXT("%ld"), number);
}

/* jtr_KindName: the name text of a job of kinds 0, 3, 4 and 5: the text of the current
 * option of the layout class (setting 266), cut at its carriage return; empty without
 * description data or option. */
static void jtr_KindName(const JtrJobFacts *facts, char *name)
{
    short layout = (short)jtr_Setting(facts, kLayoutClassSetting);
    WCHAR *text = NULL;
    if (facts->model == NULL ||
        ddd_DupRecordString(facts->model, facts->base, kLayoutClassSetting, &layout, &text) != DDD_OK)
        return;
    for (WCHAR *p = text; *p != 0; ++p) {
        if (*p == 13) {
            *p = 0;
            break;
        }
    }
    jtr_Narrow(name, JTR_NAME_BYTES, text);
    GlobalFree(text);
}

/* jtr_NumberedName: the name text of a numbered job (kind 9): the caption of setting 435,
 * the resource string between them and the setting's text, each missing part left out. */
static void jtr_NumberedName(const JtrJobFacts *facts, char *name)
{
    WCHAR joined[3 * JTR_NAME_BYTES + 1] = {};
    WCHAR *caption = NULL;
    if (facts->model != NULL &&
        ddd_DupRecordString(facts->model, facts->base, FID_LEADING_ZEROS, NULL, &caption) == DDD_OK) {
        lstrcpynW(joined, caption, JTR_NAME_BYTES);
        GlobalFree(caption);
    }
    WCHAR part[JTR_NAME_BYTES] = {};
    if (facts->resourceModule != NULL &&
        LoadStringW(facts->resourceModule, kNumberSeparatorString, part, JTR_NAME_BYTES) > 0)
        lstrcatW(joined, part);
    jtr_SettingAsText(facts, FID_LEADING_ZEROS, part, JTR_NAME_BYTES);
    lstrcatW(joined, part);
    jtr_Narrow(name, JTR_NAME_BYTES, joined);
}

/* jtr_FaxTexts: the texts of the job's destinations: the destination's name and its
 * number. count: in, the destinations; out, those read (at least 1, empty without list). */
static JtrFaxTexts *jtr_FaxTexts(const JtrJobFacts *facts, DWORD *count)
{
    DWORD wanted = facts->destinationCount > 0 ? facts->destinationCount : 1;
    JtrFaxTexts *texts = (JtrFaxTexts *)util_GlobalAllocZero(wanted * (DWORD)sizeof(JtrFaxTexts));
    if (texts == NULL)
        return NULL;
    *count = wanted;
    if (facts->faxList == NULL || facts->destinationCount == 0)
        return texts;
    /* One destination: the set's own (one job per destination); else all from the first. */
    DWORD first = facts->destinationCount == 1 ? facts->setIndex : 0;
    for (DWORD i = 0; i < wanted; ++i) {
        FaxDestination entry;
        if (!job_GetFaxDestination(facts->faxList, first + i, &entry))
            continue;
        jtr_NarrowField(texts[i].text1, JTR_FAX_TEXT_BYTES, entry.text1797, 41);
        jtr_NarrowField(texts[i].text2, JTR_FAX_TEXT_BYTES, entry.number, 129);
    }
    return texts;
}

HANDLE WINAPI ext_JtrStartJob(const JtrJobFacts *facts, char *idText)
{
    if (idText != NULL)
        memset(idText, 0, JTR_ID_TEXT_BYTES);
    if (facts == NULL || idText == NULL || facts->devmode == NULL)
        return NULL;
    JtrFactTexts *texts = (JtrFactTexts *)util_GlobalAllocZero(sizeof(JtrFactTexts));
    if (texts == NULL)
        return NULL;
    jtr_Owner(facts, texts->owner);
    jtr_PrinterNames(facts, texts);
    jtr_Narrow(texts->document, sizeof(texts->document), facts->document);

    DWORD kind = 0;
    DWORD faxFlag = 0;
    WORD hour = 0;
    WORD minute = 0;
    JtrFaxTexts *fax = NULL;
    DWORD faxCount = 0;
    if (facts->fax && jtr_Setting(facts, FID_FAX_COVER_ONLY) != 1) {
        kind = jtr_Setting(facts, FID_CLOCK_ON) == 1 ? 6 : 1;
        faxFlag = 1;
        fax = jtr_FaxTexts(facts, &faxCount);
    } else if (jtr_Setting(facts, FID_STORED_JOB) == 1) {
        kind = 8;
        jtr_Narrow(texts->name, sizeof(texts->name), jtr_SettingText(facts, FID_STORED_JOB_NAME));
    } else {
        switch (jtr_Setting(facts, FID_JOB_TYPE)) {
        case 1: kind = 3; break;
        case 2: kind = 4; break;
        case 3: kind = 9; break;
        case 4:
            kind = 5;
            hour = (WORD)jtr_Setting(facts, FID_DELAY_HOUR);
            minute = (WORD)jtr_Setting(facts, FID_DELAY_MINUTE);
            break;
        default: kind = 0; break;
        }
        if (kind == 9)
            jtr_NumberedName(facts, texts->name);
        else
            jtr_KindName(facts, texts->name);
    }

    HANDLE monitor = NULL;
    if (faxFlag == 0 || fax != NULL) {
        DWORD count = faxFlag == 1 ? faxCount : 1;
        JtrDestinationTexts *destinations =
            (JtrDestinationTexts *)util_GlobalAllocZero(count * (DWORD)sizeof(JtrDestinationTexts));
        if (destinations != NULL) {
            for (DWORD i = 0; i < count; ++i) {
                destinations[i].name = faxFlag == 0 ? texts->name : NULL;
                destinations[i].text1 = faxFlag == 1 ? fax[i].text1 : NULL;
                destinations[i].text2 = faxFlag == 1 ? fax[i].text2 : NULL;
            }
            JtrJobTexts job = {texts->port, texts->printer, texts->owner, texts->document, count, destinations};
            LONG value = jtr_Setting(facts, FID_BINDING_POSITION);
            if (ext_JtrRegisterJob(&monitor, idText, faxFlag, (DWORD)value, 0, kind, &job, hour, minute) != JTR_OK)
                monitor = NULL;
            GlobalFree(destinations);
        }
    }
    util_GlobalFreeIfSet(fax);
    GlobalFree(texts);
    return monitor;
}
