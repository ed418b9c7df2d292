/*
 * The payloads the escape script sends: built from the job's DEVMODE and printer data,
 * the host's names and clock, and the core's job-attribute builder.
 */
#include "tools/printhost/escape_payloads.h"

#include <stdio.h>
#include <string.h>

#include <winspool.h>

#include "core/faxlist/fax_list.h"
#include "core/jobtext/job_attr.h"
#include "core/settings/function_ids.h"
#include "core/settings/setting_rules.h"
#include "core/stored/printer_forms.h"
#include "core/stored/stored.h"
#include "core/util/host_env.h"

// The room of the names of the document identity.
static const size_t kNameChars = sizeof(((DocumentIdentity *)0)->computer) / sizeof(WCHAR);
static const size_t kUserNameChars = sizeof(((DocumentIdentity *)0)->user) / sizeof(WCHAR);

// The texts of the owner record's date and time. Their wording is this program's own:
// the date in the locale's order (LOCALE_IDATE 0 month-day-year, 1 day-month-year, 2
// year-month-day), parts joined by "/"; the time as hours and minutes.
static const int kDateOrder[3][3] = {{1, 2, 0}, {2, 1, 0}, {0, 1, 2}}; // indexes of {year, month, day}
static const char kDateSeparator = '/';
static const char kTimeFormat[] = "%02d:%02d";

// The margin record when the paper or its margins are not found.
static const WORD kNoPaperNumber = 256;
static const WORD kDefaultMargin = 46;

LONG ph_ReadNumber(EscapeScript *script, WORD functionId)
{
    LONG value = 0;
    return util_ReadSettingLong(functionId, &script->devmode, &script->block, &value) ? value : 0;
}

static void PutLong(BYTE *bytes, size_t offset, DWORD value)
{
    memcpy(bytes + offset, &value, sizeof value);
}

// PutWide: text into a field of chars characters, at most chars - 1 of them and a
// terminator.
static void PutWide(WCHAR *field, size_t chars, const WCHAR *text)
{
    size_t count = 0;
    while (text != NULL && count + 1 < chars && text[count] != 0)
        ++count;
    if (count != 0)
        memcpy(field, text, count * sizeof(WCHAR));
    memset(field + count, 0, (chars - count) * sizeof(WCHAR));
}

#define PUT_WIDE(field, text) PutWide((field), sizeof(field) / sizeof(WCHAR), (text))

// CutToAnsi: the longest start of text whose ANSI form fits bytes, as wide text (a
// double-byte character is never split).
static std::u16string CutToAnsi(const WCHAR *text, DWORD bytes)
{
    int count = lstrlenW(text);
    while (count > 0 && WideCharToMultiByte(CP_ACP, 0, text, count, NULL, 0, NULL, NULL) > (int)bytes)
        --count;
    return std::u16string((const char16_t *)text, (size_t)count);
}

static std::u16string Widen(const char *text)
{
    std::u16string wide;
    for (const char *p = text; *p != 0; ++p)
        wide.push_back((char16_t)(unsigned char)*p);
    return wide;
}

static std::u16string UserName()
{
    WCHAR name[kUserNameChars] = {};
    UserNameRequest request = {name, (DWORD)kUserNameChars};
    util_GetUserName(&request);
    return std::u16string((const char16_t *)name);
}

static std::u16string ComputerName()
{
    WCHAR name[kNameChars] = {};
    DWORD size = (DWORD)kNameChars;
    return GetComputerNameW(name, &size) ? std::u16string((const char16_t *)name) : std::u16string(u"UnkownHost");
}

// DateOrder: the locale's short-date order; above 2 or unreadable counts as 2.
static int DateOrder()
{
    WCHAR value[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDATE, value, 8) <= 0 || value[0] < '0' || value[0] > '2') {
        return 2;
    }
    return value[0] - '0';
}

