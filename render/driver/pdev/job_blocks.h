/*
 * Records of job control that several parts fill: the page-setup snapshot (the job's
 * settings condensed at job start) and the page block (the page's paper records and the
 * layout values). Declared here with their sizes; the builders fill them.
 */
#ifndef QM_RENDER_DRIVER_PDEV_JOB_BLOCKS_H
#define QM_RENDER_DRIVER_PDEV_JOB_BLOCKS_H

#include <windows.h>

#define PAGE_SETUP_SNAPSHOT_SIZE 1356
#define PAGE_BLOCK_SIZE 188

// PageSetupSnapshot (1356 bytes, zeroed at job start): the fields in the order of their
// derivation; the tail is kept for the words job control and the escapes add.
struct PageSetupSnapshot {
    DWORD pdlVersion;
    WORD osMajor;
    WORD osMinor;
    LONG colorMode;
    LONG autoColorByFlag;
    LONG colorSetOn;
    LONG colorSetLimit;
    LONG colorSetMode;
    WORD duplex;
    WORD nupCount;
    LONG headerDeferred;
    LONG skipEmptyPages;
    LONG posterOn;
    WORD posterColumns;
    WORD posterRows;
    LONG posterOverlap;
    LONG bookletOn;
    LONG bookletType;
    LONG threshold;
    LONG coverFlag;
    LONG bookletCountFlag;
    LONG formFirst;
    LONG formSecond;
    LONG formOptionA;
    LONG formOptionB;
    LONG paper267;
    LONG pageSetupPerSheet;
    LONG reserved;
    LONG perPageDuplex;
    LONG ffFlag;
    LONG aiFlag;
    LONG storedJob;
    LONG nameTextOn;
    LONG outputMode;
    WORD outputSource;
    WORD firstSource;
    LONG bitOptionsOn;
    SHORT bitOptionValues[6];
    LONG bitOptionTurn;
    LONG turnAllowed;
    WORD setting326;
    WORD setting344;
    LONG setting383;
    LONG setting387;
    WORD copies;
    LONG driverLayout;
    LONG deviceCollates;
    LONG reverseOrder;
    LONG markingOn;
    LONG jobInfoOn;
    LONG collate;
    LONG tonerSave;
    LONG printMode;
    LONG separatorMode;
    LONG optionAOn;
    LONG optionBOn;
    WORD optionAValue;
    WORD optionBValue;
    WORD optionBList[20];
    LONG setting1343;
    // Words the escapes set during the job; a rebuild of the snapshot keeps them.
    WORD settingsLock; // bit 0x10: settings locked; bit 0x1: a settings transfer ended
    WORD reserved2;
    DWORD escapePageSetup; // the page-setup word of the page-setup escape
    LONG replayRequest;    // pages are to be recorded and replayed at job end
    BYTE tail[1084];       // kept for job control
};

// Paper record (32 bytes) of a page: sizes and margins in 0.1 mm.
struct PaperRecord {
    WORD paperCode; // 256: user-defined size
    WORD width;
    WORD length;
    WORD printableWidth;
    WORD printableLength;
    WORD offsetX;
    WORD offsetY;
    WORD unused1[2];
    WORD marginLeft;
    WORD marginRight;
    WORD marginTop;
    WORD marginBottom;
    WORD unused2;
    LONG fits;
};

// The page block (188 bytes): the page's paper record, the turned flag, the output paper
// record, then the layout values of the job's settings in a fixed order.
struct PageBlock {
    PaperRecord page;
    LONG turned;
    PaperRecord output;
    LONG setting437; // 0-3
    LONG duplex;     // 0 none, 1 short edge, 2 long edge
    LONG binding267; // 0-4
    LONG setting268;
    LONG setting269;
    LONG setting459; // 0-2
    LONG setting460;
    LONG setting461;
    LONG scalingOn; // flag 1281
    LONG scale;     // setting 263, 25-400
    LONG flag1283;
    LONG setting264;    // 0-6
    LONG pagesPerSheet; // setting 295
    LONG columns;       // N-up grid
    LONG rows;
    LONG landscape;
    LONG cellsTurned;
    LONG turnFlag;
    LONG setting382;    // 0-4
    LONG posterColumns; // 1-4
    LONG posterRows;    // 1-4
    LONG flag1291;
    LONG setting324;
    LONG flag1292;
    LONG bookletMode; // setting 322 + 1
    LONG nupMarker;
    LONG flag1363;
    LONG value480;
    LONG value482;
    LONG reserved;
};

// jc_ClearPageSetupBlock / jc_ClearPageBlock: zero the whole record. NULL is ignored.
void jc_ClearPageSetupBlock(PageSetupSnapshot *snapshot);
void jc_ClearPageBlock(PageBlock *block);

// Page-size type of a page: never derived from the settings, so it stays at this value
// (no 'AA' follows the page size). Change it here when the type becomes known.
#define PAGE_SIZE_TYPE_NONE 0

// PageSetupState: what the page-setup commands keep of a job (part of the PDEV's job
// state, zeroed at job start): the snapshot, the page geometry record and the page's
// paper, source, colour and duplex values.
struct PageSetupState {
    PageSetupSnapshot snapshot;
    PageBlock page;   // the page geometry record
    LONG resolutionX; // job resolution in dots per inch (0: 600)
    LONG resolutionY;
    WORD paperSource;      // the page's paper source, chosen per sheet
    WORD lastPaperSource;  // the paper source last written
    WORD colorKind;        // the page's colour kind: 0, 1, 2
    WORD duplexSetting;    // setting 16 as 1, 2 or 3; 0 until read in this job
    LONG pageSizeType;     // PAGE_SIZE_TYPE_NONE
    LONG noPaperKind;      // 1: the page's paper record has no paper-kind word
    WORD escapePaper;      // paper number of the margin escape
    WORD escapeMargins[4]; // margins of the margin escape: left, right, top, bottom (0.1 mm)
    WORD logicalIndex;     // logical page index on the sheet
    WORD sheetSide;        // side counter of the sheet: 0 front, 1 back
    WORD reserved;
    DWORD sidesOutput; // sheet sides output so far in the job
};

#endif /* QM_RENDER_DRIVER_PDEV_JOB_BLOCKS_H */
