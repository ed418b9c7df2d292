/*
 * The payloads of the escape script: the job owner record, the document identity, the
 * job-attribute sets, the printer's fax send list and the margin record of a page.
 */
#ifndef QM_TOOLS_PRINTHOST_ESCAPE_PAYLOADS_H
#define QM_TOOLS_PRINTHOST_ESCAPE_PAYLOADS_H

#include "tools/printhost/escape_script.h"

#include "core/context/driver_context.h"

/* The model's capability that names the owner from the account settings and keeps the
 * computer name out of the user-and-host item. */
#define PH_OWNER_FROM_SETTINGS 0x2000000

/* ph_ReadNumber: a numeric setting of the script's DEVMODE and printer data; 0 when it
 * cannot be read. */
LONG ph_ReadNumber(EscapeScript *script, WORD functionId);

/* ph_FillOwnerRecord: the job owner record as the document's start fills it, from the
 * settings 1296-1301 of the DEVMODE, the user and computer names, the document name and
 * the clock. */
void ph_FillOwnerRecord(EscapeScript *script, DriverContext *context);

/* ph_PutOwnerItem: the text of the user, user-and-host or document item into the owner
 * record, cut as the record keeps it (the first two to 63 and 31 ANSI bytes). */
void ph_PutOwnerItem(JobOwnerRecord *record, int item, const WCHAR *text);

/* ph_PutOwnerClock: the date and the time of the owner record from a local time, each when
 * asked for. */
void ph_PutOwnerClock(JobOwnerRecord *record, const SYSTEMTIME *time, BOOL date, BOOL clock);

/* ph_FillDocumentIdentity: computer name, document name, user name and printer name.
 * FALSE when the computer name or the printer's information cannot be read. */
BOOL ph_FillDocumentIdentity(EscapeScript *script);

/* ph_BuildAttrSets: the JobAttributeSet list of the job for the answer of ESC_GET_FAX_MODEL (mode),
 * one set, or one per fax destination; the fax send list is loaded on the way. Returns
 * 1, or -1 when a set's text cannot be built (the list is then cleared). */
LONG ph_BuildAttrSets(EscapeScript *script, DriverContext *context, DWORD mode);

/* ph_FillMarginRecord: the margin record of the page of the DEVMODE: {driver paper
 * number, four margins}, {256, 46, 46, 46, 46} when the paper or its margins are not
 * found. */
void ph_FillMarginRecord(EscapeScript *script, DriverDevmode *devmode, PrinterDataBlock *block,
                         PageMarginRecord *record);

#endif /* QM_TOOLS_PRINTHOST_ESCAPE_PAYLOADS_H */
