/* Model queries over description files built in memory: colour kind and mode, capability
 * tests, the item variant; and help ids of controls. */
#include "ui/driver/runtime/font_list.h"
#include "ui/driver/runtime/model.h"
#include "ui/driver/runtime/numbers.h"
#include "ui/driver/runtime/paper.h"
#include "ui/driver/runtime/window_helpers.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/ddd/tests/ddd_test_support.h"
#include "core/paperlist/paper_list_types.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_gdi.h"

#include <string>

namespace {

using ddd_test::Compile;
using ddd_test::Pair;
using ddd_test::Source;

const unsigned kFormat = 8192;

struct Model {
    std::unique_ptr<Pair> pair;
    DriverContext context{};
    explicit Model(const std::string &entries, const std::string &records = "")
        : pair(std::make_unique<Pair>(Compile(Source(kFormat, entries, records))))
    {
        EXPECT_EQ(DDD_OK, pair->status);
        context.model = &pair->model;
        context.base = &pair->base;
    }
};

TEST(ModelQueries, ColorKindAndMode)
{
    struct Case {
        const char *entries;
        int kind;
        int mode;
    };
    static const Case kCases[] = {
        {"  5: 1\n", UI_MONOCHROME, UI_MODE_MONOCHROME},
        {"  5: 2\n", UI_COLOR, UI_MODE_COLOR},
        {"  5: 18\n", UI_COLOR, UI_MODE_COLOR},
        {"  5: 3\n", UI_NO_COLOR_KIND, UI_NO_COLOR_KIND},
        {"  23: 0\n", UI_NO_COLOR_KIND, UI_NO_COLOR_KIND}, // no entry 5
    };
    for (const Case &c : kCases) {
        Model model(c.entries);
        EXPECT_EQ(c.kind, ui_GetColorKind(&model.context)) << c.entries;
        EXPECT_EQ(c.mode, ui_GetColorMode(nullptr, &model.context)) << c.entries;
    }
    EXPECT_EQ(UI_NO_COLOR_KIND, ui_GetColorKind(nullptr));
}

TEST(ModelQueries, CapabilitiesAndItemVariant)
{
    struct Case {
        const char *entries;
        int flag27; // the mask 0x8000000 of the first word
        int bit34;
        int bit38;
        WORD variant;
    };
    static const Case kCases[] = {
        {"  26: 0x8000000\n  39: [0x40]\n", 1, 0, 1, 2},
        {"  26: 0x8000000\n  39: [0x4]\n", 1, 1, 0, 1},
        {"  26: 0\n  39: [0x44]\n", 0, 1, 1, 0},
        {"  5: 1\n", 0, 0, 0, 0}, // no capability entries
    };
    for (const Case &c : kCases) {
        Model model(c.entries);
        EXPECT_EQ(c.flag27, ui_HasModelFlag(&model.context, 0x8000000)) << c.entries;
        EXPECT_EQ(c.bit34, ui_HasModelFlag(&model.context, 0xFFFF0000u | 34)) << c.entries;
        EXPECT_EQ(c.bit38, ui_HasModelFlag(&model.context, 0xFFFF0000u | 38)) << c.entries;
        WORD variant = 9;
        EXPECT_EQ(1, ui_GetItemVariantByModel(&model.context, &variant));
        EXPECT_EQ(c.variant, variant) << c.entries;
    }
    EXPECT_EQ(0, ui_HasModelFlag(nullptr, 1));
    EXPECT_EQ(0, ui_GetItemVariantByModel(nullptr, nullptr));
}

TEST(ModelQueries, UnitFlagsFollowCapabilitiesAndTheLocale)
{
    struct Case {
        const char *entries;
        LCID locale;
        DWORD inch;
        DWORD nearestTen;
    };
    static const Case kCases[] = {
        {"  26: 0\n  39: [0x4]\n", 0x0409, 1, 0}, // bit 34, U.S. measures
        {"  26: 0\n  39: [0x4]\n", 0x0407, 0, 0}, // metric locale
        {"  26: 0\n  39: [0x8]\n", 0x0409, 0, 1}, // bit 35 only
        {"  26: 0\n  39: [0xC]\n", 0x0411, 0, 1},
    };
    for (const Case &c : kCases) {
        qmt_PinLocale(c.locale);
        Model model(c.entries);
        DWORD flags[2] = {7, 7};
        EXPECT_EQ(1, ui_GetUnitFlags(&model.context, flags));
        EXPECT_EQ(c.inch, flags[0]) << c.entries << c.locale;
        EXPECT_EQ(c.nearestTen, flags[1]) << c.entries << c.locale;
    }
    qmt_PinLocale(0);
    EXPECT_EQ(0, ui_GetUnitFlags(nullptr, nullptr));
}

TEST(FontList, InstalledFamiliesThenPrinterFontsEachFaceOnce)
{
    const LPCWSTR installed[] = {u"Serif One", u"Sans Two"};
    ASSERT_TRUE(qmt_SetInstalledFontFamilies(installed, 2));
    Model model("  5: 1\n",
                "  - {type: 11, key: 1, name: Printer Gothic}\n"
                "  - {type: 11, key: 2, name: Sans Two}\n"
                "  - {type: 11, key: 3, name: ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789}\n");
    FontList *list = ui_BuildFontList(&model.context); // the description file keeps its lists read
    ui_FreeFontList(&list);
    DWORD blocks = qmt_LiveGlobalBlocks();
    list = ui_BuildFontList(&model.context);
    ASSERT_NE(nullptr, list);
    static const char16_t *kFaces[] = {
        u"Serif One", u"Sans Two", u"Printer Gothic", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"}; // 32 characters kept
    ASSERT_EQ(4, list->count);
    EXPECT_EQ(4, ui_GetNodeCount(list->fonts));
    for (WORD i = 0; i < 4; ++i) {
        EXPECT_EQ(std::u16string(kFaces[i]), std::u16string(list->names[i]));
        auto *font = (const LOGFONTW *)ui_GetNodeDataAt(list->fonts, i);
        ASSERT_NE(nullptr, font);
        EXPECT_EQ(std::u16string(kFaces[i]).substr(0, 31), std::u16string(font->lfFaceName)); // LOGFONTW holds 31
    }
    ui_FreeFontList(&list);
    EXPECT_EQ(nullptr, list);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(0u, qmt_LiveDisplayDCs());
    EXPECT_EQ(nullptr, ui_BuildFontList(nullptr));
    qmt_SetInstalledFontFamilies(nullptr, 0);
}

TEST(Paper, PrintableSizeKeptWithinTheImageSizes)
{
    DddPaper paper = {};
    paper.minImage = {1000, 1000};
    paper.maxImage = {2000, 2800};
    paper.margins[0] = {40, 50};
    paper.margins[1] = {60, 70};
    struct Case {
        LONG width;
        LONG height;
        WORD printableWidth;
        WORD printableHeight;
    };
    static const Case kCases[] = {
        {2100, 2970, 2000, 2800}, // less the margins, then the maximum
        {1500, 1620, 1400, 1500},
        {900, 1000, 1000, 1000}, // the minimum
    };
    for (const Case &c : kCases) {
        DddSize size = {};
        EXPECT_EQ(1, ui_GetPrintableSize(&paper, c.width, c.height, &size));
        EXPECT_EQ(c.printableWidth, size.width) << c.width;
        EXPECT_EQ(c.printableHeight, size.height) << c.height;
    }
    EXPECT_EQ(0, ui_GetPrintableSize(nullptr, 1, 1, nullptr));
}

TEST(Paper, MinimumFromThePaperRecord)
{
    Model model("  5: 1\n",
                "  - {type: 17, key: 1, first: [1000, 1480], second: [3000, 4200]}\n"
                "  - {type: 10, key: 9, name: A4, paper_size: 1}\n");
    DddSize size = {};
    EXPECT_EQ(1, ui_GetPaperMinimum(&model.context, nullptr, nullptr, 9, &size));
    EXPECT_EQ(1000, size.width);
    EXPECT_EQ(1480, size.height);
    EXPECT_EQ(0, ui_GetPaperMinimum(&model.context, nullptr, nullptr, 8, &size));   // no record
    EXPECT_EQ(0, ui_GetPaperMinimum(&model.context, nullptr, nullptr, 262, &size)); // a custom slot needs settings
    LONG result = 77;
    EXPECT_EQ(0, ui_CalcHalfLongEdgeRemainder(&model.context, nullptr, nullptr, 10, &result)); // not known yet
    EXPECT_EQ(77, result);
}

TEST(Paper, GeometryFromRecordsListAndCustomSize)
{
    Model model("  5: 1\n",
                "  - {type: 17, key: 1, first: [2100, 2970], second: [2100, 2970]}\n"
                "  - {type: 17, key: 2, first: [1000, 1000], second: [2000, 2800]}\n"
                "  - {type: 17, key: 3, first: [40, 50], second: [60, 70]}\n"
                "  - {type: 10, key: 9, name: A4, paper_size: 1, image_size: 2, margins: 3}\n"
                "  - {type: 10, key: 256, name: User, paper_size: 1, image_size: 2, margins: 3}\n");
    DriverDevmode *devmode = dm_AllocDevmode(2);
    auto *block = (PrinterDataBlock *)GlobalAlloc(GPTR, 5452);
    ASSERT_NE(nullptr, devmode);
    const SHORT width = 1500;
    const SHORT length = 1620;
    ASSERT_EQ(0, dma_SetFunctionValue(1863, devmode, block, VT_SHORT, 2, &width));
    ASSERT_EQ(0, dma_SetFunctionValue(1864, devmode, block, VT_SHORT, 2, &length));

    struct Case {
        WORD paper;
        int answer;
        SIZE size, printable, leftBottom, rightTop, custom;
    };
    const Case kCases[] = {
        {9, 1, {2100, 2970}, {2000, 2800}, {40, 70}, {60, 50}, {0, 0}},         // record: image maximum
        {256, 1, {1500, 1620}, {1400, 1500}, {40, 70}, {60, 50}, {1500, 1620}}, // custom size, record 256's margins
        {8, 0, {}, {}, {}, {}, {}},                                             // no record
        {513, 0, {}, {}, {}, {}, {}},                                           // no list, no record
    };
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.paper);
        PaperQuery query = {c.paper, devmode, block};
        SIZE size = {-1, -1}, printable = {-1, -1}, edges[2] = {{-1, -1}, {-1, -1}}, custom = {-1, -1};
        EXPECT_EQ(c.answer, ui_GetPaperGeometry(&query, &size, &printable, edges, &model.context, &custom));
        if (!c.answer) {
            EXPECT_EQ(-1, size.cx); // untouched
            continue;
        }
        EXPECT_EQ(c.size.cx, size.cx);
        EXPECT_EQ(c.size.cy, size.cy);
        EXPECT_EQ(c.printable.cx, printable.cx);
        EXPECT_EQ(c.printable.cy, printable.cy);
        EXPECT_EQ(c.leftBottom.cx, edges[0].cx);
        EXPECT_EQ(c.leftBottom.cy, edges[0].cy);
        EXPECT_EQ(c.rightTop.cx, edges[1].cx);
        EXPECT_EQ(c.rightTop.cy, edges[1].cy);
        EXPECT_EQ(c.custom.cx, custom.cx);
        EXPECT_EQ(c.custom.cy, custom.cy);
    }