static std::u16string DateText(const SYSTEMTIME &now)
{
    char parts[3][8];
    snprintf(parts[0], sizeof parts[0], "%d", now.wYear);
    snprintf(parts[1], sizeof parts[1], "%02d", now.wMonth);
    snprintf(parts[2], sizeof parts[2], "%02d", now.wDay);
    const int *order = kDateOrder[DateOrder()];
    std::string text =
        std::string(parts[order[0]]) + kDateSeparator + parts[order[1]] + kDateSeparator + parts[order[2]];
    return Widen(text.c_str());
}

static std::u16string TimeText(const SYSTEMTIME &now)
{
    char text[16];
    snprintf(text, sizeof text, kTimeFormat, now.wHour, now.wMinute);
    return Widen(text);
}

void ph_PutOwnerItem(JobOwnerRecord *record, int item, const WCHAR *text)
{
    switch (item) {
    case OWNER_ITEM_USER: PUT_WIDE(record->user, (const WCHAR *)CutToAnsi(text, OWNER_USER_ANSI_BYTES).c_str()); break;
    case OWNER_ITEM_USER_HOST:
        PUT_WIDE(record->userHost, (const WCHAR *)CutToAnsi(text, OWNER_USER_HOST_ANSI_BYTES).c_str());
        break;
    case OWNER_ITEM_DOCUMENT: PUT_WIDE(record->document, text); break;
    default: break;
    }
}

void ph_PutOwnerClock(JobOwnerRecord *record, const SYSTEMTIME *time, BOOL date, BOOL clock)
{
    if (date)
        PUT_WIDE(record->date, (const WCHAR *)DateText(*time).c_str());
    if (clock)
        PUT_WIDE(record->time, (const WCHAR *)TimeText(*time).c_str());
}

void ph_FillOwnerRecord(EscapeScript *script, DriverContext *context)
{
    JobOwnerRecord *record = &script->owner;
    memset(record, 0, sizeof *record);
    BOOL on[OWNER_ITEMS];
    BOOL any = FALSE;
    for (WORD i = 0; i < OWNER_ITEMS; ++i) {
        on[i] = ph_ReadNumber(script, (WORD)(FID_OWNER_ITEM_FLAG + i)) == 1;
        any = any || on[i];
    }
    record->filled = any ? 1 : 0;
    std::u16string user = on[OWNER_ITEM_USER] || on[OWNER_ITEM_USER_HOST] ? UserName() : std::u16string();
    if (on[OWNER_ITEM_USER])
        ph_PutOwnerItem(record, OWNER_ITEM_USER, (const WCHAR *)user.c_str());
    if (on[OWNER_ITEM_USER_HOST]) {
        std::u16string text = user;
        if (context == NULL || !ddd_HasCapability(context->model, PH_OWNER_FROM_SETTINGS)) {
            text += u"\\" + ComputerName();
        }
        ph_PutOwnerItem(record, OWNER_ITEM_USER_HOST, (const WCHAR *)text.c_str());
    }
    if (on[OWNER_ITEM_DOCUMENT])
        ph_PutOwnerItem(record, OWNER_ITEM_DOCUMENT, script->document);
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    ph_PutOwnerClock(record, &now, on[OWNER_ITEM_DATE], on[OWNER_ITEM_TIME]);
}

BOOL ph_FillDocumentIdentity(EscapeScript *script)
{
    DocumentIdentity *identity = &script->identity;
    memset(identity, 0, sizeof *identity);
    WCHAR computer[kNameChars] = {};
    DWORD size = (DWORD)kNameChars;
    if (!GetComputerNameW(computer, &size)) {
        return FALSE;
    }
    DWORD needed = 0;
    GetPrinterW(script->printer, 1, NULL, 0, &needed);
    std::vector<BYTE> info(needed);
    if (needed == 0 || !GetPrinterW(script->printer, 1, info.data(), needed, &needed)) {
        return FALSE;
    }
    PUT_WIDE(identity->computer, computer);
    PutWide(identity->document, ESC_PATH_CHARS, script->document);
    PUT_WIDE(identity->user, (const WCHAR *)UserName().c_str());
    PUT_WIDE(identity->printer, ((PRINTER_INFO_1W *)info.data())->pName);
    return TRUE;
}

