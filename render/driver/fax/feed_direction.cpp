/*
 * The feed-direction test: whether a page must be turned so that it fits the direction in
 * which its tray feeds the paper. The feed direction comes from the tray's feed codes and
 * the paper, else from the model's range record 0x8002; a page whose feed direction is
 * not known is never turned.
 */
#include "render/driver/fax/fax.h"

#include "core/ddd/ddd_access.h"

/* The range record whose items name papers and whose sub-words give their feed. */
static const WORD kFeedRangeRecord = 0x8002;
/* Range record type. */
static const WORD kRangeType = 5;
/* The tray code and sub-word of the feed that depends on the tray. */
static const BYTE kTrayDependent = 4;
static const WORD kSubWordByTray = 3;

/* A feed code and the direction it gives (0: decided by the paper). */
typedef struct FeedCodeRow {
    WORD code;
    WORD direction;
} FeedCodeRow;

static const FeedCodeRow kFeedCodes[] = {{257, 1}, {514, 1}, {771, 2}, {1028, 2}, {1542, 0}};

/* The papers of the feed code decided by the paper, with their direction. */
typedef struct PaperFeedRow {
    WORD paper;
    WORD direction;
} PaperFeedRow;

static const PaperFeedRow kPaperFeeds[] = {
    {1, 2}, {9, 2}, {13, 2}, {258, 2}, {283, 2}, {3, 1}, {8, 1}, {12, 1}, {257, 1}, {282, 1}};

/* feed_ByCode: the direction one feed code gives the paper, 0 when it gives none. */
static WORD feed_ByCode(WORD code, WORD paperCode)
{
    for (const FeedCodeRow &row : kFeedCodes) {
        if (row.code != code) {
            continue;
        }
        if (row.direction != 0) {
            return row.direction;
        }
        for (const PaperFeedRow &paper : kPaperFeeds) {
            if (paper.paper == paperCode) {
                return paper.direction;
            }
        }
        return 0;
    }
    return 0;
}

WORD fax_ClassifyFeedBySize(const WORD feedCodes[2], WORD paperCode)
{
    if (feedCodes == NULL) {
        return 0;
    }
    WORD direction = feed_ByCode(feedCodes[0], paperCode);
    return direction != 0 ? direction : feed_ByCode(feedCodes[1], paperCode);
}

WORD fax_ClassifyFeedByRecord(PDEV *pdev, WORD paperCode, BYTE trayCode, WORD flag)
{
    if (pdev == NULL || pdev->modelFile == NULL) {
        return 0;
    }
    void *record = NULL;
    if (ddd_FetchRecordByKey(
            DDD_LEVEL_MODEL, pdev->modelFile, pdev->baseFile, kRangeType, kFeedRangeRecord, 0, &record) != DDD_OK ||
        record == NULL) {
        return 0;
    }
    // Items and sub-words are counted from 1.
    WORD subWord = 0;
    WORD item = 0;
    for (WORD n = 1; ddd_GetRangeItem(record, n, &item) == DDD_OK; ++n) {
        if (item == paperCode) {
            if (ddd_GetRangeSubWord(record, n, &subWord) != DDD_OK) {
                subWord = 0;
            }
            break;
        }
    }
    ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    if (subWord != kSubWordByTray) {
        return subWord == 1 || subWord == 2 ? subWord : 0;
    }
    if (trayCode == kTrayDependent) {
        return flag == 1 ? 2 : 1;
    }
    return 2;
}

WORD fax_GetPageDirection(WORD orientation, WORD flag, WORD paperType, WORD value)
{
    if (flag == 0 && (paperType == 2 || paperType == 8)) {
        return orientation == 1 ? 1 : 2;
    }
    if (flag == 1) {
        return value;
    }
    return orientation == 1 ? 2 : 1;
}

DWORD fax_IsPageTurnNeeded(PDEV *pdev, const FaxFeedQuery *query)
{
    if (pdev == NULL || query == NULL) {
        return 0;
    }
    WORD feed = fax_ClassifyFeedBySize(query->feedCodes, query->paperCode);
    if (feed == 0) {
        feed = fax_ClassifyFeedByRecord(pdev, query->paperCode, query->trayCode, query->flag);
    }
    if (feed == 0) {
        return 0;
    }
    WORD page = fax_GetPageDirection(query->orientation, query->flag, query->paperType, query->value);
    return page != feed ? 1 : 0;
}
