#include "platform/src/spooler/tests/spooler_fixture.h"

#include <string>
#include <vector>

namespace {

/* Runs the two-call size protocol of an information call and checks its rules: a NULL
 * buffer and a buffer one byte short fail with ERROR_INSUFFICIENT_BUFFER and the same
 * size; a buffer of exactly that size succeeds and every string points inside it. */
template <typename Call> std::vector<BYTE> TwoCalls(Call call)
{
    DWORD needed = 0;
    SetLastError(0);
    EXPECT_FALSE(call(nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_GT(needed, 0u);
    std::vector<BYTE> buf(needed);
    DWORD again = 0;
    EXPECT_FALSE(call(buf.data(), needed - 1, &again));
    EXPECT_EQ(again, needed);
    EXPECT_TRUE(call(buf.data(), needed, &again));
    return buf;
}

bool Inside(const std::vector<BYTE> &buf, const void *p)
{
    return p >= (const void *)buf.data() && p < (const void *)(buf.data() + buf.size());
}

} // namespace

TEST_F(Spooler, PrinterAndDriverInformationFollowTheSizeProtocol)
{
    for (DWORD level : {1u, 2u, 4u, 5u}) {
        SCOPED_TRACE(testing::Message() << "PRINTER_INFO_" << level);
        std::vector<BYTE> buf =
            TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return GetPrinterW(printer_, level, b, cb, n); });
        LPWSTR name =
            level == 1 ? ((PRINTER_INFO_1W *)buf.data())->pName : ((PRINTER_INFO_4W *)buf.data())->pPrinterName;
        if (level == 2)
            name = ((PRINTER_INFO_2W *)buf.data())->pPrinterName;
        ASSERT_TRUE(Inside(buf, name));
        EXPECT_EQ(std::u16string(name), u"QM Test Printer");
    }
    std::vector<BYTE> p2 = TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return GetPrinterW(printer_, 2, b, cb, n); });
    const PRINTER_INFO_2W *info2 = (const PRINTER_INFO_2W *)p2.data();
    EXPECT_EQ(std::u16string(info2->pPortName), u"LPT1:");
    EXPECT_EQ(std::u16string(info2->pDriverName), u"QM Test Driver");
    EXPECT_EQ(info2->Attributes, (DWORD)PRINTER_ATTRIBUTE_LOCAL);
    EXPECT_EQ(info2->pDevMode, nullptr) << "no DEVMODE stored yet";

    std::vector<BYTE> d2 =
        TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return GetPrinterDriverW(printer_, nullptr, 2, b, cb, n); });
    const DRIVER_INFO_2W *drv = (const DRIVER_INFO_2W *)d2.data();
    EXPECT_EQ(drv->cVersion, 3u);
    EXPECT_EQ(std::u16string(drv->pDataFile), u"C:\\drivers\\SAMPLE.DDD");
    EXPECT_EQ(std::u16string(drv->pDriverPath), u"C:\\drivers\\qmkelvim.dll");
    EXPECT_EQ(std::u16string(drv->pConfigFile), u"C:\\drivers\\qmkelviu.dll");
    std::vector<BYTE> d3 = TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) {
        return GetPrinterDriverW(printer_, (LPWSTR)TEXT("Windows NT x86"), 3, b, cb, n);
    });
    const DRIVER_INFO_3W *drv3 = (const DRIVER_INFO_3W *)d3.data();
    EXPECT_EQ(std::u16string(drv3->pHelpFile), u"C:\\drivers\\qmkelv.chm");
    EXPECT_EQ(std::u16string(drv3->pDependentFiles), u"qmkelvdm.dll");
    EXPECT_EQ(std::u16string(drv3->pDependentFiles + 13), u"qmkelvir.xrs");
    EXPECT_EQ(drv3->pDependentFiles[26], 0);

    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(printer_, 3, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_LEVEL);
    EXPECT_FALSE(GetPrinterDriverW(printer_, (LPWSTR)TEXT("Windows x64"), 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_UNKNOWN_PRINTER_DRIVER);
}

