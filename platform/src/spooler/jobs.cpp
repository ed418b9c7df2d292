/*
 * Spool jobs: StartDocPrinterW to EndDocPrinter/AbortPrinter, GetJobW, and the host's job
 * listing. A job is three files under spooler/jobs: the record (<id>.job, rewritten
 * atomically when its status or page count changes), its bytes (<id>.spl, appended by
 * every write) and the size of each write (<id>.writes, one 32-bit count per write).
 */
#include "platform/src/spooler/spooler_private.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

#include "platform/src/kernel/kernel_private.h"
#include "platform/src/registry/store.h"
#include "platform/testing/qm_testing.h"
#include <qmhost.h>

namespace {

/* Data types a job accepts; anything else is refused as Windows' print processor does. */
const char16_t *const kDatatypes[] = {u"RAW", u"RAW [FF appended]", u"RAW [FF auto]", u"TEXT"};
const char16_t kEmfPrefix[] = u"NT EMF ";

std::mutex g_fault_lock;
DWORD g_fail_write_at = QMT_SPOOLER_NEVER;
DWORD g_fail_write_error;
DWORD g_fail_start_doc; /* error of the next StartDocPrinterW, 0 none */
bool g_discard_writes;  /* WritePrinter takes bytes without keeping them */

bool datatype_known(const std::u16string &type)
{
    for (const char16_t *known : kDatatypes)
        if (qmr::CompareNoCase(type, known) == 0)
            return true;
    std::u16string prefix(kEmfPrefix);
    return type.size() > prefix.size() && qmr::CompareNoCase(type.substr(0, prefix.size()), prefix) == 0;
}

bool append_file(const std::string &path, const void *data, size_t size)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const char *p = (const char *)data;
    bool ok = true;
    while (size > 0) {
        ssize_t w = write(fd, p, size);
        if (w <= 0) {
            ok = false;
            break;
        }
        p += w;
        size -= (size_t)w;
    }
    if (close(fd) != 0)
        ok = false;
    return ok;
}

DWORD file_size(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? (DWORD)st.st_size : 0;
}

/* Keeps bytes of a write in the job: its bytes, then its size. */
bool keep_bytes(DWORD job, const void *data, DWORD size)
{
    if (size == 0)
        return true;
    DWORD record = size;
    return append_file(qmspl::JobPath(job, ".spl"), data, size) &&
           append_file(qmspl::JobPath(job, ".writes"), &record, sizeof(record));
}

SYSTEMTIME now_utc()
{
    time_t t = time(nullptr);
    struct tm tm;
    gmtime_r(&t, &tm);
    SYSTEMTIME st = {};
    st.wYear = (WORD)(tm.tm_year + 1900);
    st.wMonth = (WORD)(tm.tm_mon + 1);
    st.wDayOfWeek = (WORD)tm.tm_wday;
    st.wDay = (WORD)tm.tm_mday;
    st.wHour = (WORD)tm.tm_hour;
    st.wMinute = (WORD)tm.tm_min;
    st.wSecond = (WORD)tm.tm_sec;
    return st;
}

void copy_wide(WCHAR *dst, size_t capacity, const std::u16string &src)
{
    size_t n = std::min(src.size(), capacity - 1);
    std::copy(src.begin(), src.begin() + (long)n, dst);
    dst[n] = 0;
}

void fill_host_info(const qmspl::JobRecord &rec, QMH_JOB_INFO *out)
{
    memset(out, 0, sizeof(*out));
    out->JobId = rec.id;
    out->Status = rec.status;
    out->Pages = rec.pages;
    out->Bytes = file_size(qmspl::JobPath(rec.id, ".spl"));
    out->Writes = file_size(qmspl::JobPath(rec.id, ".writes")) / sizeof(DWORD);
    copy_wide(out->PrinterName, MAX_PATH, rec.printer);
    copy_wide(out->DocumentName, MAX_PATH, rec.document);
    copy_wide(out->DataType, 64, rec.datatype);
    copy_wide(out->OutputFile, MAX_PATH, rec.output_file);
}

