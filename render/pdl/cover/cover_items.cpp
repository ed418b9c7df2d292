/*
 * The cover page's text items: four layout tables in two variants, walked in order, each
 * row adding its text laid out into one or more items.
 */
#include "render/pdl/cover/cover_block.h"

#include <string.h>

/* A layout row as the tables give it: the third word is always 1 and the fifth 0. */
#define ROW(kind, id, right, size, x, y, wrap, lines, step)  \
    {                                                        \
        kind, id, 1, right, 0, size, x, y, wrap, lines, step \
    }
#define ROW_END                                     \
    {                                               \
        kCoverEndKind, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 \
    }

enum {
    kCoverSenderName = 0,
    kCoverFixed = 1,
    kCoverRecipientName = 2,
    kCoverFirstChoice = 3,
    kCoverRecipientSecond = 4,
    kCoverSecondChoice = 5,
    kCoverSenderThird = 6,
    kCoverRecipientFixed = 7,
    kCoverRecipientFirst = 8,
    kCoverSubject = 9,
    kCoverComment = 10,
    kCoverEndKind = 11,
};

/* Which table a row belongs to: the sender table reads kinds 2, 4, 6 and 8 from the
 * sender's texts. */
enum CoverTable { kTitleTable, kRecipientTable, kSenderTable, kCommentTable, kCoverTables };

static const TextItemRow kTitleRows[2][3] = {
    {ROW(1, 1774, 1, 100, 1750, 518, 0, 1, 0), ROW(0, 0, 1, 100, 1397, 518, 0, 1, 0), ROW_END},
    {ROW(1, 1775, 1, 100, 1750, 518, 0, 1, 0), ROW(0, 0, 1, 100, 1715, 518, 0, 1, 0), ROW_END},
};

static const TextItemRow kRecipientRows[2][8] = {
    {ROW(1, 1776, 0, 110, 350, 680, 0, 1, 0),
     ROW(2, 0, 0, 145, 680, 669, 40, 1, 0),
     ROW(3, 0, 0, 120, 1708, 676, 0, 1, 0),
     ROW(4, 0, 0, 90, 680, 762, 40, 2, 40),
     ROW(5, 0, 1, 90, 1750, 762, 0, 1, 0),
     ROW(7, 1778, 0, 90, 350, 870, 0, 1, 0),
     ROW(8, 0, 0, 120, 680, 864, 100, 1, 0),
     ROW_END},
    {ROW(1, 1777, 0, 110, 350, 680, 0, 1, 0),
     ROW(2, 0, 0, 145, 680, 669, 40, 1, 0),
     ROW(4, 0, 0, 90, 680, 762, 40, 2, 40),
     ROW(7, 1779, 0, 90, 350, 870, 0, 1, 0),
     ROW(8, 0, 0, 120, 680, 864, 100, 1, 0),
     ROW_END,
     ROW_END,
     ROW_END},
};

static const TextItemRow kSenderRows[2][8] = {
    {ROW(1, 1780, 0, 110, 350, 1021, 0, 1, 0),
     ROW(2, 0, 0, 145, 680, 1010, 40, 1, 0),
     ROW(4, 0, 0, 90, 680, 1101, 40, 5, 40),
     ROW(1, 1782, 0, 90, 350, 1335, 0, 1, 0),
     ROW(6, 0, 0, 140, 680, 1323, 30, 1, 0),
     ROW(1, 1784, 0, 90, 350, 1418, 0, 1, 0),
     ROW(8, 0, 0, 140, 680, 1406, 30, 1, 0),
     ROW_END},
    {ROW(1, 1781, 0, 110, 350, 1021, 0, 1, 0),
     ROW(2, 0, 0, 145, 680, 1010, 40, 1, 0),
     ROW(4, 0, 0, 90, 680, 1101, 40, 5, 40),
     ROW(1, 1783, 0, 90, 350, 1335, 0, 1, 0),
     ROW(6, 0, 0, 140, 680, 1323, 30, 1, 0),
     ROW(1, 1785, 0, 90, 350, 1418, 0, 1, 0),
     ROW(8, 0, 0, 140, 680, 1406, 30, 1, 0),
     ROW_END},
};

static const TextItemRow kCommentRows[2][5] = {
    {ROW(1, 1786, 0, 100, 350, 1650, 0, 1, 0),
     ROW(9, 0, 0, 130, 680, 1640, 40, 1, 0),
     ROW(1, 1788, 0, 90, 350, 1744, 0, 1, 0),
     ROW(10, 0, 0, 110, 680, 1744, 40, 16, 49),
     ROW_END},
    {ROW(1, 1787, 0, 100, 350, 1650, 0, 1, 0),
     ROW(9, 0, 0, 130, 680, 1640, 40, 1, 0),
     ROW(1, 1789, 0, 90, 350, 1744, 0, 1, 0),
     ROW(10, 0, 0, 110, 680, 1744, 40, 16, 49),
     ROW_END},
};

