/* Texts from the resource module: formatted strings at their capacity, message boxes,
 * the warning pair, the named-entry lookup, help ids and default face names. */
#include "ui/driver/runtime/messages.h"
#include "ui/driver/runtime/window_helpers.h"

#include "platform/testing/qm_testing_icons.h"
#include "runtime_fixture.h"

#include <string.h>

namespace {

using Messages = RuntimeTest;

TEST_F(Messages, FormattedStringMustFitBelowCapacityLessOne)
{
    // String 730 is "%1s - %2s %3s": "1 - 2 mm" has 8 characters.
    struct Case {
        int capacity;
        BOOL fits;
    };
    static const Case kCases[] = {
        {10, TRUE},
        {9, FALSE}, // exactly capacity - 1 is refused
        {8, FALSE}, // the unit would be left out: refused, not cut
        {0, TRUE},
        {-5, TRUE}, // 256
    };
    for (const Case &c : kCases) {
        DWORD before = qmt_LiveGlobalBlocks();
        WCHAR *text = (WCHAR *)1;
        EXPECT_EQ(c.fits, ui_LoadFormattedString(nullptr, &text, c.capacity, 730, u"1", u"2", u"mm")) << c.capacity;
        if (c.fits) {
            ASSERT_NE(nullptr, text);
            EXPECT_EQ(std::u16string(u"1 - 2 mm"), std::u16string(text));
            GlobalFree(text);
        } else {
            EXPECT_EQ(nullptr, text);
        }
        EXPECT_EQ(before, qmt_LiveGlobalBlocks()) << c.capacity;
    }
    WCHAR *text = (WCHAR *)1;
    EXPECT_FALSE(ui_LoadFormattedString(nullptr, &text, 100, 12345)); // no such string
    EXPECT_EQ(nullptr, text);
}

TEST_F(Messages, MessageBoxTextsAndRefusals)
{
    qmt_ResetMessageBoxes();
    const int answers[] = {IDOK, IDCANCEL};
    qmt_ScriptMessageBoxAnswers(answers, 2);
    EXPECT_EQ(IDOK, ui_ShowMessageBox(nullptr, 735, nullptr, MB_ICONWARNING, 2012, nullptr));
    EXPECT_EQ(IDCANCEL, ui_ShowMessageBox(nullptr, UI_NO_STRING, u"Caption", MB_OK, UI_NO_STRING, u"Text"));
    EXPECT_EQ(-1, ui_ShowMessageBox(nullptr, 12345, nullptr, MB_OK, UI_NO_STRING, u"Text")); // caption missing
    EXPECT_EQ(-1, ui_ShowMessageBox(nullptr, 735, nullptr, MB_OK, UI_NO_STRING, nullptr));   // no text
    EXPECT_EQ(-1, ui_ShowMessageBox(nullptr, 735, nullptr, MB_OK, 12345, nullptr));          // text missing
    ASSERT_EQ(2u, qmt_MessageBoxCount());
    QmtMessageBoxCall call;
    ASSERT_TRUE(qmt_MessageBoxLog(0, &call));
    EXPECT_EQ(std::u16string(u"Sans Serif"), std::u16string(call.caption));
    EXPECT_EQ(std::u16string(u"mm"), std::u16string(call.text));
    EXPECT_EQ((UINT)MB_ICONWARNING, call.type);
    ASSERT_TRUE(qmt_MessageBoxLog(1, &call));
    EXPECT_EQ(std::u16string(u"Caption"), std::u16string(call.caption));
}

TEST_F(Messages, WarningPair)
{
    DWORD before = qmt_LiveGlobalBlocks();
    auto *pair = (WarningMessagePair *)GlobalAlloc(GPTR, sizeof(WarningMessagePair));
    pair->texts[1] = (WCHAR *)GlobalAlloc(GPTR, 8);
    DWORD status = 9;
    EXPECT_EQ(nullptr, ui_GetWarningMessage(pair, 0, &status));
    EXPECT_EQ(0u, status);
    EXPECT_EQ(pair->texts[1], ui_GetWarningMessage(pair, 1, &status));
    EXPECT_EQ(0u, status);
    EXPECT_EQ(nullptr, ui_GetWarningMessage(pair, 2, &status));
    EXPECT_EQ(1u, status);
    EXPECT_EQ(pair->texts[1], ui_GetWarningMessage(pair, 1, nullptr));
    EXPECT_EQ(nullptr, ui_GetWarningMessage(nullptr, 0, &status));
    EXPECT_EQ(1u, status);
    EXPECT_EQ(1, ui_FreeWarningMessages(&pair));
    EXPECT_EQ(nullptr, pair);
    EXPECT_EQ(before, qmt_LiveGlobalBlocks());
    EXPECT_EQ(1, ui_FreeWarningMessages(&pair));
}

TEST_F(Messages, ModelEntriesCompareWithinTheirThirtyTwoCharacters)
{
    LOGFONTW entries[3] = {};
    lstrcpyW(entries[0].lfFaceName, u"Alpha");
    for (int i = 0; i < 32; ++i)
        entries[1].lfFaceName[i] = (WCHAR)('A' + i % 26); // a full name without terminator
    lstrcpyW(entries[2].lfFaceName, u"Beta");
    std::u16string full(entries[1].lfFaceName, 32);
    ModelEntryTable table = {3, entries};
    struct Case {
        const ModelEntryTable *table;
        std::u16string name;
        const LOGFONTW *entry;
        DWORD status;
    };
    ModelEntryTable empty = {0, nullptr};
    const Case kCases[] = {
        {&table, u"Beta", &entries[2], UI_ENTRY_FOUND},
        {&table, full, &entries[1], UI_ENTRY_FOUND},
        {&table, full + u"X", nullptr, UI_ENTRY_NOT_FOUND},
        {&table, u"Alph", nullptr, UI_ENTRY_NOT_FOUND},
        {&empty, u"Beta", nullptr, UI_ENTRY_NO_TABLE},
        {nullptr, u"Beta", nullptr, UI_ENTRY_BAD_ARGUMENT},
    };
    for (const Case &c : kCases) {
        DWORD status = 99;
        EXPECT_EQ(c.entry, ui_FindModelEntry(c.table, c.name.c_str(), &status));
        EXPECT_EQ(c.status, status);
    }
}

TEST_F(Messages, DefaultFaceNames)
{
    HMODULE module = util_GetResourceModule();
    WCHAR out[UI_FACE_CHARS];
    struct Case {
        const WCHAR *given;
        const WCHAR *name;
        const char16_t *face;
    };
    static const Case kCases[] = {
        {u"Given Face", u"Gothic", u"Given Face"},
        {nullptr, u"Gothic", u"Gothic UI"},
        {nullptr, u"Mincho", u"Mincho UI"},
        {nullptr, u"Other", u"Sans Serif"},
        {nullptr, nullptr, u"Sans Serif"},
    };
    for (const Case &c : kCases) {
        EXPECT_EQ(1, ui_MapDefaultFaceName(c.given, module, out, c.name));
        EXPECT_EQ(std::u16string(c.face), std::u16string(out));
    }
    EXPECT_EQ(0, ui_MapDefaultFaceName(nullptr, nullptr, out, u"Gothic"));
}

} // namespace