    // The device paper list answers for ids from 512 while the context holds it.
    PaperListEntry entries[2] = {};
    entries[0] = {1, u"A4", 210000, 297000, 9, 4000, 5000, 204000, 290000};
    entries[1] = {2, u"Card", 100000, 150000, 512, 5000, 6000, 95000, 144000};
    PaperList list = {entries, 1, 1};
    model.context.paperList = &list;
    PaperQuery query = {512, nullptr, nullptr};
    SIZE size = {}, printable = {}, edges[2] = {};
    EXPECT_EQ(1, ui_GetPaperGeometry(&query, &size, &printable, edges, &model.context, nullptr));
    EXPECT_EQ(1000, size.cx);
    EXPECT_EQ(1500, size.cy);
    EXPECT_EQ(900, printable.cx);
    EXPECT_EQ(1380, printable.cy);
    EXPECT_EQ(50, edges[0].cx);
    EXPECT_EQ(60, edges[0].cy);
    EXPECT_EQ(50, edges[1].cx);
    EXPECT_EQ(60, edges[1].cy);
    query.paper = 256; // the custom size needs its settings
    EXPECT_EQ(0, ui_GetPaperGeometry(&query, nullptr, nullptr, nullptr, &model.context, nullptr));
    model.context.paperList = nullptr;
    EXPECT_EQ(0, ui_GetPaperGeometry(nullptr, nullptr, nullptr, nullptr, &model.context, nullptr));
    EXPECT_EQ(0, ui_GetPaperGeometry(&query, nullptr, nullptr, nullptr, nullptr, nullptr));
    GlobalFree(block);
    GlobalFree(devmode);
}

} // namespace
