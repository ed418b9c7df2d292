/*
 * The spooler's stored records (printers, drivers, jobs) and the buffer packer of the
 * information calls.
 */
#include "platform/src/spooler/spooler_private.h"

#include <algorithm>
#include <filesystem>

#include "platform/src/kernel/kernel_private.h"
#include "platform/src/registry/store.h"

namespace {

const DWORD kPrinterMagic = 0x52504D51; /* "QMPR" */
const DWORD kDriverMagic = 0x52444D51;  /* "QMDR" */
const DWORD kJobMagic = 0x424A4D51;     /* "QMJB" */

std::string ensure_dir(const std::string &dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

DWORD round4(DWORD n)
{
    return (n + 3) & ~3u;
}

} // namespace

std::string qmspl::StoreDir()
{
    return ensure_dir(qmk::RootDir() + "/spooler");
}

std::string qmspl::LockPath()
{
    return StoreDir() + "/.lock";
}

std::string qmspl::PrinterDir(const std::u16string &name)
{
    return StoreDir() + "/printers/" + qmr::EncodeName(name);
}

std::string qmspl::JobPath(DWORD id, const char *ext)
{
    return ensure_dir(StoreDir() + "/jobs") + "/" + std::to_string(id) + ext;
}

bool qmspl::LoadPrinter(const std::string &dir, PrinterRecord *out)
{
    std::string bytes;
    if (!qmr::ReadWholeFile(dir + "/printer.dat", &bytes))
        return false;
    qmr::Reader r = qmr::MakeReader(bytes);
    if (qmr::Get32(&r) != kPrinterMagic)
        return false;
    std::u16string *strings[] = {&out->name,
                                 &out->port,
                                 &out->driver,
                                 &out->comment,
                                 &out->location,
                                 &out->share,
                                 &out->sep_file,
                                 &out->print_processor,
                                 &out->datatype,
                                 &out->parameters};
    for (std::u16string *s : strings)
        *s = qmr::GetWide(&r);
    DWORD *numbers[] = {
        &out->attributes, &out->priority, &out->default_priority, &out->start_time, &out->until_time, &out->status};
    for (DWORD *n : numbers)
        *n = qmr::Get32(&r);
    out->devmode = qmr::GetBytes(&r);
    return r.ok && r.pos == bytes.size();
}

bool qmspl::SavePrinter(const std::string &dir, const PrinterRecord &rec)
{
    std::string bytes;
    qmr::Put32(&bytes, kPrinterMagic);
    const std::u16string *strings[] = {&rec.name,
                                       &rec.port,
                                       &rec.driver,
                                       &rec.comment,
                                       &rec.location,
                                       &rec.share,
                                       &rec.sep_file,
                                       &rec.print_processor,
                                       &rec.datatype,
                                       &rec.parameters};
    for (const std::u16string *s : strings)
        qmr::PutWide(&bytes, *s);
    const DWORD numbers[] = {
        rec.attributes, rec.priority, rec.default_priority, rec.start_time, rec.until_time, rec.status};
    for (DWORD n : numbers)
        qmr::Put32(&bytes, n);
    qmr::PutBytes(&bytes, rec.devmode);
    ensure_dir(dir);
    return qmr::WriteFileAtomic(dir + "/printer.dat", bytes);
}

bool qmspl::LoadDriver(const std::u16string &name, DriverRecord *out)
{
    std::string bytes;
    if (!qmr::ReadWholeFile(StoreDir() + "/drivers/" + qmr::EncodeName(name) + ".dat", &bytes))
        return false;
    qmr::Reader r = qmr::MakeReader(bytes);
    if (qmr::Get32(&r) != kDriverMagic)
        return false;
    out->version = qmr::Get32(&r);
    std::u16string *strings[] = {&out->name,
                                 &out->environment,
                                 &out->driver_path,
                                 &out->data_file,
                                 &out->config_file,
                                 &out->help_file,
                                 &out->monitor,
                                 &out->default_datatype,
                                 &out->dependent_files};
    for (std::u16string *s : strings)
        *s = qmr::GetWide(&r);
    return r.ok && r.pos == bytes.size();
}

bool qmspl::SaveDriver(const DriverRecord &rec)
{
    std::string bytes;
    qmr::Put32(&bytes, kDriverMagic);
    qmr::Put32(&bytes, rec.version);
    const std::u16string *strings[] = {&rec.name,
                                       &rec.environment,
                                       &rec.driver_path,
                                       &rec.data_file,
                                       &rec.config_file,
                                       &rec.help_file,
                                       &rec.monitor,
                                       &rec.default_datatype,
                                       &rec.dependent_files};
    for (const std::u16string *s : strings)
        qmr::PutWide(&bytes, *s);
    std::string dir = ensure_dir(StoreDir() + "/drivers");
    return qmr::WriteFileAtomic(dir + "/" + qmr::EncodeName(rec.name) + ".dat", bytes);
}

std::vector<qmspl::PrinterRecord> qmspl::ListPrinters()
{
    std::vector<PrinterRecord> out;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(StoreDir() + "/printers", ec)) {
        PrinterRecord rec;
        if (LoadPrinter(entry.path().string(), &rec))
            out.push_back(rec);
    }
    std::sort(out.begin(), out.end(), [](const PrinterRecord &a, const PrinterRecord &b) {
        return qmr::CompareNoCase(a.name, b.name) < 0;
    });
    return out;
}

