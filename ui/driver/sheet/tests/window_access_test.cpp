/* Window accessors: a window with its set reaches the sheet's records; a NULL or
 * unattached window answers NULL or 0 and leaves the outs alone. */
#include "ui/driver/sheet/snapshot.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowAccess, AttachedWindowReachesTheSheet)
{
    SettingsSnapshot source;
    ASSERT_EQ(ui_InitSnapshot(&source), 1);
    PanelTable table = {};
    SheetPanels panels = {&table, (NodeList *)0x20};
    SheetContext sheet = {};
    sheet.model = (DriverContext *)0x30;
    sheet.panels = &panels;
    sheet.favorites = (struct FavoritesState *)0x40;
    sheet.helpFile[0] = u'h';
    SettingsSnapshotSet *set = ui_CreateSnapshotSet(nullptr, &sheet, &source, nullptr);
    ASSERT_NE(set, nullptr);
    HWND window = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui_AttachSnapshotSet(window, set), 1);

    EXPECT_EQ(ui_GetSnapshotSet(window), set);
    EXPECT_EQ(ui_GetSheetContext(window), &sheet);
    EXPECT_EQ(ui_GetPanelTable(window), &table);
    EXPECT_EQ(ui_GetOptionListCache(window), (NodeList *)0x20);
    EXPECT_EQ(ui_GetModelContext(window), (DriverContext *)0x30);
    EXPECT_EQ(ui_GetWindowFavorites(window), (struct FavoritesState *)0x40);
    EXPECT_EQ(ui_GetWindowHelpFile(window), sheet.helpFile);
    DriverDevmode *devmode = nullptr;
    PrinterDataBlock *block = nullptr;
    EXPECT_EQ(ui_GetWorkingSettings(window, &devmode, &block), 1);
    EXPECT_EQ(devmode, set->working.devmode);
    EXPECT_EQ(block, set->working.block);
    EXPECT_EQ(ui_GetSavedSettings(window, &devmode, &block), 1);
    EXPECT_EQ(devmode, set->opening.devmode);
    EXPECT_EQ(ui_GetWorkingSettings(window, &devmode, nullptr), 0); // both outs needed
    EXPECT_EQ(devmode, set->working.devmode);

    DestroyWindow(window);
    ui_FreeSnapshotSet(&set);
    ui_FreeSnapshot(&source);
}

TEST(WindowAccess, NullAndUnattachedWindows)
{
    HWND unattached = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(unattached, nullptr);
    SheetContext empty = {}; // a sheet without panels
    SettingsSnapshotSet bare = {};
    bare.sheet = &empty;
    HWND bareWindow = CreateWindowExW(0, u"#32770", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ui_AttachSnapshotSet(bareWindow, &bare);

    const HWND kWindows[] = {nullptr, unattached};
    for (HWND window : kWindows) {
        SCOPED_TRACE(window ? "unattached" : "null");
        EXPECT_EQ(ui_GetSnapshotSet(window), nullptr);
        EXPECT_EQ(ui_GetSheetContext(window), nullptr);
        EXPECT_EQ(ui_GetPanelTable(window), nullptr);
        EXPECT_EQ(ui_GetOptionListCache(window), nullptr);
        EXPECT_EQ(ui_GetModelContext(window), nullptr);
        EXPECT_EQ(ui_GetWindowFavorites(window), nullptr);
        EXPECT_EQ(ui_GetWindowHelpFile(window), nullptr);
        DriverDevmode *devmode = (DriverDevmode *)0x1;
        PrinterDataBlock *block = (PrinterDataBlock *)0x2;
        EXPECT_EQ(ui_GetWorkingSettings(window, &devmode, &block), 0);
        EXPECT_EQ(ui_GetSavedSettings(window, &devmode, &block), 0);
        EXPECT_EQ(ui_GetWorkingSettings(window, nullptr, nullptr), 0);
        EXPECT_EQ(devmode, (DriverDevmode *)0x1); // outs untouched
        EXPECT_EQ(block, (PrinterDataBlock *)0x2);
    }
    EXPECT_EQ(ui_AttachSnapshotSet(nullptr, &bare), 0);
    EXPECT_EQ(ui_GetPanelTable(bareWindow), nullptr);
    EXPECT_EQ(ui_GetOptionListCache(bareWindow), nullptr);
    DestroyWindow(unattached);
    DestroyWindow(bareWindow);
}

} // namespace