// LoadFaxList: the printer's "DFAX001" block, whole and checked; empty when it has none or
// another block.
static void LoadFaxList(EscapeScript *script)
{
    script->faxList.clear();
    WORD count = 0;
    FaxSendList *list = pd_LoadFaxSendList(script->printer, 0, 0, NULL, &count);
    if (list != NULL) {
        size_t size = sizeof(FaxSendList) + (size_t)count * sizeof(FaxDestination);
        script->faxList.assign((BYTE *)list, (BYTE *)list + size);
    }
    pd_FreeFaxSendList(list);
}

LONG ph_BuildAttrSets(EscapeScript *script, DriverContext *context, DWORD mode)
{
    DWORD count = 1;
    DWORD first = 0;
    if (mode != 0) {
        LONG destinations = ph_ReadNumber(script, FID_FAX_DESTINATIONS);
        if (ph_ReadNumber(script, FID_FAX_ONE_DESTINATION) != 0) {
            first = destinations > 0 ? (DWORD)destinations - 1 : 0;
        } else {
            count = destinations > 0 ? (DWORD)destinations : 0;
        }
        LoadFaxList(script);
    }
    LONG estimate = job_EstimateHeaderSize(script->printer, &script->devmode, context->model, context->base, NULL, 0);
    if (estimate < 0) {
        return 1;
    }
    DWORD entrySize = (DWORD)estimate + sizeof(DWORD);
    std::vector<BYTE> list(sizeof(JobAttrSetHead) + (size_t)count * (entrySize + sizeof(DWORD)), 0);
    JobAttrSetHead head = {count, entrySize, 0, 0};
    memcpy(list.data(), &head, sizeof head);
    std::u16string user = UserName();
    const FaxSendList *faxList = script->faxList.empty() ? NULL : (const FaxSendList *)script->faxList.data();
    for (DWORD i = 0; i < count; ++i) {
        BYTE *entry = list.data() + sizeof(JobAttrSetHead) + (size_t)i * entrySize;
        JobAttrContext attr = {};
        attr.devmode = &script->devmode;
        attr.block = &script->block;
        attr.nameText = (const WCHAR *)user.c_str();
        attr.attrComponent = 1;
        attr.printer = script->printer;
        attr.capacity = (DWORD)estimate;
        if (faxList != NULL) {
            attr.fax.first = attr.fax.last = (WORD)(first + i);
            attr.fax.list = faxList;
        }
        LONG length =
            job_BuildJobAttrBlock(context->model, context->base, &attr, NULL, 0, (char *)entry + sizeof(DWORD));
        if (length < 0) {
            script->attrSets.clear();
            return -1;
        }
        PutLong(entry, 0, (DWORD)length);
        PutLong(
            list.data(), sizeof(JobAttrSetHead) + (size_t)count * entrySize + i * sizeof(DWORD), attr.bookletOffset);
    }
    script->attrSets.swap(list);
    return 1;
}

void ph_FillMarginRecord(EscapeScript *script, DriverDevmode *devmode, PrinterDataBlock *block,
                         PageMarginRecord *record)
{
    record->paperNumber = kNoPaperNumber;
    for (WORD &margin : record->margins)
        margin = kDefaultMargin;
    LONG paperSize = 0;
    WORD number = 0;
    if (!util_ReadSettingLong(FID_PAPER_SIZE, devmode, block, &paperSize) ||
        opt_PaperIdFromFormIndex(script->printer, devmode, block, (DWORD)paperSize, &number) != FORM_FOUND) {
        return;
    }
    // The per-user margin sources are not kept on this host: with setting 463 on, none of
    // them answers and the paper's margins count as not found.
    LONG userMargins = 0;
    if (util_ReadSettingLong(FID_USER_MARGINS, devmode, block, &userMargins) && userMargins == 1) {
        return;
    }
    record->paperNumber = number;
}