/* The rows of a table in the variant the texts choose. */
static const TextItemRow *cover_Table(int table, int variant)
{
    switch (table) {
    case kTitleTable: return kTitleRows[variant];
    case kRecipientTable: return kRecipientRows[variant];
    case kSenderTable: return kSenderRows[variant];
    default: return kCommentRows[variant];
    }
}

/* A text of the resource module, at most COVER_FIXED_TEXT_CHARS characters; empty when
 * the module has none. */
static void cover_FixedText(const CoverJob *job, WORD id, WCHAR *text)
{
    text[0] = 0;
    if (job->resources == NULL || LoadStringW(job->resources, id, text, COVER_FIXED_TEXT_CHARS + 1) <= 0) {
        text[0] = 0;
    }
}

static void cover_Copy(LPCWSTR from, WCHAR *text)
{
    text[0] = 0;
    if (from != NULL) {
        lstrcpynW(text, from, TEXT_ITEM_CHARS);
    }
}

/* The text of a row; empty when the row adds nothing. */
static void cover_RowText(const CoverJob *job, const CoverTexts *t, int table, const TextItemRow *row, WCHAR *text)
{
    text[0] = 0;
    BOOL one = t->oneRecipient == 1;
    if (row->kind == kCoverFixed) {
        cover_FixedText(job, row->textId, text);
        return;
    }
    if (table == kSenderTable) {
        int index = row->kind == 2 ? 0 : row->kind == 4 ? 1 : row->kind == 6 ? 2 : row->kind == 8 ? 3 : -1;
        if (index >= 0) {
            cover_Copy(t->senderTexts[index], text);
        }
        return;
    }
    switch (row->kind) {
    case kCoverSenderName: cover_Copy(t->senderName, text); break;
    case kCoverRecipientName: cover_Copy(one ? t->oneRecipientName : t->recipientName, text); break;
    case kCoverFirstChoice:
        if (!one && (t->firstChoice == 1 || t->firstChoice == 2)) {
            cover_FixedText(job, (WORD)(COVER_TEXT_FIRST_CHOICE + t->firstChoice - 1), text);
        }
        break;
    case kCoverRecipientSecond:
        if (!one) {
            cover_Copy(t->recipientSecond, text);
        }
        break;
    case kCoverSecondChoice:
        if (t->secondChoice == 1 || t->secondChoice == 2) {
            cover_FixedText(job, (WORD)(COVER_TEXT_SECOND_CHOICE + t->secondChoice - 1), text);
        }
        break;
    case kCoverRecipientFixed:
        if (!one && t->noRecipientFixed != 1) {
            cover_FixedText(job, row->textId, text);
        }
        break;
    case kCoverRecipientFirst:
        if (t->prefixWord == 1) {
            LPCWSTR prefix = t->firstChoice == 2 ? t->prefixes[0] : t->firstChoice == 1 ? t->prefixes[1] : NULL;
            cover_Copy(prefix, text);
            if (t->recipientNamed != NULL) {
                size_t used = (size_t)lstrlenW(text);
                lstrcpynW(text + used, t->recipientNamed, (int)(TEXT_ITEM_CHARS - used));
            }
        } else {
            cover_Copy(t->recipientFirst, text);
        }
        break;
    case kCoverSubject: cover_Copy(t->subject, text); break;
    case kCoverComment: cover_Copy(t->comment, text); break;
    default: break;
    }
}

BOOL pdl_BuildTextItemList(const CoverJob *job, const CoverTexts *texts, TextItemList **list, DWORD *count)
{
    if (list != NULL) {
        *list = NULL;
    }
    if (count != NULL) {
        *count = 0;
    }
    if (job == NULL || texts == NULL || list == NULL || count == NULL) {
        return FALSE;
    }
    TextItemList *items = (TextItemList *)GlobalAlloc(GPTR, sizeof(TextItemList));
    if (items == NULL) {
        return FALSE;
    }
    int variant = texts->senderFirstWord == 0 ? 0 : 1;
    DWORD filled = 0;
    WCHAR text[TEXT_ITEM_CHARS];
    for (int table = 0; table < kCoverTables; ++table) {
        for (const TextItemRow *row = cover_Table(table, variant); row->kind != kCoverEndKind; ++row) {
            cover_RowText(job, texts, table, row, text);
            if (text[0] == 0 || filled >= TEXT_ITEM_LIST_ITEMS) {
                continue;
            }
            filled += util_ComputeTextItemPositions(row, text, &items->items[filled], TEXT_ITEM_LIST_ITEMS - filled);
        }
    }
    *list = items;
    *count = filled;
    return TRUE;
}
