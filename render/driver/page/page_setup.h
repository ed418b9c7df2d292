/*
 * The page layer of a job: the page-setup snapshot of the job's settings, the placement
 * of logical pages on their sheet, the commands that open, place and close a sheet side
 * (written, or stored beside a recorded page and replayed later), blank sheet sides and
 * the paper source of each sheet.
 *
 * Unless stated, routines answer 0 on success and -1 on failure; a sequence runs all its
 * steps and ORs their results. The page values live in the PDEV's job state
 * (pdev->job.setup, PageSetupState).
 */
#ifndef QM_RENDER_DRIVER_PAGE_PAGE_SETUP_H
#define QM_RENDER_DRIVER_PAGE_PAGE_SETUP_H

#include <windows.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/settings_types.h"
#include "render/driver/pdev/job_blocks.h"
#include "render/driver/pdev/pdev.h"

struct Matrix2x3;

// ---- Page-setup snapshot (page_snapshot.cpp) ----------------------------------------

// Bits of the snapshot's settings-lock word.
#define SNAPSHOT_LOCK_TRANSFER_ENDED 0x0001
#define SNAPSHOT_LOCK_SETTINGS 0x0010

// jc_BuildPageSetupSnapshot: fills the snapshot from the job's settings and the model's
// capabilities (the fields in their fixed order, then the end corrections). The record
// is zeroed first.
//   snapshot      out  the snapshot
//   pdlVersion    in   the job's PDL version (kept within the versions the driver writes)
//   devmode, block in  the job's settings
//   caps          in   the model's capability words (NULL: none)
// Returns -1 for a missing argument or a duplex value other than 1, 2 or 3 (the other
// fields are filled all the same), else the OR of the reads (-1 when one failed).
LONG jc_BuildPageSetupSnapshot(PageSetupSnapshot *snapshot, DWORD pdlVersion, DriverDevmode *devmode,
                               PrinterDataBlock *block, const ModelCapabilities *caps);

// jc_RebuildPageSetupSnapshot: as jc_BuildPageSetupSnapshot when the job's output begins:
// the cover flag, the first paper source and the words the escapes set (settings lock,
// page-setup word, replay request) keep their values.
LONG jc_RebuildPageSetupSnapshot(PageSetupSnapshot *snapshot, DWORD pdlVersion, DriverDevmode *devmode,
                                 PrinterDataBlock *block, const ModelCapabilities *caps);

// jc_ApplyVersionSwitch: 0x01010501 when setting 1332 is 0 (or cannot be read), else
// version.
DWORD jc_ApplyVersionSwitch(DWORD version, DriverDevmode *devmode, PrinterDataBlock *block);

// ---- Geometry (geometry.cpp, placement.cpp) ------------------------------------------

// Millimetre conversion of the device matrix: 1 / 254.
#define GEO_TENTH_MM_PER_INCH 0.003937007874015748

// Matrices: out = the matrix built. geo_Compose applies inner first, then outer.
void geo_Identity(Matrix2x3 *out);
void geo_Compose(const Matrix2x3 *outer, Matrix2x3 *out, const Matrix2x3 *inner);
void geo_ScaleAxes(Matrix2x3 *out, float sx, float sy);
void geo_Translate(Matrix2x3 *out, float dx, float dy);
void geo_FlipY(Matrix2x3 *out);
void geo_Copy(Matrix2x3 *out, const Matrix2x3 *in);

// geo_ToDeviceMatrix: from 1/72 inch (y up) to device dots (y down) at the job
// resolution, turned at the paper length of the page paper record. -1 for a NULL
// argument.
LONG geo_ToDeviceMatrix(Matrix2x3 *out, const PDEV *pdev, const Matrix2x3 *in);
// geo_FromDeviceMatrix: the inverse of geo_ToDeviceMatrix (device dots back to 1/72
// inch). -1 for a NULL argument or a resolution of 0.
LONG geo_FromDeviceMatrix(Matrix2x3 *out, const PDEV *pdev, const Matrix2x3 *in);

// geo_TenthMmToDots: value x dpi / 254; geo_TenthMmToDotsInt: the same in integer
// arithmetic (truncated).
float geo_TenthMmToDots(LONG value, LONG dpi);
LONG geo_TenthMmToDotsInt(LONG value, LONG dpi);

// geo_Dots18432ToTenthMm: 1/18432 inch to 0.1 mm, to the nearest unit (value taken as
// unsigned, computed in 64 bits).
int geo_Dots18432ToTenthMm(DWORD value);

