/*
 * The colour set's counting rules, the pixel routines, the colour session's set-up flags
 * and its conversion of colour values and images.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>
#include <vector>

#include "render/pdl/colour/colour_pixels.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/colour/colour_set.h"
#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "testing/standins/standin_controls.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_colour_tests.log");
}

TEST(ColourSet, CapacityWhiteAndGreys)
{
    ColorSet set;
    EXPECT_EQ(clr_InitColorSet(&set, TRUE, 16, 0), -1);
    ASSERT_EQ(clr_InitColorSet(&set, TRUE, 15, COLOR_SET_SKIP_WHITE), 0);
    for (DWORD i = 0; i < 15; i++)
        EXPECT_EQ(clr_AddColor(&set, 0x010000 * (i + 1)), 1);
    EXPECT_EQ(clr_AddColor(&set, 0x010000), 1); // already there
    EXPECT_EQ(clr_AddColor(&set, 0xFFFFFF), 1); // white is not counted
    EXPECT_EQ(set.count, 15);
    BYTE code = 0;
    clr_GetColorModeCode(&set, 2, &code);
    EXPECT_EQ(code, 15 * 16 + 2);
    EXPECT_EQ(clr_AddColor(&set, 0x123456), 0); // the sixteenth
    EXPECT_EQ(set.valid, 0u);
    clr_GetColorModeCode(&set, 2, &code);
    EXPECT_EQ(code, 2);

    ASSERT_EQ(clr_InitColorSet(&set, TRUE, 15, COLOR_SET_FOLD_GREY), 0);
    clr_AddColor(&set, 0x404040);
    clr_AddColor(&set, 0x808080);
    clr_AddColor(&set, 0xFFFFFF);
    EXPECT_EQ(set.count, 1);
    EXPECT_EQ(set.slots[0], 0u);

    ASSERT_EQ(clr_InitColorSet(&set, TRUE, 15, COLOR_SET_ALL), 0);
    clr_AddColor(&set, 0xFFFFFF);
    EXPECT_EQ(set.count, 1);
    ASSERT_EQ(clr_InitColorSet(&set, FALSE, 15, COLOR_SET_ALL), 0);
    EXPECT_EQ(clr_AddColor(&set, 0x123456), 0);
    EXPECT_EQ(set.count, 0);
    clr_GetColorModeCode(&set, 2, &code);
    EXPECT_EQ(code, 2);
    clr_GetColorModeCode(&set, 1, &code);
    EXPECT_EQ(code, 1);
    DWORD word = 5;
    clr_ClearColorSetRef(&word);
    EXPECT_EQ(word, 0u);
}

TEST(ColourSet, ListAndImages)
{
    ColorSet set;
    clr_InitColorSet(&set, TRUE, 3, COLOR_SET_SKIP_WHITE);
    BYTE list[2 + 3 * 4] = {3, 0};
    DWORD colours[3] = {0x112233, 0xFFFFFF, 0x112233};
    memcpy(list + 2, colours, sizeof colours);
    EXPECT_EQ(clr_AddColorList(&set, list), 1);
    EXPECT_EQ(set.count, 1);
    EXPECT_EQ(set.slots[0], 0x112233u);

    // 24 bits, packed rows: first byte highest.
    BYTE rgb[2][6] = {{0x10, 0x20, 0x30, 0xFF, 0xFF, 0xFF}, {0x10, 0x20, 0x31, 0x10, 0x20, 0x30}};
    clr_InitColorSet(&set, TRUE, 15, COLOR_SET_SKIP_WHITE);
    EXPECT_EQ(clr_AddImageColors(&set, &rgb[0][0], 2, 2, 24, TRUE, nullptr), 0);
    EXPECT_EQ(set.count, 2);
    EXPECT_EQ(set.slots[0], 0x102030u);
    EXPECT_EQ(set.slots[1], 0x102031u);

    // 1 bit: both palette entries seen, then nothing more is read.
    DWORD palette[2] = {0x000000, 0xFF0000};
    BYTE bits[4] = {0x40, 0, 0, 0};
    clr_InitColorSet(&set, TRUE, 15, COLOR_SET_ALL);
    EXPECT_EQ(clr_AddImageColors(&set, bits, 8, 1, 1, TRUE, palette), 0);
    EXPECT_EQ(set.count, 2);
    // Stops once not valid.
    BYTE many[4] = {1, 2, 3, 4};
    clr_InitColorSet(&set, TRUE, 2, COLOR_SET_ALL);
    clr_AddImageColors(&set, many, 4, 1, 8, TRUE, nullptr);
    EXPECT_EQ(set.valid, 0u);
    EXPECT_EQ(set.count, 3);
    EXPECT_EQ(clr_AddImageColors(&set, many, 4, 1, 2, TRUE, nullptr), -1);
    EXPECT_EQ(clr_AddImageColors(&set, many, 4, 1, 4, TRUE, nullptr), -1);
}

TEST(ColourPixels, GoldenBytes)
{
    const BYTE rgb[9] = {0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x10, 0x80, 0xF0};
    BYTE grey[3];
    clr_RgbToInkGrey(rgb, grey, 3, 1);
    // (0x80 * 151 + 0x10 * 28 + 0xF0 * 77) >> 8 = 149, inverted 106; white 255, inverted 0
    const BYTE expectGrey[3] = {0xFF, 0x00, 106};
    EXPECT_EQ(memcmp(grey, expectGrey, 3), 0) << (int)grey[0] << " " << (int)grey[1] << " " << (int)grey[2];
    BYTE masked[9];
    img_MaskWhitePixels(rgb, masked, 3, 1);
    const BYTE expectMask[9] = {0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0};
    EXPECT_EQ(memcmp(masked, expectMask, 9), 0);
    BYTE inverted[9];
    img_InvertBytes(rgb, inverted, 3, 3);
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(inverted[i], (BYTE)~rgb[i]);
    DWORD kept = 1;
    EXPECT_EQ(img_CheckCachedColor(&kept, nullptr, 0), 1);
    kept = 0;
    EXPECT_EQ(img_CheckCachedColor(&kept, rgb, 2), 2);
    EXPECT_EQ(img_CheckCachedColor(&kept, rgb, 3), 1);
    EXPECT_EQ(img_CheckCachedColor(nullptr, nullptr, 3), -1);
}

namespace {

ColorSettings Settings()
{
    ColorSettings s;
    memset(&s, 0, sizeof s);
    return s;
}

void Name(WCHAR *out, const char *text)
{
    for (; *text; text++)
        *out++ = (WCHAR)*text;
    *out = 0;
}

} // namespace

TEST(ColourSession, SetupFlags)
{
    struct Case {
        const char *name;
        void (*set)(ColorSettings &);
        DWORD flags;
    } cases[] = {
        {"nothing", [](ColorSettings &) {}, 0},
        {"kind 1 matrix and grey",
         [](ColorSettings &s) { s.perObject = 1, s.kindMask = 1, s.adjust[1][0] = 5, s.greyKind[0] = 1; },
         CLR_SETUP_MATRIX_1 | CLR_SETUP_GREY_1},
        {"kind 1 under grey output",
         [](ColorSettings &s) {
             s.perObject = 1, s.kindMask = 1, s.adjust[1][0] = 5, s.greyKind[0] = 1, s.outputMode = 1;
         },
         CLR_SETUP_MATRIX_1},
        {"kind 2 and 3",
         [](ColorSettings &s) {
             s.perObject = 1, s.kindMask = 6, s.adjust[2][1] = 5, s.adjust[3][2] = -5, s.greyKind[1] = 1;
         },
         CLR_SETUP_MATRIX_2 | CLR_SETUP_GREY_2 | CLR_SETUP_MATRIX_3},
        {"kind mask off", [](ColorSettings &s) { s.perObject = 1, s.kindMask = 2, s.adjust[1][0] = 5; }, 0},
        {"common",
         [](ColorSettings &s) { s.kindMask = 4, s.adjust[0][2] = 7, s.greyKind[1] = 1; },
         CLR_SETUP_COMMON_MATRIX | CLR_SETUP_COMMON_GREY},
        {"common without values", [](ColorSettings &s) { s.kindMask = 7; }, 0},
        {"fixed table", [](ColorSettings &s) { s.tableChoice = 1; }, CLR_SETUP_FIXED_TABLE},
        {"profile A",
         [](ColorSettings &s) { s.tableChoice = 2, s.profileChoice[0] = 1, Name(s.profileName[0], "a.icc"); },
         CLR_SETUP_PROFILE_A},
        {"profile A without name", [](ColorSettings &s) { s.tableChoice = 2, s.profileChoice[0] = 1; }, 0},
        {"B follows A",
         [](ColorSettings &s) {
             s.tableChoice = 2, s.profileChoice[0] = 1, s.profileChoice[1] = 1, s.profileChoice[2] = 1,
             Name(s.profileName[0], "a.icc");
         },
         CLR_SETUP_PROFILE_A | CLR_SETUP_PROFILE_B},
        {"B of its own",
         [](ColorSettings &s) { s.tableChoice = 2, s.profileChoice[1] = 1, Name(s.profileName[1], "b.icc"); },
         CLR_SETUP_PROFILE_B},
        {"component", [](ColorSettings &s) { s.componentMode = 3; }, CLR_SETUP_COMPONENT},
    };
    for (const Case &c : cases) {
        ColorSettings s = Settings();
        c.set(s);
        EXPECT_EQ(clr_SetupFlags(&s), c.flags) << c.name;
    }
}

TEST(ColourSession, ConvertColors)
{
    ColorSettings s = Settings();
    s.perObject = 1;
    s.kindMask = 1;
    s.adjust[1][0] = 40; // brightness of kind 1
    ColorSession *session = nullptr;
    ASSERT_EQ(clr_OpenSession(&session, &s, nullptr), 0);
    ASSERT_NE(session->matrix[0], nullptr);
    EXPECT_EQ(session->matrix[1], nullptr);
    ASSERT_EQ(clr_PrepareColor(session, &s, nullptr), 0);
    EXPECT_EQ(clr_GetSessionMode(session), 3);

    BYTE in[6] = {0x10, 0x20, 0x30, 0x40, 0x40, 0x40}, out[6];
    EXPECT_EQ(clr_ConvertColors(session, &s, 0, in, out, 2), 1);
    BYTE expect[6];
    clr_ApplyAdjustMatrix(session->matrix[0], in, expect, 2);
    EXPECT_EQ(memcmp(out, expect, 6), 0);
    EXPECT_EQ(clr_ConvertColors(session, &s, 1, in, out, 2), 1); // kind 2 has no matrix
    EXPECT_EQ(memcmp(out, in, 6), 0);

    // A stamp: nothing converted.
    s.stampDrawing = 1;
    EXPECT_EQ(clr_ConvertColors(session, &s, 0, in, out, 2), 1);
    EXPECT_EQ(memcmp(out, in, 6), 0);
    s.stampDrawing = 0;

    // Grey detection on kind 0 and grey pixels: one ink byte each.
    s.imageSelect[1] = 1;
    BYTE greyIn[6] = {0x40, 0x40, 0x40, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(clr_ConvertColors(session, &s, 0, greyIn, out, 2), 2);
    EXPECT_EQ(out[0], 0xBF);
    EXPECT_EQ(out[1], 0x00);
    EXPECT_EQ(clr_ConvertColors(session, &s, 0, in, out, 2), 1); // a colour among them

    // Grey output (270 = 1).
    s.outputMode = 1;
    EXPECT_EQ(clr_ConvertColors(session, &s, 1, in, out, 2), 2);
    // White mask on kind 1 (454 = 2).
    s.outputMode = 0;
    s.imageSelect[1] = 0;
    s.imageSelect[0] = 2;
    EXPECT_EQ(clr_ConvertColors(session, &s, 1, greyIn, out, 2), 1);
    const BYTE masked[6] = {0, 0, 0, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(memcmp(out, masked, 6), 0);
    EXPECT_EQ(clr_CloseSession(session), 0);
    EXPECT_EQ(clr_CloseSession(nullptr), -1);
}

TEST(ColourSession, ImagesAndFixedTable)
{
    ColorSettings s = Settings();
    s.tableChoice = 1; // identity parameters (0, 0)
    ColorSession *session = nullptr;
    ASSERT_EQ(clr_OpenSession(&session, &s, nullptr), 0);
    ASSERT_NE(session->fixedTable, nullptr);
    clr_PrepareColor(session, &s, nullptr);
    EXPECT_EQ(session->stepFlags, (DWORD)CLR_STEP_FIXED_TABLE);
    std::vector<BYTE> in, out(256 * 3);
    for (int v = 0; v < 256; v++) {
        in.push_back((BYTE)v);
        in.push_back((BYTE)(255 - v));
        in.push_back((BYTE)(v / 2));
    }
    EXPECT_EQ(clr_ConvertImage(session, in.data(), out.data(), 16, 16, nullptr, nullptr, 0, 4, 24), 1);
    for (size_t i = 0; i < in.size(); i++)
        EXPECT_LE(abs(in[i] - out[i]), 1) << i;
    EXPECT_EQ(clr_ConvertImage(session, in.data(), out.data(), 16, 16, nullptr, nullptr, 0, 4, 8), -1);
    clr_CloseSession(session);

    // Grey output of a palette image: one ink byte per entry.
    s = Settings();
    s.outputMode = 1;
    ASSERT_EQ(clr_OpenSession(&session, &s, nullptr), 0);
    clr_PrepareColor(session, &s, nullptr);
    BYTE palette[8] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    BYTE inks[2];
    EXPECT_EQ(clr_ConvertImage(session, nullptr, nullptr, 8, 1, palette, inks, 2, 11, 1), 2);
    EXPECT_EQ(inks[0], 0xFF);
    EXPECT_EQ(inks[1], 0x00);
    clr_CloseSession(session);
}

// B following A: one transform, freed once (the sanitizer preset sees a double free).
TEST(ColourSession, ProfileBFollowingAIsShared)
{
    driver_files::CopyIn(driver_files::HostFile(QM_PROFILE_SEED), u"a.icc");
    ColorSettings shared = Settings();
    shared.tableChoice = 2;
    shared.profileChoice[0] = shared.profileChoice[1] = shared.profileChoice[2] = 1;
    Name(shared.profileName[0], "C:\\drv\\a.icc");
    ColorSession *both = nullptr;
    ASSERT_EQ(clr_OpenSession(&both, &shared, nullptr), 0);
    ASSERT_NE(both->profileA, nullptr);
    EXPECT_EQ(both->profileB, both->profileA);
    EXPECT_EQ(both->profileStage, CLR_STEP_PROFILE);
    EXPECT_EQ(clr_CloseSession(both), 0);

    ColorSettings s = Settings();
    s.tableChoice = 2;
    s.profileChoice[0] = 1;
    s.profileChoice[1] = 1;
    s.profileChoice[2] = 1;
    Name(s.profileName[0], "C:\\missing.icc");
    ColorSession *session = nullptr;
    // The profile cannot be opened; the question's box cannot be shown here: OK.
    ASSERT_EQ(clr_OpenSession(&session, &s, nullptr), 0);
    EXPECT_EQ(session->profileA, nullptr);
    EXPECT_EQ(session->profileB, nullptr);
    EXPECT_EQ(clr_CloseSession(session), 0);
}

// An unusable profile asks the user: OK goes on without it, Cancel fails the session with
// the profile's code; a box that cannot be shown (0) counts as OK.
TEST(ColourSession, UnusableProfileQuestion)
{
    struct Case {
        int answer;
        bool profileB;
        LONG result;
    } cases[] = {{IDOK, false, 0}, {IDCANCEL, false, -3}, {0, false, 0}, {IDCANCEL, true, -4}};
    for (const Case &c : cases) {
        ColorSettings s = Settings();
        s.tableChoice = 2;
        s.profileChoice[c.profileB ? 1 : 0] = 1;
        Name(s.profileName[c.profileB ? 1 : 0], "C:\\missing.icc");
        qmt_ResetMessageBoxes();
        qmt_ScriptMessageBoxAnswers(&c.answer, 1);
        ColorSession *session = nullptr;
        EXPECT_EQ(clr_OpenSession(&session, &s, nullptr), c.result) << c.answer;
        EXPECT_EQ(qmt_MessageBoxCount(), 1u);
        QmtMessageBoxCall call;
        ASSERT_TRUE(qmt_MessageBoxLog(0, &call));
        EXPECT_EQ(call.type, (UINT)(MB_OKCANCEL | MB_ICONINFORMATION));
        EXPECT_EQ(std::u16string((const char16_t *)call.caption), u"警告");
        EXPECT_EQ(session != nullptr, c.result == 0);
        clr_CloseSession(session);
    }
    qmt_ResetMessageBoxes();
}

namespace {

typedef ColourStandinControl *(WINAPI *ColourControlFn)(DWORD reset);

// A session with the stand-in component bound (mode byte 5); the stand-in's control.
struct ComponentSession {
    HMODULE standin = nullptr;
    ColourStandinControl *control = nullptr;
    ColorSettings settings = Settings();
    ColorSession *session = nullptr;

    explicit ComponentSession(DWORD script)
    {
        driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmkrv50.dll"), u"qmkrv50.dll");
        standin = LoadLibraryW(TEXT("C:\\drv\\qmkrv50.dll"));
        control = ((ColourControlFn)(void *)GetProcAddress(standin, "QmColourStandinControl"))(1);
        control->script = script;
        settings.componentMode = 5;
        EXPECT_EQ(clr_OpenSession(&session, &settings, nullptr), 0);
        bound = clr_BindComponent(session, TEXT("C:\\drv\\qmkrv50.dll"), TEXT("C:\\drv\\colour.dat"));
    }
    ~ComponentSession()
    {
        clr_CloseSession(session);
        FreeLibrary(standin);
    }
    LONG bound;
};

ColorImageRecord Record(DWORD width, DWORD height)
{
    return ColorImageRecord{24, (2u << 8) | 204u, width, height, 1};
}

} // namespace

TEST(ColourComponent, BindingAndRelease)
{
    DWORD modules = qmt_LiveModules();
    {
        ComponentSession c(COLOUR_NORMAL);
        EXPECT_EQ(c.bound, 0);
        EXPECT_STREQ(c.control->colourFile, "C:\\drv\\colour.dat");
        EXPECT_EQ(c.control->loads, 1u);
        clr_CloseSession(c.session);
        c.session = nullptr;
        EXPECT_EQ(c.control->frees, 1u);
        EXPECT_EQ(c.control->deletes, 1u);
    }
    {
        ComponentSession c(COLOUR_NO_HANDLE);
        EXPECT_EQ(c.bound, -1);
        EXPECT_EQ(c.session->component.module, nullptr);
    }
    qmt_HideExport("KRV_DeleteParam32");
    {
        ComponentSession c(COLOUR_NORMAL);
        EXPECT_EQ(c.bound, -1);
        EXPECT_EQ(c.control->loads, 0u);
    }
    qmt_HideExport(NULL);
    EXPECT_EQ(qmt_LiveModules(), modules);
}

TEST(ColourComponent, PageWideChangeTest)
{
    ComponentSession c(COLOUR_NORMAL);
    ColorImageRecord band = Record(100, 20), next = Record(100, 30), other = Record(50, 7);
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &band), 6);
    EXPECT_EQ(clr_GetSessionMode(c.session), 4);
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &next), 7) << "the same width continues";
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &other), 6) << "another image";
    ColorImageRecord flat = other;
    flat.rop = (1u << 8) | 204u;
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &flat), 8);
    EXPECT_EQ(clr_GetSessionMode(c.session), 3);
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, nullptr), 8);
    c.settings.noChangeTest = 1;
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &band), 6);
    EXPECT_EQ(clr_PrepareColor(c.session, &c.settings, &other), 7) << "1862: the size is not compared";
}

TEST(ColourComponent, QueuedImages)
{
    struct Case {
        DWORD script;
        LONG result;
        bool converted;
    } cases[] = {
        {COLOUR_NORMAL, 0, true},
        {COLOUR_BEGIN_FAILS, -6, false},
        {COLOUR_END_ONE, 0, false},
        {COLOUR_CONVERT_FAILS, -6, false},
    };
    for (const Case &k : cases) {
        ComponentSession c(k.script);
        ASSERT_EQ(c.bound, 0);
        ColorImageRecord band = Record(4, 2);
        clr_PrepareColor(c.session, &c.settings, &band);
        std::vector<BYTE> a(4 * 2 * 3, 0x11), b(4 * 3 * 3, 0x22);
        ColorQueuedImage images[2] = {{a.data(), 4, 2}, {b.data(), 4, 3}};
        EXPECT_EQ(clr_ConvertQueuedImages(c.session, images, 2, TRUE), k.result) << k.script;
        EXPECT_EQ(a[0], k.converted ? 0xEE : 0x11) << k.script;
        EXPECT_EQ(b[0], k.converted ? 0xDD : 0x22) << k.script;
        EXPECT_EQ(c.control->mode, 5);
        if (k.script == COLOUR_NORMAL) {
            EXPECT_EQ(c.control->params, 2u);
            EXPECT_EQ(c.control->converts, 2u);
        }
        if (k.script == COLOUR_END_ONE) {
            EXPECT_EQ(clr_GetSessionMode(c.session), 3) << "page-wide mode ends";
        }
        EXPECT_EQ(c.control->deletes, k.script == COLOUR_BEGIN_FAILS ? 0u : 1u);
    }
}