namespace {

TEST(ControlWindows, IconsReplaceAndHelpIdsFollowTheControlId)
{
    // The stand-in module plays driver and resource module: its string 32767 names itself.
    HMODULE module = LoadLibraryExW(WindowsPath(QM_TEST_MODULE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    util_SetModuleHandle(module);
    HWND dialog = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dialog);
    HWND control = CreateWindowExW(
        0, u"STATIC", u"", WS_CHILD | SS_ICON, 0, 0, 16, 16, dialog, (HMENU)(INT_PTR)1405, nullptr, nullptr);
    ASSERT_NE(nullptr, control);

    DWORD icons = qmt_LiveIcons();
    EXPECT_EQ(0u, ui_SetControlIcon(dialog, 200, 1405));
    EXPECT_EQ(0u, ui_SetControlIcon(dialog, 200, 1405));
    EXPECT_EQ(icons + 1, qmt_LiveIcons()); // the first icon was destroyed
    HICON icon = (HICON)SendMessageW(control, STM_GETICON, 0, 0);
    QmtIconPlanes planes = {};
    ASSERT_TRUE(qmt_GetIconPlanes(icon, &planes));
    EXPECT_EQ(16, planes.width);
    EXPECT_EQ(16, planes.height);
    ASSERT_EQ(32, planes.bitsPixel);
    DWORD top = 0, bottom = 0;
    memcpy(&top, planes.xorBits + 4, 4);
    memcpy(&bottom, planes.xorBits + 15 * 16 * 4 + 4, 4);
    EXPECT_EQ(0xFFFFFFFFu, top);    // white, top row first
    EXPECT_EQ(0xFFFF0000u, bottom); // red
    EXPECT_EQ(0x80, planes.andBits[0]);
    EXPECT_EQ(UI_ICON_FAILED, ui_SetControlIcon(dialog, 201, 1405)); // no such icon
    EXPECT_EQ(UI_ICON_FAILED, ui_SetControlIcon(dialog, 200, 1406)); // no such control
    EXPECT_EQ(icons + 1, qmt_LiveIcons());

    static const HelpIdPair kHelp[] = {{1453, 7100}, {1405, 7115}, {0, 0}};
    EXPECT_EQ(7115u, ui_FindHelpId(kHelp, control));
    EXPECT_EQ(0u, ui_FindHelpId(kHelp, dialog));
    EXPECT_EQ(0u, ui_FindHelpId(nullptr, control));

    DestroyIcon((HICON)SendMessageW(control, STM_SETICON, 0, 0));
    DestroyWindow(dialog);
    EXPECT_EQ(icons, qmt_LiveIcons());
    util_ReleaseResourceModule();
    util_SetModuleHandle(nullptr);
    FreeLibrary(module);
}

} // namespace