// geo_GetOrderType: the cell order type 0-7 of an N-up sheet from the pages per sheet,
// the order setting (1-6) and whether the pages are turned on the sheet.
int geo_GetOrderType(LONG pagesPerSheet, LONG order, BOOL turned);

// geo_PlaceChecked: the placement of logical page index (0-31) on side (0 front, 1
// back): the page in its N-up cell, scaled, fitted and aligned; page to sheet in 1/72
// inch.
//   job     in   the job state (may be NULL)
//   matrix  out  the placement
//   block   in   the page geometry record
// Returns -1 for a missing matrix or record, an index of 32 or more or another side.
LONG geo_PlaceChecked(const JobState *job, Matrix2x3 *matrix, const PageBlock *block, LONG index, LONG side);

// geo_PlaceCurrentPage: geo_PlaceChecked with the PDEV's page geometry record, logical
// page index on the sheet and side counter.
LONG geo_PlaceCurrentPage(PDEV *pdev, Matrix2x3 *matrix);

// ---- Page commands (page_commands.cpp, page_replay.cpp) ------------------------------

// Kinds of the records stored beside a recorded page.
#define PAGE_RECORD_SIZE 0
#define PAGE_RECORD_END_FB 1
#define PAGE_RECORD_END_ED 2
#define PAGE_RECORD_TRANSFORM 3
#define PAGE_RECORD_RESET_CLIP 4

// Recording-word flags of the page commands: a page being recorded with the flag.
#define RECORD_WITH_PAGE_SIZE 0x8005
#define RECORD_WITH_FB 0x8009
#define RECORD_WITH_ED 0x8011
#define RECORD_WITH_TRANSFORM 0x8021
#define RECORD_TRANSFORM_BIT 0x0020 // the recording places pages at replay

// Replay flags: which stored commands pg_ReplayPage writes.
#define REPLAY_PAGE_SIZE 0x01
#define REPLAY_FB 0x02
#define REPLAY_ED 0x04
#define REPLAY_TRANSFORM 0x08
#define REPLAY_RESET_CLIP 0x10

// Custom paper code ('Q'): the page size carries its extents.
#define PAPER_CODE_CUSTOM 81

// jc_SetTransform: the page transform: nothing (0) unless the document is open, its
// output begun and a sheet open. While the page is recorded with the transform flag a
// transform record is stored and the writer only caches the matrix; otherwise 'Aa' of
// the matrix in device units. matrix: page to sheet in 1/72 inch.
LONG jc_SetTransform(PDEV *pdev, const Matrix2x3 *matrix);

// pg_WritePageSize: the page size ('Ec' with colour, tray and paper code; the extents
// only for the custom code), 'AA' with the page-size type from PDL version 0x01020006
// for types 1-4, then the page's record of the job information (custom for code 'Q').
// While the page is recorded with the page-size flag a page-size record is stored in
// place of the command (source and duplex setting from the page state); the job
// information's record is made all the same, and the replay adds none (but see
// pg_JobInfoAtReplay).
LONG pg_WritePageSize(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2],
                      LONG pageSizeType);

// pg_JobInfoAtReplay: TRUE when a recorded side gets its job-information record when it
// is replayed rather than when it is recorded: a fax job sent as one spool job per
// destination, whose every spool job lists its own cover sheet and then its pages.
BOOL pg_JobInfoAtReplay(const PDEV *pdev);

// Page end marks 'FB' and 'ED' and the clip reset 'AR', or their records while the page
// is recorded with their flag. -1 before the job's output has begun.
LONG pg_EndPageFB(PDEV *pdev);
LONG pg_EndPageED(PDEV *pdev);
LONG pg_ResetClip(PDEV *pdev);

// pg_SetDuplexValue: 'FH' (0, 2) for type 1, (1, 2) for 2, (1, 1) for 3; other types
// write nothing (0).
LONG pg_SetDuplexValue(PDEV *pdev, LONG type);

// pg_ReplayPage: writes recorded page n: its raw bytes and, in recorded order, the
// stored commands the flags ask for (REPLAY_*). A transform is composed with placement
// (page to sheet in 1/72 inch; NULL: none) before it is written in device units.
// Returns -1 for a missing argument, a page that cannot be read, a record of another
// kind or size, a failed write, or a page that needs the booklet or poster placement.
LONG pg_ReplayPage(PDEV *pdev, WORD page, DWORD flags, const Matrix2x3 *placement);

