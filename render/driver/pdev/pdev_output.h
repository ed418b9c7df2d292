/*
 * The output stream as job control drives it through the PDEV: the stream's life, the
 * channel on the PDEV's printer handle or a second job, writes once the job's output has
 * begun, the temporary output file and the recording of pages into the page store.
 */
#ifndef QM_RENDER_DRIVER_PDEV_PDEV_OUTPUT_H
#define QM_RENDER_DRIVER_PDEV_PDEV_OUTPUT_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

// Recording word of the job (JobState.recordWord).
#define RECORD_ON 0x8000        // recording pages
#define RECORD_PAGE_OPEN 0x8001 // with the mode bits: a page is being recorded
#define RECORD_MODE_MASK 0x3E   // mode bits: an even value 2 .. 62

// Growth step of the page store's tables, in entries.
#define RECORD_TABLE_GROWTH 116

// Size of the page-setup part of a page entry, and where it lies.
#define PAGE_ENTRY_SETUP_OFFSET 36
#define PAGE_ENTRY_SETUP_SIZE 76

// Unless stated, the routines answer 0 on success and -1 on failure (also for a PDEV
// without a stream where one is needed).

// spl_PdevCreateStream: creates the PDEV's stream with the module of its message strings.
LONG spl_PdevCreateStream(PDEV *pdev, HMODULE module);

// spl_PdevDestroyStream: destroys the PDEV's stream (none: nothing to do).
void spl_PdevDestroyStream(PDEV *pdev);

// spl_PdevOpenChannel: opens the channel on the PDEV's printer handle and resets the job's
// recording state.
LONG spl_PdevOpenChannel(PDEV *pdev);

// spl_PdevCloseChannel: closes whichever channel is open: on the PDEV's own handle
// spl_CloseChannel, on another (second job) spl_CloseSecondJob; failed as they take it.
LONG spl_PdevCloseChannel(PDEV *pdev, BOOL failed);

// spl_PdevWrite: writes bytes only while the job's output has begun (page state 0x2).
// Returns length, -1 otherwise or on failure.
LONG spl_PdevWrite(PDEV *pdev, DWORD length, const BYTE *bytes);

// spl_PdevOpenSecondJob: a second spool job on the PDEV's printer.
LONG spl_PdevOpenSecondJob(PDEV *pdev, LPCWSTR document);

// spl_PdevOpenTempOutputFile: a temporary file (util_MakeTempFileName, created anew) as
// the stream's file sink; the PDEV keeps its path until job end.
LONG spl_PdevOpenTempOutputFile(PDEV *pdev);

// spl_OpenUserOutputFile: the user's output file from the job's settings (folder 1829,
// name 338) beside the spooler (spl_OpenUserOutputPath). Returns 0 (also when the user
// chose to go on without the file); -1 when the user cancelled, a setting cannot be read
// or the file cannot be made.
LONG spl_OpenUserOutputFile(PDEV *pdev);

// spl_PdevCloseUserOutputFile: removes the user's output file from the sinks.
LONG spl_PdevCloseUserOutputFile(PDEV *pdev);

// spl_PdevStartRecording: recording word must be 0; it becomes 0x8000, the stored-page
// counter 0, and the page store begins at page 1.
LONG spl_PdevStartRecording(PDEV *pdev);

// spl_PdevBeginRecordedPage: recording word must be exactly 0x8000 and mode an even value
// 2 .. 62; the word becomes mode | 0x8001 and the next page is stored.
LONG spl_PdevBeginRecordedPage(PDEV *pdev, WORD mode);

// spl_PdevSetPageEntry / spl_PdevGetPageEntry: the 116-byte entry of a recorded page
// (counted from 1).
LONG spl_PdevSetPageEntry(PDEV *pdev, WORD page, const BYTE *entry);
LONG spl_PdevGetPageEntry(PDEV *pdev, WORD page, BYTE *entry);

// spl_PdevEndRecordedPage: a page must be open (0x8001 set); writes the page-setup part
// of its entry (setup: PAGE_ENTRY_SETUP_SIZE bytes, NULL keeps the entry), ends the
// stored page, clears the mode bits and counts the page.
LONG spl_PdevEndRecordedPage(PDEV *pdev, const BYTE *setup);

// spl_PdevEndRecording: recording word must be exactly 0x8000; ends the page store and
// clears the word.
LONG spl_PdevEndRecording(PDEV *pdev);

#endif /* QM_RENDER_DRIVER_PDEV_PDEV_OUTPUT_H */
