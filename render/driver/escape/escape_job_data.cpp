/*
 * The job data of the settings transfer: the job information block, the job-attribute
 * sets, the fax send list and the locale paper kind.
 */
#include "render/driver/escape/escape_private.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/faxlist/fax_list.h"
#include "core/jobtext/job_attr.h"
#include "core/protocol/escapes.h"
#include "core/settings/function_ids.h"
#include "core/util/locale_paper.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/forms/pdev_paper.h"
#include "render/driver/header/string_util.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_setup.h"

// The parts of the job information block: offset and size; a part is present when its
// first 16-bit element is non-zero.
struct JobInfoPart {
    ULONG offset;
    ULONG size;
};
static const JobInfoPart kJobInfoParts[ESC_JOB_INFO_PARTS] = {
    {offsetof(JobOwnerRecord, user), sizeof(((JobOwnerRecord *)0)->user)},
    {offsetof(JobOwnerRecord, userHost), sizeof(((JobOwnerRecord *)0)->userHost)},
    {offsetof(JobOwnerRecord, document), sizeof(((JobOwnerRecord *)0)->document)},
    {offsetof(JobOwnerRecord, date), sizeof(((JobOwnerRecord *)0)->date)},
    {offsetof(JobOwnerRecord, time), OWNER_TIME_KEPT},
};

// The user-and-host part, and the model capability (first capability word) under which
// the device settings name the owner in its place.
#define JOB_INFO_USER_HOST 1
#define OWNER_SETTINGS_CAPABILITY 0x2000000UL

// The owner settings: the account mode chooses one of two profiles; in each, a selector
// of 1 names the code user, else a source word of 7 names the profile's own user text.
struct OwnerProfile {
    WORD selector;
    WORD sourceWord;
    WORD sourceText;
};
static const OwnerProfile kOwnerProfiles[2] = {
    {FID_POPUP_ADMIN, FID_OWNER_SOURCE, FID_ACCOUNT_TEXT},        // account mode zero
    {FID_POPUP_USER, FID_OWNER_SOURCE_ALT, FID_ACCOUNT_TEXT_ALT}, // account mode non-zero
};
static const DWORD kSourceIsProfileText = 7;

// owner_setting: the string setting naming the owner, 0 for none.
static WORD owner_setting(PDEV *pdev)
{
    const OwnerProfile &profile = kOwnerProfiles[pdev_GetSetting32(pdev, FID_ACCOUNT_MODE) != 0 ? 1 : 0];
    if (pdev_GetSetting32(pdev, profile.selector) == 1)
        return FID_CODE_USER;
    if (pdev_GetSetting32(pdev, profile.sourceWord) == kSourceIsProfileText)
        return profile.sourceText;
    return 0;
}

// replace_owner: on models with the capability, the owner named by the settings (cut to
// 31 characters, terminated within the part) replaces the sent user and host; a missing
// or empty string leaves the sent text.
static void replace_owner(PDEV *pdev, WCHAR *part, DWORD chars)
{
    if (pdev->modelFile == NULL || !ddd_HasCapability(pdev->modelFile, OWNER_SETTINGS_CAPABILITY))
        return;
    WORD setting = owner_setting(pdev);
    const WCHAR *text = setting != 0 ? pdev_GetSettingString(pdev, setting) : NULL;
    if (text == NULL || text[0] == 0)
        return;
    util_CopyWideBounded(part, text, chars);
}

static void free_job_info(EscapeState *escape)
{
    for (void *&part : escape->jobInfoParts) {
        if (part != NULL)
            GlobalFree(part);
        part = NULL;
    }
    escape->jobInfoHeld = 0;
}

LONG esc_SetJobInfo(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn != sizeof(JobOwnerRecord))
        return ESC_FAIL;
    EscapeState *escape = &pdev->job.escape;
    free_job_info(escape);
    LONG result = 1;
    for (int i = 0; i < ESC_JOB_INFO_PARTS; ++i) {
        const JobInfoPart &part = kJobInfoParts[i];
        if (esc_ReadWord(call->in, part.offset) == 0)
            continue;
        void *copy = GlobalAlloc(GMEM_FIXED, part.size);
        if (copy == NULL) {
            result = ESC_FAIL;
            continue;
        }
        memcpy(copy, call->in + part.offset, part.size);
        // Only a user and host the sender filled is replaced: a part it left empty (the
        // item switched off) stays absent.
        if (i == JOB_INFO_USER_HOST)
            replace_owner(pdev, (WCHAR *)copy, part.size / sizeof(WCHAR));
        escape->jobInfoParts[i] = copy;
    }
    escape->jobInfoHeld = 1;
    return result;
}

