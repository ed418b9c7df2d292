/*
 * The image hook component through its stand-in: the blocks opening gives it, a run on a
 * captured page with its output in the page's place, the failures that leave the page
 * alone, the page size of a hook page, the masked blits that go to the engine while the
 * hook takes the pages, the capture of a page and a whole job on the model naming the
 * component. The hook is opened on a running job's PDEV from the printer of the model
 * variant that names the stand-in.
 */
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include <string>
#include <vector>

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/job/tests/job_fixture.h"
#include "render/stream/file_io.h"
#include "render/stream/output_stream.h"
#include "testing/standins/standin_controls.h"

namespace job_test {
namespace {

using Strings = std::vector<std::string>;

// A resolution low enough that a page's raster stays small.
const DWORD kResolution = 20;
// The job's colour mode (2: colour).
const WORD kColorModeSetting = 270;

class ImageHookTest : public JobTest
{
protected:
    void SetUp() override
    {
        JobTest::SetUp();
        driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmhook50.dll"), u"qmhook50.dll");
        driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmcmp50.dll"), u"qmcmp50.dll");
        standin_ = LoadLibraryW(TEXT("C:\\drv\\qmhook50.dll"));
        ASSERT_NE(standin_, nullptr);
        control_ = ((HookStandinControlProc)(void *)GetProcAddress(standin_, "QmHookStandinControl"))(1);
        ASSERT_NO_FATAL_FAILURE(Open());
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(DrvStartPage(surface_));
        Set(20, kResolution);
    }
    void TearDown() override
    {
        for (HANDLE printer : printers_)
            ClosePrinter(printer);
        Close();
        FreeLibrary(standin_);
        JobTest::TearDown();
    }
    // Opens the hook of model variant on the job's PDEV (the printer context comes from the
    // PDEV's printer handle).
    LONG OpenHook(const char *model = "QMJOBHK")
    {
        std::u16string name = u"QM Job ";
        for (const char *p = model; *p; ++p)
            name.push_back((char16_t)*p);
        std::string path = std::string(QM_MODELS_DIR) + "/" + model + ".DDD";
        HANDLE printer = nullptr;
        if (!OpenPrinterW((LPWSTR)name.c_str(), &printer, nullptr))
            printer = driver_files::InstallPrinter((LPCWSTR)name.c_str(), driver_files::HostFile(path.c_str()));
        printers_.push_back(printer);
        HANDLE own = Pdev()->printer;
        Pdev()->printer = printer;
        LONG answer = hook_Open(Pdev());
        Pdev()->printer = own;
        return answer;
    }
    HookState &Hook()
    {
        return Pdev()->job.stream->hook;
    }
    // A captured page in the hook's input file.
    void Capture(const char *bytes)
    {
        WCHAR path[MAX_PATH];
        ASSERT_EQ(util_MakeTempFileName(path, nullptr), 0);
        HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes, (DWORD)strlen(bytes), &written, nullptr);
        CloseHandle(file);
        lstrcpyW(Hook().inputPath, path);
        input_ = path;
    }
    // The page's raster size for the colour code of the stored page values. The sheet is
    // begun first (by a blit that draws nothing): its paper gives the size.
    DWORD RasterBytes(BYTE colorCode)
    {
        RECTL none = {0, 0, 1, 1};
        EXPECT_TRUE(
            DrvBitBlt(surface_, nullptr, nullptr, nullptr, nullptr, &none, nullptr, nullptr, nullptr, nullptr, 0xAAAA));
        Hook().page.colorCode = colorCode;
        DWORD width = 0, height = 0;
        hook_PageDots(Pdev(), &width, &height);
        return width * height * (colorCode == 2 ? 3 : 1);
    }
    static bool Gone(const std::u16string &path)
    {
        return GetFileAttributesW((LPCWSTR)path.c_str()) == INVALID_FILE_ATTRIBUTES;
    }
    Strings Drawn()
    {
        EXPECT_TRUE(DrvSendPage(surface_));
        EXPECT_TRUE(EndDoc());
        Strings drawn;
        for (const std::string &line : Listing())
            if (line.rfind("body ", 0) == 0)
                drawn.push_back(line.substr(5));
        return drawn;
    }
    HMODULE standin_ = nullptr;
    HookStandinControl *control_ = nullptr;
    std::vector<HANDLE> printers_;
    std::u16string input_;
};

size_t Index(const Strings &drawn, const std::string &prefix)
{
    for (size_t i = 0; i < drawn.size(); ++i)
        if (drawn[i].rfind(prefix, 0) == 0)
            return i;
    return drawn.size();
}

// Little-endian words of a block.
DWORD Dword(const BYTE *block, size_t at)
{
    DWORD value;
    memcpy(&value, block + at, 4);
    return value;
}
WORD Word(const BYTE *block, size_t at)
{
    WORD value;
    memcpy(&value, block + at, 2);
    return value;
}

TEST_F(ImageHookTest, BlocksAsTheComponentGetsThem)
{
    struct Case {
        DWORD colorMode, duplex, layout;
        WORD duplexCode;
    };
    const Case cases[] = {{0, 3, 0, 3}, {1, 2, 2, 3}, {2, 2, 0, 2}, {2, 1, 2, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.colorMode);
        Set(270, c.colorMode);
        Set(16, c.duplex);
        Set(321, c.layout);
        ASSERT_EQ(OpenHook(), 0);
        EXPECT_TRUE(hook_IsActive(Pdev()));
        const BYTE *a = (const BYTE *)Hook().blockA;
        const DWORD expectA[24] = {236, c.colorMode, 0, 1, 0, 0, 2, 4, 2, 1, 8,    0,
                                   0,   1,           0, 0, 8, 0, 2, 3, 0, 1, 8192, 0xFF000000};
        for (size_t i = 0; i < 24; ++i)
            EXPECT_EQ(Dword(a, 4 * i), expectA[i]) << "block A word " << i;
        for (size_t i = 96; i < 224; ++i)
            EXPECT_EQ(a[i], 0) << "block A byte " << i;
        EXPECT_EQ(Dword(a, 224), 2u);
        EXPECT_EQ(Dword(a, 228), 0u);
        EXPECT_EQ(Dword(a, 232), 0u);
        const BYTE *b = (const BYTE *)Hook().blockB;
        EXPECT_EQ(Dword(b, 0), 540u);
        EXPECT_EQ(std::vector<BYTE>(b + 4, b + 540), std::vector<BYTE>(536, 0));
        const BYTE *cBlock = (const BYTE *)Hook().blockC;
        EXPECT_EQ(Dword(cBlock, 0), 296u);
        EXPECT_EQ(Dword(cBlock, 4), 0x1000000u);
        EXPECT_EQ(Dword(cBlock, 8), 0x800000u);
        EXPECT_EQ(Dword(cBlock, 12), 0x800000u);
        for (size_t i = 0; i < 6; ++i)
            EXPECT_EQ(Word(cBlock, 16 + 2 * i), kResolution);
        // The custom size's largest paper, 2159 x 3556 tenths: 170 x 280 dots, the height
        // taken up to 9000.
        EXPECT_EQ(Word(cBlock, 28), 170);
        EXPECT_EQ(Word(cBlock, 30), 9000);
        std::string directory((const char *)cBlock + 32);
        ASSERT_FALSE(directory.empty());
        EXPECT_EQ(directory.back(), '\\');
        EXPECT_LT(directory.size(), 262u);
        EXPECT_EQ(Word(cBlock, 294), c.duplexCode);
        hook_Close(Pdev());
        EXPECT_FALSE(hook_IsActive(Pdev()));
    }
}

TEST_F(ImageHookTest, RunPutsTheOutputInThePagesPlace)
{
    ASSERT_EQ(OpenHook(), 0);
    Capture("captured page");
    control_->outputBytes = RasterBytes(2);
    ASSERT_EQ(hook_Run(Pdev()), 0);
    EXPECT_EQ(control_->calls, 1u);
    EXPECT_EQ(control_->inputBytes, 13u);
    EXPECT_EQ(std::string((const char *)control_->inputHead, 13), "captured page");
    EXPECT_EQ(std::string(control_->data), "C:\\drv\\info 15");
    EXPECT_NE(std::string(control_->output), "");
    EXPECT_EQ(memcmp(control_->blockA, Hook().blockA, sizeof control_->blockA), 0);
    EXPECT_EQ(memcmp(control_->blockB, Hook().blockB, sizeof control_->blockB), 0);
    EXPECT_EQ(memcmp(control_->blockC, Hook().blockC, sizeof control_->blockC), 0);
    EXPECT_EQ(control_->workAreaZero, 1u);
    std::u16string output;
    for (const char *p = control_->output; *p; ++p)
        output.push_back((char16_t)*p);
    EXPECT_TRUE(Gone(input_));
    EXPECT_TRUE(Gone(output));
    EXPECT_EQ(Hook().inputPath[0], 0);
    EXPECT_EQ(Hook().outputPath[0], 0);

    Strings drawn = Drawn();
    size_t cq = Index(drawn, "Cq ");
    ASSERT_LT(cq, drawn.size());
    ASSERT_GT(cq, 0u);
    // The transform turns device dots back into the page: the identity in device units.
    EXPECT_EQ(drawn[cq - 1].rfind("Aa 1 ", 0), 0u) << drawn[cq - 1];
    std::vector<std::string> fields;
    std::string field;
    for (char ch : drawn[cq] + " ") {
        if (ch == ' ') {
            fields.push_back(field);
            field.clear();
        } else {
            field.push_back(ch);
        }
    }
    ASSERT_GE(fields.size(), 14u);
    EXPECT_EQ(Strings(fields.begin() + 1, fields.begin() + 14),
              (Strings{"0", "0", "1", "0", "0", "1", "0", "0", "170", "220", "1", "2", "4"}));
    EXPECT_EQ(Strings(drawn.begin() + cq + 1, drawn.begin() + cq + 4), (Strings{"AR", "FB", "ED"}));
}

TEST_F(ImageHookTest, RefusedOutputLeavesThePage)
{
    struct Case {
        DWORD script;
        BYTE colorCode;
    };
    for (Case c : {Case{HOOK_ANSWER_ZERO, 2}, Case{HOOK_SHORT_FILE, 2}, Case{HOOK_SHORT_FILE, 1}}) {
        SCOPED_TRACE(c.script);
        ASSERT_EQ(OpenHook(), 0);
        Capture("page");
        control_->script = c.script;
        control_->outputBytes = RasterBytes(c.colorCode);
        EXPECT_EQ(hook_Run(Pdev()), -1);
        EXPECT_TRUE(Gone(input_));
        EXPECT_EQ(Hook().outputPath[0], 0);
        hook_Close(Pdev());
    }
    // Grey output of a colour page's size is refused as well.
    ASSERT_EQ(OpenHook(), 0);
    Capture("page");
    control_->script = HOOK_NORMAL;
    control_->outputBytes = RasterBytes(1);
    Hook().page.colorCode = 2;
    EXPECT_EQ(hook_Run(Pdev()), -1);
    Strings drawn = Drawn();
    EXPECT_EQ(Index(drawn, "Cq "), drawn.size());
}

// A job on the model naming the component: its pages are recorded, and at job end each
// one is captured whole for the component, whose raster takes the page's place; the
// captured pages and the component's files are gone afterwards.
TEST_F(ImageHookTest, HookJobPrintsTheComponentsOutputForEachPage)
{
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    Close();
    ASSERT_NO_FATAL_FAILURE(Open("QMJOBHK"));
    Set(20, kResolution);
    Set(kColorModeSetting, 2);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(hook_IsActive(Pdev()));
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_TRUE(DrvSendPage(surface_));
    // The sheet sent gives the paper the colour raster is sized by.
    DWORD width = 0, height = 0;
    hook_PageDots(Pdev(), &width, &height);
    control_->outputBytes = width * height * 3;
    ASSERT_TRUE(DrvStartPage(surface_));
    EXPECT_EQ(Pdev()->job.storedPages, 1);
    EXPECT_EQ(control_->calls, 0u) << "pages are replayed at job end";
    Strings drawn = Drawn();
    EXPECT_EQ(control_->calls, 2u);
    // The component got a whole captured page, which the stream no longer carries.
    EXPECT_GT(control_->inputBytes, 0u);
    EXPECT_NE(control_->inputBytes, 0xFFFFFFFFu);
    std::vector<size_t> images;
    for (size_t i = 0; i < drawn.size(); ++i)
        if (drawn[i].rfind("Cq ", 0) == 0)
            images.push_back(i);
    ASSERT_EQ(images.size(), 2u);
    for (size_t at : images) {
        EXPECT_EQ(drawn[at - 1].rfind("Aa 1 ", 0), 0u) << drawn[at - 1];
        ASSERT_LT(at + 3, drawn.size());
        EXPECT_EQ(Strings(drawn.begin() + at + 1, drawn.begin() + at + 4), (Strings{"AR", "FB", "ED"}));
    }
    EXPECT_EQ(Index(drawn, "Ec "), drawn.size()) << "the page size went to the capture";
    std::u16string input, output;
    for (const char *p = control_->input; *p; ++p)
        input.push_back((char16_t)*p);
    for (const char *p = control_->output; *p; ++p)
        output.push_back((char16_t)*p);
    EXPECT_TRUE(Gone(input));
    EXPECT_TRUE(Gone(output));
}

// A page whose capture cannot come to its end leaves no capture open: the sink before it
// is back and the captured file is gone.
TEST_F(ImageHookTest, CaptureSwapsTheSinkAndCloseEndsAnOpenOne)
{
    ASSERT_EQ(OpenHook(), 0);
    OutputStream *stream = Pdev()->job.stream;
    WORD kind = stream->sinkKind;
    HANDLE file = stream->outFile;
    ASSERT_EQ(hook_BeginCapture(Pdev()), 0);
    EXPECT_EQ(stream->sinkKind, SINK_CAPTURE_FILE);
    EXPECT_EQ(hook_BeginCapture(Pdev()), -1) << "one capture at a time";
    std::u16string input((const char16_t *)Hook().inputPath);
    ASSERT_FALSE(input.empty());
    EXPECT_FALSE(Gone(input));
    const char page[] = "page bytes";
    ASSERT_EQ(spl_WriteStream(stream, (DWORD)strlen(page), (const BYTE *)page), (LONG)strlen(page));
    ASSERT_EQ(hook_EndCapture(Pdev()), 0);
    EXPECT_EQ(stream->sinkKind, kind);
    EXPECT_EQ(stream->outFile, file);
    EXPECT_EQ(hook_EndCapture(Pdev()), -1) << "no capture open";
    HANDLE captured = CreateFileW(Hook().inputPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(captured, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(captured, nullptr), (DWORD)strlen(page));
    CloseHandle(captured);

    hook_DropCapturedPage(Pdev());
    EXPECT_TRUE(Gone(input));
    ASSERT_EQ(hook_BeginCapture(Pdev()), 0);
    input = (const char16_t *)Hook().inputPath;
    hook_Close(Pdev());
    EXPECT_EQ(stream->sinkKind, kind);
    EXPECT_EQ(stream->outFile, file);
    EXPECT_TRUE(Gone(input));
}

TEST_F(ImageHookTest, NoHookWithoutAUsableComponent)
{
    Set(270, 3);
    EXPECT_EQ(OpenHook(), -1) << "colour mode 3";
    Set(270, 1);
    EXPECT_EQ(OpenHook("QMJOBHM"), -1) << "no such module";
    EXPECT_EQ(OpenHook("QMJOBHE"), -1) << "a module without the entry";
    EXPECT_EQ(OpenHook("QMJOBHP"), -1) << "a name with a folder";
    EXPECT_EQ(OpenHook("QMJOB"), -1) << "no component named";
    EXPECT_FALSE(hook_IsActive(Pdev()));
    Capture("page");
    EXPECT_EQ(hook_Run(Pdev()), -1);
    EXPECT_EQ(control_->calls, 0u);
    DeleteFileW((LPCWSTR)input_.c_str());
}

TEST_F(ImageHookTest, HookPagesAreSizedInDots)
{
    ASSERT_EQ(OpenHook(), 0);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(DrvStartPage(surface_));
    // The page's own extents are kept for the hook, in 0.1 mm.
    EXPECT_EQ(Hook().page.width, 2159);
    EXPECT_EQ(Hook().page.length, 2794);
    EXPECT_TRUE(DrvSendPage(surface_));
    EXPECT_TRUE(EndDoc());
    Strings listing = Listing();
    bool dots = false, again = false;
    for (size_t i = 0; i < listing.size(); ++i) {
        if (listing[i].find(" Ec ") != std::string::npos && listing[i].find(" 81 170 220") != std::string::npos) {
            dots = true;
            for (size_t j = i + 1; j < listing.size() && j < i + 4; ++j)
                again = again || listing[j].find(" FA 1 ") != std::string::npos;
        }
    }
    EXPECT_TRUE(dots);
    EXPECT_TRUE(again) << "the resolution follows the page size";
}

TEST_F(ImageHookTest, MaskedBlitsGoToTheEngine)
{
    ASSERT_EQ(OpenHook(), 0);
    SURFOBJ *mask = qmt_EngineBitmap(16, 16, BMF_1BPP, TRUE);
    SURFOBJ *src = qmt_EngineBitmap(16, 16, BMF_24BPP, TRUE);
    BRUSHOBJ *brush = qmt_EngineSolidBrush(0);
    RECTL dest = {10, 10, 26, 26};
    POINTL from = {1, 2}, maskAt = {3, 4}, origin = {5, 6};
    QMT_ENGINE_BITBLT before = qmt_EngineLastBitBlt();
    // The engine keeps no pixels of a device surface: it answers FALSE, and so does the call.
    EXPECT_FALSE(DrvBitBlt(surface_, src, mask, nullptr, nullptr, &dest, &from, &maskAt, brush, &origin, 0xAACC));
    QMT_ENGINE_BITBLT call = qmt_EngineLastBitBlt();
    EXPECT_EQ(call.calls, before.calls + 1);
    EXPECT_EQ(call.psoTrg, surface_);
    EXPECT_EQ(call.psoSrc, src);
    EXPECT_EQ(call.psoMask, mask);
    EXPECT_EQ(call.prclTrg, &dest);
    EXPECT_EQ(call.pptlSrc, &from);
    EXPECT_EQ(call.pptlMask, &maskAt);
    EXPECT_EQ(call.pbo, brush);
    EXPECT_EQ(call.pptlBrush, &origin);
    EXPECT_EQ(call.rop4, 0xAACCu);
    // The pattern through a mask is masked too; an unmasked blit is drawn by the driver.
    EXPECT_FALSE(DrvBitBlt(surface_, nullptr, mask, nullptr, nullptr, &dest, nullptr, &maskAt, brush, nullptr, 0xAAF0));
    EXPECT_EQ(qmt_EngineLastBitBlt().calls, before.calls + 2);
    EXPECT_TRUE(
        DrvBitBlt(surface_, nullptr, nullptr, nullptr, nullptr, &dest, nullptr, nullptr, brush, nullptr, 0xF0F0));
    EXPECT_EQ(qmt_EngineLastBitBlt().calls, before.calls + 2);
    qmt_EngineFreeBrush(brush);
    qmt_EngineFreeBitmap(src);
    qmt_EngineFreeBitmap(mask);
    EXPECT_TRUE(DrvSendPage(surface_));
    EXPECT_TRUE(EndDoc());
}

} // namespace
} // namespace job_test