std::vector<DWORD> job_ids()
{
    std::vector<DWORD> ids;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(qmspl::StoreDir() + "/jobs", ec)) {
        std::string leaf = entry.path().filename().string();
        if (leaf.size() < 5 || leaf.compare(leaf.size() - 4, 4, ".job") != 0)
            continue;
        char *end = nullptr;
        unsigned long id = strtoul(leaf.c_str(), &end, 10);
        if (end && *end == '.' && id > 0)
            ids.push_back((DWORD)id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

/* The printer handle with an open job, or NULL with the error set. */
qmspl::Handle *job_handle(HANDLE hPrinter)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (h && !h->job) {
        SetLastError(ERROR_SPL_NO_STARTDOC);
        return nullptr;
    }
    return h;
}

} // namespace

void qmspl::EndOpenJob(Handle *h, DWORD status)
{
    qmr::StoreLock lock(LockPath(), true);
    JobRecord rec;
    if (LoadJob(h->job, &rec)) {
        rec.status = status;
        SaveJob(rec);
    }
    h->job = 0;
    h->job_bytes = 0;
}

/* Level 1: starts a spool job with the document name, output file (kept as a
 * string) and data type (the handle's or printer's default when NULL; unknown types give
 * ERROR_INVALID_DATATYPE). Returns the job id, 0 on failure (ERROR_INVALID_PRINTER_STATE
 * when a document is already open on the handle). */
extern "C" DWORD WINAPI StartDocPrinterW(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return 0;
    if (Level != 1)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    if (!pDocInfo)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    if (h->job)
        return qmspl::Fail(ERROR_INVALID_PRINTER_STATE);
    {
        std::lock_guard<std::mutex> guard(g_fault_lock);
        DWORD error = g_fail_start_doc;
        g_fail_start_doc = 0;
        if (error)
            return qmspl::Fail(error);
    }
    const DOC_INFO_1W *doc = (const DOC_INFO_1W *)pDocInfo;
    qmr::StoreLock lock(qmspl::LockPath(), true);
    qmspl::PrinterRecord printer;
    if (!qmspl::LoadPrinter(h->dir, &printer))
        return qmspl::Fail(ERROR_INVALID_PRINTER_NAME);
    qmspl::JobRecord rec = {};
    rec.datatype = doc->pDatatype && *doc->pDatatype ? std::u16string(doc->pDatatype)
                   : !h->datatype.empty()            ? h->datatype
                                                     : printer.datatype;
    if (!datatype_known(rec.datatype))
        return qmspl::Fail(ERROR_INVALID_DATATYPE);
    rec.id = qmspl::NextJobId();
    if (!rec.id)
        return qmspl::Fail(ERROR_CANTWRITE);
    rec.status = QMH_JOB_OPEN;
    rec.printer = printer.name;
    rec.document = qmr::WideString(doc->pDocName);
    rec.output_file = qmr::WideString(doc->pOutputFile);
    rec.user = qmk::CurrentUserName();
    rec.submitted = now_utc();
    std::string spl = qmspl::JobPath(rec.id, ".spl"), writes = qmspl::JobPath(rec.id, ".writes");
    if (!qmr::WriteFileAtomic(spl, std::string()) || !qmr::WriteFileAtomic(writes, std::string()) ||
        !qmspl::SaveJob(rec))
        return qmspl::Fail(ERROR_CANTWRITE);
    h->job = rec.id;
    h->job_bytes = 0;
    return rec.id;
}

/* Counts a page of the open job; ERROR_SPL_NO_STARTDOC without one. */
extern "C" BOOL WINAPI StartPagePrinter(HANDLE hPrinter)
{
    qmspl::Handle *h = job_handle(hPrinter);
    if (!h)
        return FALSE;
    qmr::StoreLock lock(qmspl::LockPath(), true);
    qmspl::JobRecord rec;
    if (!qmspl::LoadJob(h->job, &rec))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    ++rec.pages;
    return qmspl::SaveJob(rec) ? TRUE : qmspl::Fail(ERROR_CANTWRITE);
}

/* Ends a page of the open job; ERROR_SPL_NO_STARTDOC without one. */
extern "C" BOOL WINAPI EndPagePrinter(HANDLE hPrinter)
{
    return job_handle(hPrinter) ? TRUE : FALSE;
}

/* Appends bytes to the open job and records the write's size. Out: *pcWritten, the
 * bytes kept. An injected fault keeps the bytes before its offset and then fails with its
 * error (or reports the short count). ERROR_SPL_NO_STARTDOC without a job. */
