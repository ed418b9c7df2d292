/* Settings a page reads: a numeric value of the call's working settings, the font a
 * face-name setting resolves to (found, substituted, defaulted, none), and control
 * pictures refreshed by their callback. */
#include "ui/driver/sheet/control_icons.h"
#include "ui/driver/sheet/page_settings.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "core/ddd/tests/ddd_test_support.h"
#include "core/settings/settings.h"
#include "core/util/module.h"
#include "core/util/resource_module.h"
#include "platform/testing/qm_testing.h"
#include "ui/driver/runtime/tests/runtime_fixture.h"

// The trace's log file of this program (the driver modules name their own).
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\UI_SHEET_TEST_LOG.txt");
}

namespace {

const WORD kFaceSetting = 305;

LOGFONTW Font(const char16_t *face, BYTE charset, BYTE pitch)
{
    LOGFONTW font = {};
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    font.lfCharSet = charset;
    font.lfPitchAndFamily = pitch;
    return font;
}

class PageSettingsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        util_SetModuleHandle(GetModuleHandleW(nullptr)); // its string 32767 names qmkelvir.xrs
        ASSERT_NE(nullptr, util_GetResourceModule());
        // The model substitutes "Device Mincho" for "Serif One", "Device Gone" for "Serif Two".
        pair_ = std::make_unique<ddd_test::Pair>(
            ddd_test::Compile(ddd_test::Source(8192,
                                               "",
                                               "  - {type: 11, key: 1, name: Device Mincho, texts: [Serif One]}\n"
                                               "  - {type: 11, key: 2, name: Device Gone, texts: [Serif Two]}\n")));
        ASSERT_EQ(DDD_OK, pair_->status);
        model_.model = &pair_->model;
        model_.base = &pair_->base;
        sheet_.model = &model_;
        ASSERT_EQ(ui_InitSnapshot(&source_), 1);
        set_ = ui_CreateSnapshotSet(nullptr, &sheet_, &source_, nullptr);
        ASSERT_NE(set_, nullptr);
        window_ = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ui_AttachSnapshotSet(window_, set_);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        ui_FreeSnapshotSet(&set_);
        ui_FreeSnapshot(&source_);
        util_ReleaseResourceModule();
        util_SetModuleHandle(nullptr);
    }
    void SetFace(const char16_t *face)
    {
        WCHAR text[32] = {};
        lstrcpynW(text, face, 32);
        const WCHAR *value = text; // strings go by pointer
        ASSERT_EQ(0,
                  dma_SetFunctionValue(
                      kFaceSetting, set_->working.devmode, set_->working.block, VT_STRING, sizeof(text), &value));
    }
    std::unique_ptr<ddd_test::Pair> pair_;
    DriverContext model_{};
    SheetContext sheet_ = {};
    SettingsSnapshot source_ = {};
    SettingsSnapshotSet *set_ = nullptr;
    HWND window_ = nullptr;
};

TEST_F(PageSettingsTest, ReadsTheWorkingSettings)
{
    ItemCallContext call = {};
    call.devmode = set_->working.devmode;
    call.block = set_->working.block;
    ASSERT_EQ(0, dma_SetFunctionValue(7, call.devmode, call.block, VT_SHORT, 2, &(const SHORT &)2));
    LONG value = 0;
    EXPECT_EQ(1, ui_GetPageSetting(&call, 7, &value));
    EXPECT_EQ(2, value);
    value = 55;
    EXPECT_EQ(0, ui_GetPageSetting(&call, kFaceSetting, &value)); // a string
    EXPECT_EQ(0, ui_GetPageSetting(&call, 7, nullptr));
    EXPECT_EQ(0, ui_GetPageSetting(nullptr, 7, &value));
    ItemCallContext bare = {};
    EXPECT_EQ(0, ui_GetPageSetting(&bare, 7, &value));
    EXPECT_EQ(55, value);
}

