/*
 * The extended escape state of a PDEV (job state, see job_state.h): set up at surface
 * set-up, its setting overrides written into the job's DEVMODE when the job's output
 * begins and undone on every end of the job.
 */
#ifndef QM_RENDER_DRIVER_JOB_EXTENDED_ESCAPE_H
#define QM_RENDER_DRIVER_JOB_EXTENDED_ESCAPE_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

#ifdef __cplusplus
extern "C" {
#endif

/* esc_InitExtendedState: mode off, the three job values stored, every override 0xFFFF,
 * the job-mode and saved flags cleared. */
void WINAPI esc_InitExtendedState(PDEV *pdev, DWORD pdlVersion, DWORD setting4103On, DWORD colorKindTwo);

/* esc_ApplyJobOverrides: restores values an earlier job left saved, saves settings 16,
 * 295, 264, 294, 321, 296 and 270, writes each override that is not 0xFFFF (270 becomes
 * 0 with the job-mode flag) and sets the saved flag. -1 when a setting cannot be written
 * (the saved flag is set all the same, so the end of the job restores what was saved). */
LONG WINAPI esc_ApplyJobOverrides(PDEV *pdev);

/* esc_RestoreJobOverrides: with the saved flag set, writes the saved values back (16 as
 * ValueType 2, the others as ValueType 3) and clears the flag. -1 when one cannot be
 * written. */
LONG WINAPI esc_RestoreJobOverrides(PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_JOB_EXTENDED_ESCAPE_H */