extern "C" BOOL WINAPI WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten)
{
    if (pcWritten)
        *pcWritten = 0;
    qmspl::Handle *h = job_handle(hPrinter);
    if (!h)
        return FALSE;
    if (!pcWritten || (!pBuf && cbBuf))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    DWORD keep = cbBuf, error = 0;
    {
        std::lock_guard<std::mutex> guard(g_fault_lock);
        if (g_discard_writes) {
            h->job_bytes += cbBuf;
            *pcWritten = cbBuf;
            return TRUE;
        }
        if (g_fail_write_at != QMT_SPOOLER_NEVER && cbBuf > 0 && h->job_bytes + cbBuf > g_fail_write_at) {
            keep = g_fail_write_at > h->job_bytes ? g_fail_write_at - h->job_bytes : 0;
            error = g_fail_write_error;
        }
    }
    if (!keep_bytes(h->job, pBuf, keep))
        return qmspl::Fail(ERROR_WRITE_FAULT);
    h->job_bytes += keep;
    *pcWritten = keep;
    return error ? qmspl::Fail(error) : TRUE;
}

/* Ends the open job as completed; ERROR_SPL_NO_STARTDOC without one. */
extern "C" BOOL WINAPI EndDocPrinter(HANDLE hPrinter)
{
    qmspl::Handle *h = job_handle(hPrinter);
    if (!h)
        return FALSE;
    qmspl::EndOpenJob(h, QMH_JOB_COMPLETED);
    return TRUE;
}

/* Ends the open job as aborted (its bytes stay for inspection). */
extern "C" BOOL WINAPI AbortPrinter(HANDLE hPrinter)
{
    qmspl::Handle *h = job_handle(hPrinter);
    if (!h)
        return FALSE;
    qmspl::EndOpenJob(h, QMH_JOB_ABORTED);
    return TRUE;
}

/* Level 1: JOB_INFO_1W of a job of this printer, with the size protocol;
 * ERROR_INVALID_PARAMETER for an unknown job. */
extern "C" BOOL WINAPI GetJobW(HANDLE hPrinter, DWORD JobId, DWORD Level, LPBYTE pJob, DWORD cbBuf, LPDWORD pcbNeeded)
{
    qmspl::Handle *h = qmspl::LookupPrinterHandle(hPrinter);
    if (!h)
        return FALSE;
    if (!pcbNeeded)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    if (Level != 1)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    qmspl::JobRecord rec;
    {
        qmr::StoreLock lock(qmspl::LockPath(), false);
        if (!qmspl::LoadJob(JobId, &rec) || qmr::CompareNoCase(rec.printer, h->printer) != 0)
            return qmspl::Fail(ERROR_INVALID_PARAMETER);
    }
    char host[256] = "localhost";
    gethostname(host, sizeof(host) - 1);
    std::u16string machine = u"\\\\" + qmr::FromUtf8(host);
    static const DWORD status[] = {JOB_STATUS_SPOOLING, JOB_STATUS_PRINTED, JOB_STATUS_DELETED};
    return qmspl::PackEntries(
        1, sizeof(JOB_INFO_1W), pJob, cbBuf, pcbNeeded, [&](qmspl::Packer *p, BYTE *entry, DWORD) {
            JOB_INFO_1W v = {};
            v.pPrinterName = qmspl::PackString(p, rec.printer);
            v.pMachineName = qmspl::PackString(p, machine);
            v.pUserName = qmspl::PackString(p, rec.user);
            v.pDocument = qmspl::PackString(p, rec.document);
            v.pDatatype = qmspl::PackString(p, rec.datatype);
            if (!entry)
                return;
            v.JobId = rec.id;
            v.Status = rec.status < 3 ? status[rec.status] : 0;
            v.Priority = DEF_PRIORITY;
            v.Position = 1;
            v.TotalPages = rec.pages;
            v.PagesPrinted = rec.status == QMH_JOB_COMPLETED ? rec.pages : 0;
            v.Submitted = rec.submitted;
            *(JOB_INFO_1W *)entry = v;
        });
}

/* See qmhost.h. */
extern "C" DWORD qmh_EnumJobs(LPCWSTR pPrinterName, QMH_JOB_INFO *pJobs, DWORD cMax)
{
    qmr::StoreLock lock(qmspl::LockPath(), false);
    DWORD count = 0;
    for (DWORD id : job_ids()) {
        qmspl::JobRecord rec;
        if (!qmspl::LoadJob(id, &rec))
            continue;
        if (pPrinterName && qmr::CompareNoCase(rec.printer, pPrinterName) != 0)
            continue;
        if (pJobs && count < cMax)
            fill_host_info(rec, &pJobs[count]);
        ++count;
    }
    return count;
}

