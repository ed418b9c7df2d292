/*
 * The document events of a job's DC as the user-interface driver meets them, played by
 * printhost: at each event the private escapes it sends the render driver through
 * ExtEscape on the DC, in its order, with its payloads, and the log of every escape
 * (event, code, sizes and result; code 0 records the event's own answer). The script itself draws nothing: where stamps and
 * page annotations are drawn it sends the mode and placement escapes around them, and the
 * host may draw the stamp between them (StampDrawHook).
 */
#ifndef QM_TOOLS_PRINTHOST_ESCAPE_SCRIPT_H
#define QM_TOOLS_PRINTHOST_ESCAPE_SCRIPT_H

#include <windows.h>

#include <string>
#include <vector>

#include "core/protocol/escapes.h"
#include "core/settings/settings_types.h"

/* One escape as sent: the event it belongs to, the code, the input and output sizes
 * and what ExtEscape answered. */
typedef struct EscapeRecord {
    const char *event;
    DWORD code;
    int inSize;
    int outSize;
    int result;
} EscapeRecord;

/* The page the script adds at the end of the document for a stamp or the annotations:
 * the host starts it and ends it on the device without running the ENDPAGE event. */
typedef struct AddedPageHooks {
    BOOL (*start)(void *host);
    BOOL (*end)(void *host);
    void *host;
} AddedPageHooks;

/* What the document events draw as the stamp, between the stamp-mode escapes (the host's
 * drawing of the page script's stamp block); draw NULL: nothing. */
typedef struct StampDrawHook {
    BOOL (*draw)(void *host);
    void *host;
} StampDrawHook;

/* The sender's job context: what one event hands the next. */
typedef struct EscapeScript {
    HANDLE printer;
    HDC dc;
    LPCWSTR printerName;
    AddedPageHooks addedPage;
    StampDrawHook stampDraw;   /* set by the host after ph_InitScript */
    DriverDevmode devmode;     /* the job's full DEVMODE as the render driver gave it */
    PrinterDataBlock block;    /* the printer's data, loaded at STARTDOC */
    RenderJobRecord renderJob; /* the render driver's record, sent back unchanged */
    DWORD documentStarted;
    DWORD sharedWarning; /* ESC_SHARED_WARNING's answer */
    DWORD confirmed;     /* the user confirmed the shared-printer warning */
    DWORD attrMode;      /* ESC_GET_FAX_MODEL's answer: one set per fax destination */
    WCHAR document[ESC_PATH_CHARS];
    JobOwnerRecord owner;
    DocumentIdentity identity;
    std::vector<BYTE> attrSets; /* the JobAttributeSet list; empty: none built */
    std::vector<BYTE> faxList;  /* the "DFAX001" block loaded for the sets */
    std::vector<EscapeRecord> log;
} EscapeScript;

/* ph_InitScript: a script for the DC of the printer; nothing sent yet. */
void ph_InitScript(EscapeScript *script, HANDLE printer, LPCWSTR printerName, HDC dc, const AddedPageHooks *hooks);

/* The events. Each answers 1, or -1 when a step the event needs failed (the settings
 * transfer keeps going after a failed escape and answers -1 at its end). */
LONG ph_ScriptStartDoc(EscapeScript *script, LPCWSTR document); /* before the driver's StartDoc */
LONG ph_ScriptStartDocPost(EscapeScript *script);               /* after it */
LONG ph_ScriptResetDcPost(EscapeScript *script);                /* after ResetDC */
LONG ph_ScriptStartPage(EscapeScript *script);                  /* before the driver's StartPage */
LONG ph_ScriptEndPage(EscapeScript *script);                    /* before the driver's SendPage */
LONG ph_ScriptEndDoc(EscapeScript *script);                     /* before the driver's EndDoc */

/* ph_FormatEscapeLog: one line per escape: "<event> 0x<code> in <n> out <n> -> <result>",
 * and after each event's escapes its answer: "<event> -> <result>". */
std::string ph_FormatEscapeLog(const EscapeScript *script);

#endif /* QM_TOOLS_PRINTHOST_ESCAPE_SCRIPT_H */
