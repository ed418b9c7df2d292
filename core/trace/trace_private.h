/*
 * The trace's process-wide state and the helpers its files share. Every helper named
 * trace_*Locked expects the caller to hold the trace lock.
 */
#ifndef QM_CORE_TRACE_TRACE_PRIVATE_H
#define QM_CORE_TRACE_TRACE_PRIVATE_H

#include "core/trace/trace.h"

/* Bytes of one line in the ANSI code page (two per character at most) and its line feed. */
#define TRC_ANSI_BYTES 1027

/* The trace state; zero at load, no constructor runs. */
typedef struct TraceState {
    DWORD flags;
    BOOL configRead;
    WORD ids[TRC_MAX_IDS];
    DWORD idCount;
    WCHAR path[MAX_PATH];
    BOOL pathBuilt;
    HANDLE file; /* NULL when not open */
    DWORD openCount;
} TraceState;

extern TraceState g_Trace;

/* The process-wide lock (not recursive). */
void trace_Lock(void);
void trace_Unlock(void);

/* Reads the configuration unless it was read (lock held). */
void trace_EnsureConfigLocked(void);

/* Reads the configuration again (lock held). */
void trace_ReadConfigLocked(void);

/* trc_OpenLog and trc_CloseLog with the lock held. */
BOOL trace_OpenLogLocked(void);
BOOL trace_CloseLogLocked(void);

/* trc_WriteLine with the lock held, tracing known to be on. */
BOOL trace_WriteLineLocked(LPCWSTR text, HANDLE file);

/* 1 when tracing is on and every bit of mask is set (configuration read first). */
BOOL trace_HasFlags(DWORD mask);

#endif /* QM_CORE_TRACE_TRACE_PRIVATE_H */