/* See qmhost.h. */
extern "C" BOOL qmh_GetJob(DWORD JobId, QMH_JOB_INFO *pJob)
{
    if (!pJob)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmr::StoreLock lock(qmspl::LockPath(), false);
    qmspl::JobRecord rec;
    if (!qmspl::LoadJob(JobId, &rec))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    fill_host_info(rec, pJob);
    return TRUE;
}

/* See qmhost.h. */
extern "C" BOOL qmh_ReadJobData(DWORD JobId, LPBYTE pData, DWORD cbData, LPDWORD pcbNeeded)
{
    if (!pcbNeeded)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmr::StoreLock lock(qmspl::LockPath(), false);
    qmspl::JobRecord rec;
    std::string bytes;
    if (!qmspl::LoadJob(JobId, &rec) || !qmr::ReadWholeFile(qmspl::JobPath(JobId, ".spl"), &bytes))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    *pcbNeeded = (DWORD)bytes.size();
    if (!pData || cbData < bytes.size())
        return qmspl::Fail(ERROR_INSUFFICIENT_BUFFER);
    std::copy(bytes.begin(), bytes.end(), pData);
    return TRUE;
}

/* See qmhost.h. */
extern "C" DWORD qmh_GetJobWriteSizes(DWORD JobId, LPDWORD pSizes, DWORD cMax)
{
    qmr::StoreLock lock(qmspl::LockPath(), false);
    std::string bytes;
    if (!qmr::ReadWholeFile(qmspl::JobPath(JobId, ".writes"), &bytes))
        return 0;
    qmr::Reader r = qmr::MakeReader(bytes);
    DWORD count = (DWORD)(bytes.size() / sizeof(DWORD));
    for (DWORD i = 0; i < count; ++i) {
        DWORD size = qmr::Get32(&r);
        if (pSizes && i < cMax)
            pSizes[i] = size;
    }
    return count;
}

/* See qmhost.h. */
extern "C" BOOL qmh_GetJobDataPath(DWORD JobId, char *pPath, DWORD cchPath)
{
    qmspl::JobRecord rec;
    {
        qmr::StoreLock lock(qmspl::LockPath(), false);
        if (!qmspl::LoadJob(JobId, &rec))
            return qmspl::Fail(ERROR_INVALID_PARAMETER);
    }
    std::string path = qmspl::JobPath(JobId, ".spl");
    if (!pPath || cchPath <= path.size())
        return qmspl::Fail(ERROR_INSUFFICIENT_BUFFER);
    memcpy(pPath, path.c_str(), path.size() + 1);
    return TRUE;
}

/* See qmhost.h. */
extern "C" BOOL qmh_DeleteJob(DWORD JobId)
{
    qmr::StoreLock lock(qmspl::LockPath(), true);
    qmspl::JobRecord rec;
    if (!qmspl::LoadJob(JobId, &rec))
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    for (const char *ext : {".job", ".spl", ".writes"})
        unlink(qmspl::JobPath(JobId, ext).c_str());
    return TRUE;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailWrite(DWORD atByte, DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_write_at = atByte;
    g_fail_write_error = dwError;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerFailStartDoc(DWORD dwError)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_fail_start_doc = dwError;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerDiscardWrites(BOOL discard)
{
    std::lock_guard<std::mutex> guard(g_fault_lock);
    g_discard_writes = discard != FALSE;
}

/* See qm_testing_spooler.h. */
extern "C" void qmt_SpoolerReset(void)
{
    qmt_SpoolerDiscardWrites(FALSE);
    qmt_SpoolerFailStartDoc(0);
    qmt_SpoolerDenyAdministration(FALSE);
    qmt_SpoolerFailOpen(0, 0);
    qmt_SpoolerFailWrite(QMT_SPOOLER_NEVER, 0);
    qmt_SpoolerFailSetPrinterData(QMT_SPOOLER_NEVER, 0);
    qmt_SpoolerFailGetPrinterData(QMT_SPOOLER_NEVER, 0);
    qmt_SpoolerFailDeletePrinterData(QMT_SPOOLER_NEVER, 0);
}