bool qmspl::LoadJob(DWORD id, JobRecord *out)
{
    std::string bytes;
    if (!qmr::ReadWholeFile(JobPath(id, ".job"), &bytes))
        return false;
    qmr::Reader r = qmr::MakeReader(bytes);
    if (qmr::Get32(&r) != kJobMagic)
        return false;
    out->id = qmr::Get32(&r);
    out->status = qmr::Get32(&r);
    out->pages = qmr::Get32(&r);
    std::u16string *strings[] = {&out->printer, &out->document, &out->datatype, &out->output_file, &out->user};
    for (std::u16string *s : strings)
        *s = qmr::GetWide(&r);
    std::string time = qmr::GetBytes(&r);
    if (time.size() != sizeof(SYSTEMTIME))
        return false;
    memcpy(&out->submitted, time.data(), sizeof(SYSTEMTIME));
    return r.ok && r.pos == bytes.size() && out->id == id;
}

bool qmspl::SaveJob(const JobRecord &rec)
{
    std::string bytes;
    qmr::Put32(&bytes, kJobMagic);
    qmr::Put32(&bytes, rec.id);
    qmr::Put32(&bytes, rec.status);
    qmr::Put32(&bytes, rec.pages);
    const std::u16string *strings[] = {&rec.printer, &rec.document, &rec.datatype, &rec.output_file, &rec.user};
    for (const std::u16string *s : strings)
        qmr::PutWide(&bytes, *s);
    qmr::PutBytes(&bytes, std::string((const char *)&rec.submitted, sizeof(SYSTEMTIME)));
    return qmr::WriteFileAtomic(JobPath(rec.id, ".job"), bytes);
}

DWORD qmspl::NextJobId()
{
    /* The caller holds the store lock exclusively. */
    std::string path = ensure_dir(StoreDir() + "/jobs") + "/next.id";
    std::string bytes;
    DWORD id = 1;
    if (qmr::ReadWholeFile(path, &bytes)) {
        qmr::Reader r = qmr::MakeReader(bytes);
        DWORD stored = qmr::Get32(&r);
        if (r.ok && stored > 0)
            id = stored;
    }
    std::string next;
    qmr::Put32(&next, id + 1);
    return qmr::WriteFileAtomic(path, next) ? id : 0;
}

BOOL qmspl::Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

qmspl::Packer qmspl::MeasurePacker()
{
    return Packer{nullptr, 0, 0};
}

qmspl::Packer qmspl::FillPacker(BYTE *buf, DWORD cbBuf)
{
    return Packer{buf, cbBuf & ~3u, 0};
}

void *qmspl::PackBytes(Packer *p, const std::string &bytes)
{
    if (bytes.empty())
        return nullptr;
    DWORD size = round4((DWORD)bytes.size());
    p->extra += size;
    if (!p->buf)
        return nullptr;
    p->end -= size;
    memcpy(p->buf + p->end, bytes.data(), bytes.size());
    return p->buf + p->end;
}

LPWSTR qmspl::PackString(Packer *p, const std::u16string &s)
{
    std::string bytes((const char *)s.c_str(), (s.size() + 1) * sizeof(char16_t));
    return (LPWSTR)PackBytes(p, bytes);
}

LPWSTR qmspl::PackOptional(Packer *p, const std::u16string &s)
{
    return s.empty() ? nullptr : PackString(p, s);
}
