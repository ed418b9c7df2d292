/*
 * The records a cover sheet is composed from: its texts and choices and the sender's dial
 * values read from the job's settings, and the cover page geometry of paper record 9.
 */
#include "render/driver/fax/fax.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"

/* Texts of the cover sheet without names of their own in the settings catalogue. */
static const WORD kCoverTitle = 1805;
static const WORD kCoverRecipients = 1806;
static const WORD kCoverFirstChoice = 1807;
static const WORD kCoverSecondChoice = 1808;
static const WORD kCoverPrefixWord = 1809;
static const WORD kSenderName = 1820;
static const WORD kSenderAddress = 1821;
static const WORD kSenderPhone = 1822;
static const WORD kSenderFax = 1823;

/* A text setting and the record field it is copied into (field capacity in characters,
 * terminator included). */
typedef struct TextField {
    WORD functionId;
    size_t offset;
    size_t chars;
} TextField;

#define COVER_TEXT_FIELD(fid, member)                                                            \
    {                                                                                            \
        fid, offsetof(FaxCoverText, member), sizeof(((FaxCoverText *)0)->member) / sizeof(WCHAR) \
    }
#define COVER_SENDER_FIELD(fid, member)                                                              \
    {                                                                                                \
        fid, offsetof(FaxCoverSender, member), sizeof(((FaxCoverSender *)0)->member) / sizeof(WCHAR) \
    }

static const TextField kCoverTextFields[] = {
    COVER_TEXT_FIELD(kCoverTitle, title),
    COVER_TEXT_FIELD(kCoverRecipients, recipients),
    COVER_TEXT_FIELD(kSenderName, senderName),
    COVER_TEXT_FIELD(kSenderAddress, senderAddress),
    COVER_TEXT_FIELD(kSenderPhone, senderPhone),
    COVER_TEXT_FIELD(kSenderFax, senderFax),
};

static const TextField kCoverSenderFields[] = {
    COVER_SENDER_FIELD(FID_FAX_PREFIX1, prefix1),
    COVER_SENDER_FIELD(FID_FAX_PREFIX2, prefix2),
};

/* records_CopyTexts: each text setting into its field, cut to the field and terminated.
 * -1 when one cannot be read. */
static LONG records_CopyTexts(PDEV *pdev, BYTE *record, const TextField *fields, size_t count)
{
    LONG result = 0;
    for (size_t i = 0; i < count; ++i) {
        WCHAR *to = (WCHAR *)(record + fields[i].offset);
        const WCHAR *from = pdev_GetSettingString(pdev, fields[i].functionId);
        size_t n = 0;
        while (from != NULL && n + 1 < fields[i].chars && from[n] != 0) {
            to[n] = from[n];
            ++n;
        }
        to[n] = 0;
        if (from == NULL) {
            result = -1;
        }
    }
    return result;
}

LONG fax_ReadCoverText(PDEV *pdev, FaxCoverText *record)
{
    if (pdev == NULL || record == NULL) {
        return -1;
    }
    memset(record, 0, sizeof *record);
    record->layoutSwitch = pdev_GetSetting16(pdev, FID_UI_LANGUAGE_SWITCH);
    record->oneJobForAll = pdev->job.faxDestinations >= 2 ? pdev_GetSetting16(pdev, FID_FAX_ONE_DESTINATION) : 0;
    record->firstChoice = pdev_GetSetting16(pdev, kCoverFirstChoice);
    record->secondChoice = pdev_GetSetting16(pdev, kCoverSecondChoice);
    record->prefixWord = pdev_GetSetting16(pdev, kCoverPrefixWord);
    return records_CopyTexts(
        pdev, (BYTE *)record, kCoverTextFields, sizeof kCoverTextFields / sizeof *kCoverTextFields);
}

LONG fax_ReadCoverSender(PDEV *pdev, FaxCoverSender *record)
{
    if (pdev == NULL || record == NULL) {
        return -1;
    }
    memset(record, 0, sizeof *record);
    record->value4111 = pdev_GetSetting32(pdev, FID_FAX_4111);
    record->prefix1Switch = pdev_GetSetting16(pdev, FID_FAX_PREFIX1_ON);
    record->prefix2Switch = pdev_GetSetting16(pdev, FID_FAX_PREFIX2_ON);
    record->noPrefixSwitch = pdev_GetSetting16(pdev, FID_FAX_NO_PREFIX);
    return records_CopyTexts(
        pdev, (BYTE *)record, kCoverSenderFields, sizeof kCoverSenderFields / sizeof *kCoverSenderFields);
}

LONG fax_GetCoverGeometry(PDEV *pdev, PaperRecord *paper, WORD *paperCode, POINTL *origin)
{
    if (pdev == NULL || paper == NULL || pdev->modelFile == NULL) {
        return -1;
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(DDD_LEVEL_MODEL, pdev->modelFile, pdev->baseFile, 10, FAX_COVER_PAPER, 0, &record) !=
            DDD_OK ||
        record == NULL) {
        return -1;
    }
    DddSize size = {0, 0}, image = {0, 0}, leftTop = {0, 0}, rightBottom = {0, 0};
    BOOL read = ddd_GetPaperMinSize(record, &size) == DDD_OK && ddd_GetPaperMinImageSize(record, &image) == DDD_OK &&
                ddd_GetPaperMargins(record, &leftTop, &rightBottom) == DDD_OK;
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    if (!read) {
        return -1;
    }
    memset(paper, 0, sizeof *paper);
    paper->paperCode = FAX_COVER_PAPER;
    paper->width = size.width;
    paper->length = size.height;
    paper->printableWidth = image.width;
    paper->printableLength = image.height;
    paper->offsetX = (WORD)(((LONG)size.width - image.width + 1) / 2);
    paper->offsetY = (WORD)(((LONG)size.height - image.height + 1) / 2);
    paper->marginLeft = leftTop.width;
    paper->marginTop = leftTop.height;
    paper->marginRight = rightBottom.width;
    paper->marginBottom = rightBottom.height;
    paper->fits = 1;
    if (paperCode != NULL) {
        *paperCode = FAX_COVER_PAPER;
    }
    if (origin != NULL) {
        origin->x = 0;
        origin->y = 0;
    }
    return 0;
}