LONG esc_GetJobInfo(PDEV *pdev, const EscapeCall *call)
{
    if (call->out == NULL || call->cjOut != sizeof(JobOwnerRecord))
        return ESC_FAIL;
    const EscapeState *escape = &pdev->job.escape;
    const PageSetupSnapshot &snapshot = pdev->job.setup.snapshot;
    memset(call->out, 0, sizeof(JobOwnerRecord));
    esc_WriteLong(call->out, offsetof(JobOwnerRecord, filled), (DWORD)snapshot.bitOptionsOn);
    for (int i = 0; i < OWNER_ITEMS; ++i) {
        ULONG offset = (ULONG)(offsetof(JobOwnerRecord, placements) + 2 * i);
        esc_WriteWord(call->out, offset, (WORD)snapshot.bitOptionValues[i]);
    }
    esc_WriteWord(call->out, offsetof(JobOwnerRecord, jobNumber), esc_PageWord(pdev));
    if (!escape->jobInfoHeld)
        return ESC_FAIL;
    for (int i = 0; i < ESC_JOB_INFO_PARTS; ++i) {
        const JobInfoPart &part = kJobInfoParts[i];
        if ((WORD)snapshot.bitOptionValues[i] == OWNER_ITEM_OFF || escape->jobInfoParts[i] == NULL)
            continue;
        memcpy(call->out + part.offset, escape->jobInfoParts[i], part.size);
    }
    return 1;
}

// JobAttributeSet lists: {count, entry size E, two address words}, count entries of E
// bytes ({u32 length, at most E - 4 text bytes}), count u32 offsets. A list whose claims do
// not fit the payload is refused and the previous list kept.
static BOOL attr_sets_valid(const BYTE *data, ULONG size, ULONG *used)
{
    if (size < sizeof(JobAttrSetHead))
        return FALSE;
    DWORD count = esc_ReadLong(data, 0);
    DWORD entrySize = esc_ReadLong(data, 4);
    if (entrySize < sizeof(DWORD))
        return FALSE;
    unsigned long long total = sizeof(JobAttrSetHead) + (unsigned long long)count * ((unsigned long long)entrySize + 4);
    if (total > size)
        return FALSE;
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = esc_ReadLong(data, (ULONG)(sizeof(JobAttrSetHead) + (unsigned long long)i * entrySize));
        if (length > entrySize - sizeof(DWORD))
            return FALSE;
    }
    *used = (ULONG)total;
    return TRUE;
}

LONG esc_SetAttrSets(PDEV *pdev, const EscapeCall *call)
{
    ULONG used = 0;
    if (call->in == NULL || !attr_sets_valid(call->in, call->cjIn, &used))
        return ESC_FAIL;
    BYTE *copy = (BYTE *)GlobalAlloc(GMEM_FIXED, used);
    if (copy == NULL)
        return ESC_FAIL;
    memcpy(copy, call->in, used);
    JobAttrSetHead *head = (JobAttrSetHead *)copy;
    BYTE *entries = copy + sizeof(JobAttrSetHead);
    head->entries = (ULONG_PTR)entries;
    head->offsets = (ULONG_PTR)(entries + (size_t)head->count * head->entrySize);
    if (pdev->job.attrSets != NULL)
        GlobalFree(pdev->job.attrSets);
    pdev->job.attrSets = head;
    pdev->job.attrSetsSize = used;
    return 1;
}

// The fax send list: a "DFAX001" block whose destinations all lie within the payload.
static BOOL fax_list_valid(const BYTE *data, ULONG size)
{
    static const WCHAR kTag[8] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};
    if (size < sizeof(FaxSendList) || memcmp(data, kTag, sizeof(kTag)) != 0)
        return FALSE;
    WORD count = esc_ReadWord(data, offsetof(FaxSendList, count));
    return sizeof(FaxSendList) + (unsigned long long)count * sizeof(FaxDestination) <= size;
}

LONG esc_SetFaxList(PDEV *pdev, const EscapeCall *call)
{
    if (call->in == NULL || call->cjIn == 0)
        return 0;
    if (pdev->job.setup.snapshot.settingsLock & SNAPSHOT_LOCK_SETTINGS)
        return 1;
    if (!pdev->faxModel)
        return 1;
    if (!fax_list_valid(call->in, call->cjIn))
        return ESC_FAIL;
    return jc_LoadFaxSendList(pdev, call->in, call->cjIn) == 0 ? 1 : ESC_FAIL;
}

// The model's capability of description entry 26 that lets the locale choose the paper.
#define LOCALE_PAPER_CAPABILITY 0x400000UL

// rebuild_papers: the PDEV's papers made again, so that an output paper taken from the
// model's default paper follows the new locale paper kind.
static BOOL rebuild_papers(PDEV *pdev)
{
    PaperTenths tenths = {};
    pdev_FreePapers(pdev);
    return pdev_BuildPapers(pdev, &tenths);
}

LONG esc_SetLocalePaper(PDEV *pdev, const EscapeCall *call)
{
    if (!esc_HasInput(call, sizeof(WORD)))
        return ESC_FAIL;
    WORD kind = esc_ReadWord(call->in, 0);
    DWORD capabilities = pdev->modelFile != NULL ? ddd_GetEntryNumber(pdev->modelFile, 26, sizeof(DWORD), 0) : 0;
    WORD earlier = util_GetLocalePaperKind((capabilities & LOCALE_PAPER_CAPABILITY) != 0);
    if (kind == 1 || kind == 2)
        util_SetLocalePaperKind(kind);
    if (pdev->paper[1].defaultPaper && kind != earlier) {
        return rebuild_papers(pdev) ? 1 : ESC_FAIL;
    }
    return 1;
}
