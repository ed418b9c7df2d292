/*
 * The document of a printer DC: StartDocW opens the spool job, then DrvStartDoc; StartPage
 * and EndPage run DrvStartPage and DrvSendPage; EndDoc runs DrvEndDoc and ends the job,
 * AbortDoc runs DrvEndDoc(ED_ABORTDOC) and aborts it. A driver that fails DrvStartDoc or
 * DrvEndDoc leaves the job aborted. Calls out of order fail (SP_ERROR,
 * ERROR_INVALID_PARAMETER) unsent to the driver. The driver runs without the GDI lock.
 */
#include "platform/src/gdi/gdi_private.h"

#include <winspool.h>

using namespace qmg;

namespace {

typedef BOOL(WINAPI *StartDocProc)(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId);
typedef BOOL(WINAPI *EndDocProc)(SURFOBJ *pso, FLONG fl);
typedef BOOL(WINAPI *PageProc)(SURFOBJ *pso);

/* The data type of a job whose application names none: the driver writes the printer's
 * own language. */
const WCHAR kRawDataType[] = TEXT("RAW");

/* What a document call needs of its DC, read under the lock. */
struct DocState {
    PrinterDc *dc;
    PrinterDriver *driver;
    SURFOBJ *surface;
    HANDLE printer;
    DWORD job;
    bool inPage;
};

/* The state of a printer DC of CreateDCW; false (ERROR_INVALID_HANDLE) for any other handle. */
bool ReadState(HDC hdc, DocState *state)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc));
    if (!dc || !dc->driver) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    *state = DocState{dc, dc->driver, dc->surface, dc->printer, dc->job, dc->inPage};
    return true;
}

/* Records the document's new state, when the DC still lives. */
void WriteState(HDC hdc, DWORD job, bool inPage)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc))) {
        dc->job = job;
        dc->inPage = inPage;
    }
}

int Refuse(DWORD error)
{
    SetLastError(error);
    return SP_ERROR;
}

/* Ends the document: an open page sent, then DrvEndDoc with flags and the job ended, or
 * aborted when aborting or when the driver fails. */
bool CloseDocument(HDC hdc, const DocState &s, FLONG flags)
{
    bool good = true;
    if (s.inPage && flags == 0) {
        PageProc sendPage = (PageProc)(void *)DriverEntry(s.driver, INDEX_DrvSendPage);
        good = sendPage && sendPage(s.surface);
    }
    EndDocProc endDoc = (EndDocProc)(void *)DriverEntry(s.driver, INDEX_DrvEndDoc);
    FLONG endFlags = good ? flags : ED_ABORTDOC;
    bool ended = endDoc && endDoc(s.surface, endFlags);
    good = good && ended && flags == 0;
    if (good) {
        good = EndDocPrinter(s.printer) != FALSE;
    } else {
        AbortPrinter(s.printer);
    }
    WriteState(hdc, 0, false);
    return flags == 0 ? good : ended;
}

} // namespace

extern "C" {

int WINAPI StartDocW(HDC hdc, const DOCINFOW *lpdi)
{
    CountCall();
    DocState s;
    if (!ReadState(hdc, &s)) {
        return SP_ERROR;
    }
    if (!lpdi || !lpdi->lpszDocName || s.job != 0) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    DOC_INFO_1W info = {(LPWSTR)lpdi->lpszDocName,
                        (LPWSTR)lpdi->lpszOutput,
                        (LPWSTR)(lpdi->lpszDatatype ? lpdi->lpszDatatype : kRawDataType)};
    DWORD job = StartDocPrinterW(s.printer, 1, (LPBYTE)&info);
    if (job == 0) {
        return SP_ERROR;
    }
    StartDocProc startDoc = (StartDocProc)(void *)DriverEntry(s.driver, INDEX_DrvStartDoc);
    if (!startDoc || !startDoc(s.surface, (LPWSTR)lpdi->lpszDocName, job)) {
        AbortPrinter(s.printer);
        return Refuse(ERROR_CANCELLED);
    }
    WriteState(hdc, job, false);
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc))) {
            dc->document = (const char16_t *)lpdi->lpszDocName;
        }
    }
    return (int)job;
}

int WINAPI StartPage(HDC hdc)
{
    CountCall();
    DocState s;
    if (!ReadState(hdc, &s)) {
        return SP_ERROR;
    }
    if (s.job == 0 || s.inPage) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    PageProc startPage = (PageProc)(void *)DriverEntry(s.driver, INDEX_DrvStartPage);
    if (!startPage || !startPage(s.surface)) {
        return SP_ERROR;
    }
    WriteState(hdc, s.job, true);
    return 1;
}

int WINAPI EndPage(HDC hdc)
{
    CountCall();
    DocState s;
    if (!ReadState(hdc, &s)) {
        return SP_ERROR;
    }
    if (s.job == 0 || !s.inPage) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    PageProc sendPage = (PageProc)(void *)DriverEntry(s.driver, INDEX_DrvSendPage);
    bool sent = sendPage && sendPage(s.surface);
    WriteState(hdc, s.job, false);
    return sent ? 1 : SP_ERROR;
}

int WINAPI EndDoc(HDC hdc)
{
    CountCall();
    DocState s;
    if (!ReadState(hdc, &s)) {
        return SP_ERROR;
    }
    if (s.job == 0) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    return CloseDocument(hdc, s, 0) ? 1 : SP_ERROR;
}

int WINAPI AbortDoc(HDC hdc)
{
    CountCall();
    DocState s;
    if (!ReadState(hdc, &s)) {
        return SP_ERROR;
    }
    if (s.job == 0) {
        return Refuse(ERROR_INVALID_PARAMETER);
    }
    return CloseDocument(hdc, s, ED_ABORTDOC) ? 1 : SP_ERROR;
}

} // extern "C"
