/*
 * Private to the job-attribute text: the state of one build and the writers it shares.
 */
#ifndef QM_CORE_JOBTEXT_JOBTEXT_PRIVATE_H
#define QM_CORE_JOBTEXT_JOBTEXT_PRIVATE_H

#include "core/jobtext/job_attr.h"

/* One build: the description files, the caller's context, the output and the model facts. */
typedef struct JobBuild {
    DddFile *model;
    DddFile *base;
    JobAttrContext *context;
    char *out;
    DWORD used;     /* bytes written so far */
    DWORD capacity; /* bytes of out, terminating zero included */
    ModelCapabilities caps;
    DWORD flags;        /* the first capability word */
    BOOL pjl;           /* flags has JOB_FLAG_PJL */
    WORD modelClass;    /* ddd_GetModelClass */
    HMODULE attrModule; /* the attribute component, once loaded */
    BOOL attrLoadFailed;
} JobBuild;

/* A JobAttrCondition: the description data's flagged value element (operator in
 * elementByte, connective in flag). */
typedef DddValue JobAttrCondition;

/* The line end of the job-attribute lines. */
#define JOB_LINE_END "\n"
/* The PJL frame of the wrapped lines, without its quotation marks. */
#define JOB_PJL_JOBATTR "@PJL SET JOBATTR="

#ifdef __cplusplus
extern "C" {
#endif

/* ---- output (job_append.cpp); each returns the bytes appended or -310 / -340 ---- */

/* job_PutBytes: n bytes and a zero after them when n + 1 bytes are left. */
LONG job_PutBytes(JobBuild *build, const char *bytes, DWORD n);
/* job_PutText: a zero-terminated narrow text. */
LONG job_PutText(JobBuild *build, const char *text);
/* job_PutWide: a wide text in the ANSI code page. */
LONG job_PutWide(JobBuild *build, const WCHAR *text);
/* job_RollBack: forgets what was written after mark. */
void job_RollBack(JobBuild *build, DWORD mark);

/* ---- settings (job_values.cpp) ---- */

/* job_ReadLong: a numeric setting as a signed value; 1, or 0 when it cannot be read. */
BOOL job_ReadLong(const JobBuild *build, WORD functionId, LONG *value);
/* job_ReadLongOr: the setting, or fallback when it cannot be read. */
LONG job_ReadLongOr(const JobBuild *build, WORD functionId, LONG fallback);
/* job_IsFaxMode: capability bit 42 with setting 334 equal to 3. */
BOOL job_IsFaxMode(const JobBuild *build);

/* ---- writers ---- */

/* job_WriteValue: the value of FunctionID functionId by its special writer or the generic
 * writer (job_values.cpp). */
LONG job_WriteValue(JobBuild *build, WORD functionId);
/* job_WriteGenericValue: by the setting's ValueType (job_values.cpp). */
LONG job_WriteGenericValue(JobBuild *build, WORD functionId);
/* job_WriteDelayedTime: "%04d:%02d:%02d:%02d:%02d" of today or tomorrow at hour:minute
 * (job_time.cpp). */
LONG job_WriteDelayedTime(JobBuild *build, LONG hour, LONG minute);
/* job_WriteClockValue: the clock writer of fax models; 0 when it writes nothing (job_time.cpp). */
LONG job_WriteClockValue(JobBuild *build, WORD functionId);
/* job_WriteUserName: the checked user name or "UnknownUser" (job_user_text.cpp). */
LONG job_WriteUserName(JobBuild *build);
/* job_WriteRestrictedText: the context's name text under the restricted-text rules. */
LONG job_WriteRestrictedText(JobBuild *build);
/* job_WritePaperKeyword: the paper keyword of setting 410 or 411 (job_paper.cpp). */
LONG job_WritePaperKeyword(JobBuild *build, WORD functionId);
/* job_FeedValue: the feed setting of the 412/438 rule for functionId (job_paper.cpp). */
LONG job_FeedValue(const JobBuild *build, WORD functionId);

/* job_ConditionsHold: 1 or 0 for the record's condition list, or a JOB_E_* code
 * (job_conditions.cpp). */
LONG job_ConditionsHold(JobBuild *build, const DddValueArray *conditions);

/* job_WriteAttrComponentGroup: the N-up, host-address, owner and host-name lines of the
 * outside attribute component, each followed by lineEnd (job_attr_component.cpp). */
LONG job_WriteAttrComponentGroup(JobBuild *build, const char *lineEnd);
/* job_FreeAttrComponent: frees the component when it was loaded. */
void job_FreeAttrComponent(JobBuild *build);

/* job_LoadModuleByInfo: module directory + info string kind of the model, loaded with
 * util_LoadLibraryInContext. Returns the module, or NULL (path: *pathFailed = 1). */
HMODULE job_LoadModuleByInfo(DddFile *model, WORD kind, BOOL *pathFailed);

/* job_WriteFaxLines: the fax destination lines of the context's range (job_fax_lines.cpp). */
LONG job_WriteFaxLines(JobBuild *build);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_JOBTEXT_JOBTEXT_PRIVATE_H */
