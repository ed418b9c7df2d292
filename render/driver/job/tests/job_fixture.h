/*
 * A job run through the render driver's entry points as GDI runs it, on a printer whose
 * spooler keeps the job's bytes, with readers of the stream that came out.
 */
#ifndef QM_RENDER_DRIVER_JOB_TESTS_JOB_FIXTURE_H
#define QM_RENDER_DRIVER_JOB_TESTS_JOB_FIXTURE_H

#include <windows.h>
#include <winddi.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <qmhost.h>

#include "platform/testing/qm_testing_spooler.h"
#include "render/driver/pdev/pdev.h"

namespace job_test {

// Every counter a finished job must leave where it was.
struct Counts {
    DWORD heaps, globals, modules, palettes, surfaces;
    bool operator==(const Counts &o) const;
};
Counts Now();

class JobTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a PDEV and its surface on the printer of a test model ("QMJOB", "QMJOBNI",
    // "QMJOBHK", "QMJOBOW") with a spool job started on its handle.
    void Open(const char *model = "QMJOB");
    // A setting of the PDEV's job written with the type it is stored as.
    void Set(WORD functionId, DWORD value);
    DWORD Get(WORD functionId);

    BOOL StartDoc()
    {
        return DrvStartDoc(surface_, (LPWSTR)TEXT("Sample job"), job_);
    }
    // count pages: DrvStartPage and DrvSendPage; FALSE at the first page that failed.
    BOOL Pages(int count);
    // DrvEndDoc, then the spool job ended as GDI does: aborted when DrvEndDoc failed or
    // the job was aborted. Returns DrvEndDoc's answer.
    BOOL EndDoc(FLONG flags = 0);
    // DrvResetPDEV into a new PDEV (made on the same DEVMODE) as GDI does for ResetDC.
    BOOL Reset();
    void Close();

    PDEV *Pdev()
    {
        return (PDEV *)surface_->dhpdev;
    }
    std::vector<BYTE> Bytes();
    DWORD JobStatus();
    // The stream listed: one entry per header line, body command and trailer line.
    std::vector<std::string> Listing();
    // The listing lines of the commands drawn inside pages (between each page's StartPage
    // and EndPage comments), without "body ".
    std::vector<std::string> PageCommands();
    // Opcodes of the body commands, with the text of 'EP' comments after a blank.
    std::vector<std::string> Commands();

    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    DWORD job_ = 0;
    std::vector<BYTE> devmode_;
    HSURF hsurf_ = nullptr;
    SURFOBJ *surface_ = nullptr;
    HDEV hdev_ = nullptr;
    DHPDEV pdev_ = nullptr;
    BOOL endDone_ = FALSE;
    Counts start_ = {};
};

// Index of the first entry of list at or after from equal to item (or starting with it
// when prefix), list.size() when there is none.
size_t Find(const std::vector<std::string> &list, const std::string &item, size_t from = 0, bool prefix = false);
size_t Count(const std::vector<std::string> &list, const std::string &item);

} // namespace job_test

#endif /* QM_RENDER_DRIVER_JOB_TESTS_JOB_FIXTURE_H */