TEST_F(PageSettingsTest, FontResolution)
{
    const LOGFONTW kOffered[] = {
        Font(u"Arial", 1, 0x22), Font(u"Device Mincho", 200, 0x31), Font(u"Sans Serif", 128, 0x12)};
    const ModelEntryTable offered = {3, kOffered};
    const ModelEntryTable withoutDefault = {2, kOffered};
    struct Case {
        const char16_t *face;
        const ModelEntryTable *fonts;
        DWORD status;
        int entry; // index into kOffered, -1 none
        BYTE charset;
        BYTE pitch;
    };
    const Case kCases[] = {
        {u"Arial", &offered, UI_FONT_FOUND, 0, 1, 0x22},
        {u"Serif One", &offered, UI_FONT_SUBSTITUTE, 1, 0, 0x31}, // charset 200 reported as 0
        {u"Unknown", &offered, UI_FONT_DEFAULT, 2, 128, 0x12},
        {u"Serif Two", &offered, UI_FONT_NO_SUBSTITUTE, 2, 128, 0x12},
        {u"Unknown", &withoutDefault, UI_FONT_NONE, -1, 9, 9},
        {u"Serif Two", &withoutDefault, UI_FONT_NONE, -1, 9, 9},
    };
    SetFace(u"Serif One");
    ui_ResolveFontSetting(window_, &offered, kFaceSetting, nullptr, nullptr, nullptr); // the file's lists read
    DWORD blocks = qmt_LiveGlobalBlocks();
    for (const Case &c : kCases) {
        SCOPED_TRACE(&c - kCases);
        SetFace(c.face);
        DWORD status = 99;
        BYTE charset = 9;
        BYTE pitch = 9;
        const LOGFONTW *found = ui_ResolveFontSetting(window_, c.fonts, kFaceSetting, &status, &charset, &pitch);
        EXPECT_EQ(c.entry < 0 ? nullptr : &kOffered[c.entry], found);
        EXPECT_EQ(c.status, status);
        EXPECT_EQ(c.charset, charset);
        EXPECT_EQ(c.pitch, pitch);
    }
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()); // the substitution table is freed
    DWORD status = 99;
    EXPECT_EQ(nullptr, ui_ResolveFontSetting(nullptr, &offered, kFaceSetting, &status, nullptr, nullptr));
    EXPECT_EQ(UI_FONT_NONE, status);
    EXPECT_EQ(nullptr, ui_ResolveFontSetting(window_, nullptr, kFaceSetting, nullptr, nullptr, nullptr));
}

UINT g_icon = 0;
int g_asked = 0;
UINT IconFor(ItemCallContext *, const ControlRecord *)
{
    ++g_asked;
    return g_icon;
}

TEST_F(PageSettingsTest, ControlIconFollowsItsCallback)
{
    // The runtime's stand-in module holds icon 200 and plays the driver and its resources.
    util_ReleaseResourceModule();
    HMODULE standIn = LoadLibraryExW(WindowsPath(QM_TEST_MODULE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, standIn);
    util_SetModuleHandle(standIn);
    HWND picture =
        CreateWindowExW(0, u"Static", u"", WS_CHILD | SS_ICON, 0, 0, 32, 32, window_, (HMENU)1645, nullptr, nullptr);
    ASSERT_NE(nullptr, picture);
    ItemCallContext call = {};
    call.window = window_;
    const ControlIconSource source = {IconFor};
    const ControlRecord row = {1645, 0, nullptr, 14, nullptr, &source, UI_NONE_ID, UI_NONE_ID, nullptr};
    NMHDR activate = {window_, 0, (UINT)PSN_SETACTIVE};
    NMHDR other = {window_, 0, (UINT)PSN_APPLY};

    g_icon = 0; // 0 leaves the picture alone
    EXPECT_EQ(0, ui_RefreshControlIcon(&call, WM_NOTIFY, 0, (LPARAM)&activate, &row, &source));
    EXPECT_EQ(1, g_asked);
    EXPECT_EQ(nullptr, (HICON)SendMessageW(picture, STM_GETICON, 0, 0));
    g_icon = 200;
    EXPECT_EQ(0, ui_RefreshControlIcon(&call, UIM_REFRESH, 0, 0, &row, &source));
    HICON first = (HICON)SendMessageW(picture, STM_GETICON, 0, 0);
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(0, ui_RefreshControlIcon(&call, WM_NOTIFY, 0, (LPARAM)&other, &row, &source)); // not asked
    EXPECT_EQ(0, ui_RefreshControlIcon(&call, WM_COMMAND, 0, 0, &row, &source));
    EXPECT_EQ(0, ui_RefreshControlIcon(&call, UIM_REFRESH, 0, 0, &row, nullptr));
    EXPECT_EQ(2, g_asked);
    DestroyIcon((HICON)SendMessageW(picture, STM_SETICON, 0, 0));
    DestroyWindow(picture);
    util_ReleaseResourceModule();
    FreeLibrary(standIn);
}

} // namespace