TEST_F(Spooler, PrinterInfo2CarriesTheStoredDevmode)
{
    std::vector<BYTE> dm(sizeof(DEVMODEW) + 100);
    DEVMODEW *in = (DEVMODEW *)dm.data();
    in->dmSize = sizeof(DEVMODEW);
    in->dmDriverExtra = 100;
    in->dmPaperSize = DMPAPER_A4;
    for (int i = 0; i < 100; ++i)
        dm[sizeof(DEVMODEW) + i] = (BYTE)(i + 1);
    std::vector<BYTE> p2 = TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return GetPrinterW(printer_, 2, b, cb, n); });
    PRINTER_INFO_2W *info = (PRINTER_INFO_2W *)p2.data();
    info->pDevMode = in;
    ASSERT_TRUE(SetPrinterW(printer_, 2, p2.data(), 0));
    std::vector<BYTE> back = TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return GetPrinterW(printer_, 2, b, cb, n); });
    const DEVMODEW *out = ((PRINTER_INFO_2W *)back.data())->pDevMode;
    ASSERT_TRUE(Inside(back, out));
    EXPECT_EQ((uintptr_t)out % 4, 0u);
    EXPECT_EQ(memcmp(out, dm.data(), dm.size()), 0);

    HANDLE user = nullptr;
    ASSERT_TRUE(Open(0, &user));
    EXPECT_FALSE(SetPrinterW(user, 2, back.data(), 0));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    ClosePrinter(user);
}

TEST_F(Spooler, PrinterDataKeepsEveryValueExactly)
{
    BYTE block[5452];
    for (size_t i = 0; i < sizeof(block); ++i)
        block[i] = (BYTE)(i * 31);
    DWORD dword = 21024;
    const WCHAR sz[] = TEXT("qmkelvui.dll");
    ASSERT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterData1"), REG_BINARY, block, 768), ERROR_SUCCESS);
    ASSERT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("PrinterDataSize"), REG_DWORD, (BYTE *)&dword, 4), ERROR_SUCCESS);
    ASSERT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("SPLUserModePrinterDriver"), REG_SZ, (BYTE *)sz, sizeof(sz)),
              ERROR_SUCCESS);
    ASSERT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("Big"), REG_BINARY, block, sizeof(block)), ERROR_SUCCESS);

    /* The size query of a present value answers ERROR_MORE_DATA with its size. */
    DWORD type = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("big"), &type, nullptr, 0, &needed), (DWORD)ERROR_MORE_DATA);
    EXPECT_EQ(needed, sizeof(block));
    std::vector<BYTE> buf(sizeof(block));
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("Big"), &type, buf.data(), sizeof(block) - 1, &needed),
              (DWORD)ERROR_MORE_DATA);
    ASSERT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("Big"), &type, buf.data(), sizeof(block), &needed), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_BINARY);
    EXPECT_EQ(memcmp(buf.data(), block, sizeof(block)), 0);
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("PRNID"), &type, buf.data(), 16, &needed),
              (DWORD)ERROR_FILE_NOT_FOUND);

    /* Values of another key stay apart from the driver data. */
    BYTE one = 1;
    ASSERT_EQ(SetPrinterDataExW(printer_, TEXT("DsDriver"), TEXT("printDuplexSupported"), REG_BINARY, &one, 1),
              ERROR_SUCCESS);
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("printDuplexSupported"), &type, buf.data(), 4, &needed),
              (DWORD)ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(
        GetPrinterDataExW(printer_, TEXT("dsdriver"), TEXT("printDuplexSupported"), &type, buf.data(), 4, &needed),
        ERROR_SUCCESS);
    EXPECT_EQ(needed, 1u);

    /* Enumeration in creation order; deletion. */
    std::vector<std::u16string> names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD cbName = 0, cbData = 0;
        DWORD rc =
            EnumPrinterDataW(printer_, i, name, sizeof(name), &cbName, &type, buf.data(), (DWORD)buf.size(), &cbData);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(rc, ERROR_SUCCESS);
        names.push_back(name);
    }
    EXPECT_EQ(names,
              (std::vector<std::u16string>{u"PrinterData1", u"PrinterDataSize", u"SPLUserModePrinterDriver", u"Big"}));
    EXPECT_EQ(DeletePrinterDataW(printer_, (LPWSTR)TEXT("BIG")), ERROR_SUCCESS);
    EXPECT_EQ(DeletePrinterDataW(printer_, (LPWSTR)TEXT("Big")), (DWORD)ERROR_FILE_NOT_FOUND);
}