// ---- Page-setup commands (sheet_setup.cpp, blank_side.cpp) ----------------------------

// pg_WriteSheetPageSetup: the page-setup sequence at the beginning of a sheet: colour,
// tray and paper code of the output paper, then the page size.
LONG pg_WriteSheetPageSetup(PDEV *pdev);

// pg_WriteSourcePageSetup: the page-setup sequence of a blank side from source.
LONG pg_WriteSourcePageSetup(PDEV *pdev, WORD source);

// pg_WriteBlankSide: a complete blank sheet side from source; counts the side.
LONG pg_WriteBlankSide(PDEV *pdev, WORD source);

// pg_FollowSourceChange: after a source change: 'FC' from PDL version 0x01010903; else
// for kind 2 a blank back face when one is due; else nothing.
LONG pg_FollowSourceChange(PDEV *pdev, WORD source, int kind);

// pg_RefreshPerPageDuplex: with duplex per page: 'FH' at the job's first page, 'FC' at
// each change of paper (paper267 jobs).
LONG pg_RefreshPerPageDuplex(PDEV *pdev);

// pg_EmitMediaChange ('FC'), pg_EmitFE ('FE' with value): straight to the writer.
LONG pg_EmitMediaChange(PDEV *pdev);
LONG pg_EmitFE(PDEV *pdev, BYTE value);

// pg_SetDuplexBySetting: the 'FH' pair of setting 16's value 1, 2 or 3 (cached by the
// writer); other values write nothing (0).
LONG pg_SetDuplexBySetting(PDEV *pdev, BYTE duplexSetting);

// pg_GetSheetColorCode / pg_GetBlankColorCode: colour code of a sheet / of a blank side.
LONG pg_GetSheetColorCode(PDEV *pdev, BYTE *out);
LONG pg_GetBlankColorCode(PDEV *pdev, BYTE *out);

// pg_GetTrayCode: tray code of a paper source (low byte of its size-range record's word);
// the source becomes the last paper source written, also on failure.
LONG pg_GetTrayCode(PDEV *pdev, WORD source, BYTE *out);

// pg_GetPaperCodeAndSize: paper code and size (mm) of paper for the page-size command,
// by the output paper's description record.
LONG pg_GetPaperCodeAndSize(PDEV *pdev, const PaperRecord *paper, BYTE *code, float size[2]);

// pg_IsSamePaper: 1 when both are given and their code, width and length are equal.
int pg_IsSamePaper(const PaperRecord *a, const PaperRecord *b);

// pg_WriteFFAndAI: 'FF' of the snapshot's flag pair (flag, 0) and 'AI' of its flag at a
// logical page start; a flag of -1 (PDL versions without them) sends nothing.
LONG pg_WriteFFAndAI(PDEV *pdev);

// pg_WritePageTransform: the page transform at a logical page start: the placement of
// the current page, or the identity while placements are composed at replay.
LONG pg_WritePageTransform(PDEV *pdev);

// ---- Paper records and source (paper_records.cpp, paper_source.cpp) ------------------

// geo_ReadPagePaper: the page paper record from the PDEV's first paper description.
//   turned, noPaperKind  out
LONG geo_ReadPagePaper(PDEV *pdev, DriverDevmode *devmode, PaperRecord *paper, LONG *turned, LONG *noPaperKind);

// geo_ReadOutputPaper: the output paper record from the PDEV's second paper description.
LONG geo_ReadOutputPaper(PDEV *pdev, DriverDevmode *devmode, PaperRecord *paper);

// pg_ReadPaperRecords: both paper records of the page geometry record, with its turned
// flag and the page's no-paper-kind flag, at output begin (reread FALSE); when the page
// setup is re-read (reread TRUE), the output paper record only for a paper without paper
// kind on a job without output paper (paper267). Returns the OR of the reads.
LONG pg_ReadPaperRecords(PDEV *pdev, DriverDevmode *devmode, BOOL reread);

// jc_SelectPaperSource: the paper source of the sheet (sets the snapshot's first source
// and cover flag at the job's first sheet). Returns 0; -1 for a missing argument.
LONG jc_SelectPaperSource(PDEV *pdev, DriverDevmode *devmode, WORD *source);

// jc_IsBackFaceDue: 1 when duplex is 2 and an odd count of sheet sides was output.
int jc_IsBackFaceDue(PDEV *pdev, LONG duplex);

#endif /* QM_RENDER_DRIVER_PAGE_PAGE_SETUP_H */