TEST_F(Spooler, RightsAndOpenFailuresAreReportedAsWindowsDoes)
{
    HANDLE user = nullptr;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("qm test printer"), &user, nullptr));
    DWORD v = 1, needed = 0;
    EXPECT_EQ(SetPrinterDataW(user, (LPWSTR)TEXT("Permission"), REG_DWORD, (BYTE *)&v, 4), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetPrinterDataW(user, (LPWSTR)TEXT("Permission"), nullptr, (BYTE *)&v, 4, &needed),
              (DWORD)ERROR_FILE_NOT_FOUND);
    ClosePrinter(user);

    qmt_SpoolerDenyAdministration(TRUE);
    HANDLE admin = nullptr;
    EXPECT_FALSE(Open(PRINTER_ALL_ACCESS, &admin));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(admin, nullptr);
    ASSERT_TRUE(Open(PRINTER_ACCESS_USE, &user));
    ClosePrinter(user);
    qmt_SpoolerDenyAdministration(FALSE);

    EXPECT_FALSE(OpenPrinterW((LPWSTR)TEXT("No Such Printer"), &user, nullptr));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PRINTER_NAME);

    qmt_SpoolerFailOpen(2, ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_TRUE(Open(PRINTER_ALL_ACCESS, &admin));
    EXPECT_FALSE(Open(PRINTER_ALL_ACCESS, &user));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_TRUE(Open(PRINTER_ALL_ACCESS, &user)) << "only the nth open fails";
    ClosePrinter(user);
    ClosePrinter(admin);
    EXPECT_FALSE(ClosePrinter(admin));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(Spooler, SetPrinterDataFailsAfterTheAllowedNumberOfValues)
{
    BYTE chunk[768] = {7};
    qmt_SpoolerFailSetPrinterData(2, ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev1"), REG_BINARY, chunk, sizeof(chunk)), ERROR_SUCCESS);
    EXPECT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev2"), REG_BINARY, chunk, sizeof(chunk)), ERROR_SUCCESS);
    EXPECT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev3"), REG_BINARY, chunk, sizeof(chunk)),
              (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(SetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev1"), REG_BINARY, chunk, 1), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    DWORD needed = 0;
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev3"), nullptr, nullptr, 0, &needed),
              (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetPrinterDataW(printer_, (LPWSTR)TEXT("N_Dev1"), nullptr, nullptr, 0, &needed), (DWORD)ERROR_MORE_DATA);
    EXPECT_EQ(needed, sizeof(chunk)) << "the failed write left the old value";
}

TEST_F(Spooler, BuiltInFormsAreWindowsListInPaperOrderThenUserForms)
{
    DWORD count = 0;
    std::vector<BYTE> buf =
        TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return EnumFormsW(printer_, 1, b, cb, n, &count); });
    ASSERT_EQ(count, (DWORD)DMPAPER_LAST);
    const FORM_INFO_1W *forms = (const FORM_INFO_1W *)buf.data();
    struct Paper {
        int dmpaper;
        const char16_t *name;
        LONG cx, cy;
    } papers[] = {{DMPAPER_LETTER, u"Letter", 215900, 279400},
                  {DMPAPER_LEGAL, u"Legal", 215900, 355600},
                  {DMPAPER_EXECUTIVE, u"Executive", 184150, 266700},
                  {DMPAPER_A3, u"A3", 297000, 420000},
                  {DMPAPER_A4, u"A4", 210000, 297000},
                  {DMPAPER_A5, u"A5", 148000, 210000},
                  {DMPAPER_B4, u"B4 (JIS)", 257000, 364000},
                  {DMPAPER_B5, u"B5 (JIS)", 182000, 257000},
                  {DMPAPER_ENV_10, u"Envelope #10", 104775, 241300},
                  {DMPAPER_A6, u"A6", 105000, 148000},
                  {DMPAPER_PENV_10_ROTATED, u"PRC Envelope #10 Rotated", 458000, 324000}};
    for (const Paper &p : papers) {
        const FORM_INFO_1W &f = forms[p.dmpaper - 1]; /* paper number = form index + 1 */
        EXPECT_EQ(std::u16string(f.pName), p.name);
        EXPECT_EQ(f.Flags, (DWORD)FORM_BUILTIN);
        EXPECT_EQ(f.Size.cx, p.cx);
        EXPECT_EQ(f.Size.cy, p.cy);
        EXPECT_EQ(f.ImageableArea.right, p.cx);
        EXPECT_EQ(f.ImageableArea.bottom, p.cy);
    }

    FORM_INFO_1W form = {FORM_PRINTER, (LPWSTR)TEXT("User Size 1"), {100000, 150000}, {1000, 2000, 99000, 148000}};
    ASSERT_TRUE(AddFormW(printer_, 1, (BYTE *)&form));
    EXPECT_FALSE(AddFormW(printer_, 1, (BYTE *)&form));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_EXISTS);
    FORM_INFO_1W bad = form;
    bad.pName = (LPWSTR)TEXT("Bad");
    bad.ImageableArea.right = 200000;
    EXPECT_FALSE(AddFormW(printer_, 1, (BYTE *)&bad));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FORM_SIZE);

    /* Forms belong to the machine: the server handle sees the user form after the built-ins. */
    HANDLE server = nullptr;
    ASSERT_TRUE(OpenPrinterW(nullptr, &server, nullptr));
    buf = TwoCalls([&](BYTE *b, DWORD cb, DWORD *n) { return EnumFormsW(server, 1, b, cb, n, &count); });
    ASSERT_EQ(count, (DWORD)DMPAPER_LAST + 1);
    EXPECT_EQ(std::u16string(((FORM_INFO_1W *)buf.data())[DMPAPER_LAST].pName), u"User Size 1");

    form.Size.cx = 120000;
    ASSERT_TRUE(SetFormW(server, (LPWSTR)TEXT("user size 1"), 1, (BYTE *)&form));
    buf = TwoCalls(
        [&](BYTE *b, DWORD cb, DWORD *n) { return GetFormW(printer_, (LPWSTR)TEXT("User Size 1"), 1, b, cb, n); });
    const FORM_INFO_1W *got = (const FORM_INFO_1W *)buf.data();
    EXPECT_EQ(got->Flags, (DWORD)FORM_PRINTER);
    EXPECT_EQ(got->Size.cx, 120000);
    EXPECT_EQ(got->ImageableArea.left, 1000);

    EXPECT_FALSE(SetFormW(printer_, (LPWSTR)TEXT("A4"), 1, (BYTE *)&form));
    EXPECT_FALSE(DeleteFormW(printer_, (LPWSTR)TEXT("Letter")));
    qmt_SpoolerDenyAdministration(TRUE);
    EXPECT_FALSE(DeleteFormW(printer_, (LPWSTR)TEXT("User Size 1")));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    qmt_SpoolerDenyAdministration(FALSE);
    ASSERT_TRUE(DeleteFormW(printer_, (LPWSTR)TEXT("User Size 1")));
    DWORD needed = 0;
    EXPECT_FALSE(GetFormW(printer_, (LPWSTR)TEXT("User Size 1"), 1, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FORM_NAME);
    ClosePrinter(server);
}

TEST_F(Spooler, LocalPrintersAreListedByName)
{
    QMH_PRINTER_SETUP setup = {TEXT("Another"),
                               TEXT("FILE:"),
                               TEXT("QM Test Driver"),
                               TEXT("a.dll"),
                               TEXT("a.ddd"),
                               TEXT("b.dll"),
                               nullptr,
                               nullptr,
                               PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED};
    ASSERT_TRUE(qmh_InstallPrinter(&setup));
    EXPECT_FALSE(qmh_InstallPrinter(&setup));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PRINTER_ALREADY_EXISTS);
    DWORD count = 0;
    std::vector<BYTE> buf = TwoCalls(
        [&](BYTE *b, DWORD cb, DWORD *n) { return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, b, cb, n, &count); });
    ASSERT_EQ(count, 2u);
    const PRINTER_INFO_4W *list = (const PRINTER_INFO_4W *)buf.data();
    EXPECT_EQ(std::u16string(list[0].pPrinterName), u"Another");
    EXPECT_EQ(list[0].Attributes, (DWORD)(PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED));
    EXPECT_EQ(std::u16string(list[1].pPrinterName), u"QM Test Printer");
    ASSERT_TRUE(qmh_DeletePrinter(TEXT("another")));
    HANDLE h = nullptr;
    EXPECT_FALSE(OpenPrinterW((LPWSTR)TEXT("Another"), &h, nullptr));
}

TEST_F(Spooler, TheLeakCheckSeesAnOpenHandle)
{
    HANDLE extra = nullptr;
    ASSERT_TRUE(Open(PRINTER_ACCESS_USE, &extra));
    EXPECT_EQ(qmt_LivePrinterHandles(), handles_ + 2);
    ClosePrinter(extra);
    EXPECT_EQ(qmt_LivePrinterHandles(), handles_ + 1);
}
