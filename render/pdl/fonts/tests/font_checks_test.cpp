/*
 * The per-font checks of the text output: the identifier with its style bits, the outline
 * and point-form decisions and the small-bitmap hint, each over a table of cases.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/testing/qm_testing_engine.h"
#include "render/pdl/fonts/fonts.h"

namespace {

/* One device font whose identifier is 0x1A0, as the font tables hold it. */
struct OneFont {
    OneFont()
    {
        block.fontId = 0x1A0;
        blocks[0] = &block;
        static DWORD numbers[2] = {1, 0};
        tables.count = 1;
        tables.allFonts = numbers;
        tables.selectedFonts = numbers;
        tables.selectedCount = 1;
        tables.blocks = blocks;
    }
    FontInfoBlock block{};
    FontInfoBlock *blocks[1];
    DeviceFontTables tables{};
};

/* A 600 dpi job on a nominal page with the model's defaults. */
FontJobView View(const DeviceFontTables *tables, LONG resolution = 600)
{
    FontJobView view{};
    view.tables = tables;
    view.resolutionX = resolution;
    view.resolutionY = resolution;
    view.outlineMinSize = 10;
    view.smallBitmapOn = TRUE;
    view.pageA = 72.0f / (float)resolution;
    view.pageD = -72.0f / (float)resolution;
    view.smallMinPixels = FONT_SMALL_MIN_PIXELS_DEFAULT;
    view.smallMaxPixels = FONT_SMALL_MAX_PIXELS_DEFAULT;
    view.smallMinPoints = FONT_SMALL_MIN_POINTS_DEFAULT;
    return view;
}

/* A font of 1000 units per em scaled to scale x 1000 device pixels. */
struct Font {
    Font(float scale, FLONG type, WORD weight = 400, FWORD selection = 0)
    {
        ifi.fwdUnitsPerEm = 1000;
        ifi.usWinWeight = weight;
        ifi.fsSelection = selection;
        pfo = qmt_EngineFont(&ifi, scale, scale, type, 1);
    }
    ~Font()
    {
        qmt_EngineFreeFont(pfo);
    }
    IFIMETRICS ifi{};
    FONTOBJ *pfo;
};

TEST(FontChecks, DeviceFontIdCarriesWeightItalicAndSimulation)
{
    struct Case {
        WORD weight;
        FWORD selection;
        FLONG simulation;
        BOOL plain;
        DWORD id;
    } cases[] = {
        {400, 0, 0, FALSE, 0x1A0},
        {700, FM_SEL_BOLD, 0, FALSE, 0x210},
        {900, FM_SEL_BOLD, 0, FALSE, 0x230},
        {400, 0, FO_SIM_BOLD, FALSE, 0x1D0},                                          /* 0 + 0x30 */
        {700, FM_SEL_BOLD, FO_SIM_BOLD, FALSE, 0x240},                                /* 0x70 + 0x30 */
        {900, FM_SEL_BOLD, FO_SIM_BOLD, FALSE, 0x290},                                /* 0xC0: capped at 0xF0 */
        {400, FM_SEL_ITALIC, 0, FALSE, 0x1A8},                                        /* italic face */
        {400, 0, FO_SIM_ITALIC, FALSE, 0x1A8},                                        /* simulated italic */
        {400, FM_SEL_ITALIC, FO_SIM_ITALIC, FALSE, 0x1A8},                            /* counted once */
        {700, FM_SEL_BOLD | FM_SEL_ITALIC, FO_SIM_BOLD, FALSE, 0x248},                /* both */
        {900, FM_SEL_BOLD | FM_SEL_ITALIC, FO_SIM_BOLD | FO_SIM_ITALIC, TRUE, 0x1A0}, /* plain */
    };
    OneFont font;
    FontJobView view = View(&font.tables);
    for (const Case &c : cases) {
        Font f(0.05f, FO_TYPE_DEVICE | c.simulation, c.weight, c.selection);
        DWORD id = 0;
        ASSERT_TRUE(fnt_GetDeviceFontId(&view, f.pfo, 1, &id, c.plain));
        EXPECT_EQ(id, c.id) << "weight " << c.weight << " selection " << c.selection << " simulation " << c.simulation;
    }
    Font f(0.05f, FO_TYPE_DEVICE);
    DWORD id = 0;
    EXPECT_FALSE(fnt_GetDeviceFontId(&view, f.pfo, 2, &id, FALSE)) << "no second font";
}

TEST(FontChecks, DeviceSizeLimitsByResolution)
{
    /* Sizes: em pixels x 72 / resolution, rounded: 333 px at 600 dpi is 40 points, 342 px
       41; at 1200 dpi the limit is 24000 / 1200 = 20 points: 333 px is 20, 350 px 21.
       Widest glyph: 600 x 40 / 72 = 333 pixels at 600 dpi, 333 above. */
    struct Case {
        LONG resolution;
        float scale;
        ULONG cxMax;
        BOOL expected;
    } cases[] = {
        {600, 0.333f, 100, TRUE},
        {600, 0.342f, 100, FALSE},
        {600, 0.333f, 333, TRUE},
        {600, 0.333f, 334, FALSE},
        {1200, 0.333f, 100, TRUE},
        {1200, 0.350f, 100, FALSE},
        {1200, 0.333f, 333, TRUE},
        {1200, 0.333f, 334, FALSE},
    };
    for (const Case &c : cases) {
        FontJobView view = View(nullptr, c.resolution);
        Font f(c.scale, FO_TYPE_TRUETYPE);
        f.pfo->cxMax = c.cxMax;
        EXPECT_EQ(fnt_CanUseDeviceSize(&view, f.pfo), c.expected)
            << c.resolution << " dpi, scale " << c.scale << ", cxMax " << c.cxMax;
    }
    FontJobView view = View(nullptr);
    view.pageHookRunning = TRUE;
    Font f(0.05f, FO_TYPE_TRUETYPE);
    EXPECT_FALSE(fnt_CanUseDeviceSize(&view, f.pfo)) << "never while the page hook draws";
}

TEST(FontChecks, OutlineDecision)
{
    /* 100 px at 600 dpi is 12 points, 60 px 7 points; setting 346 is 10 points. */
    struct Case {
        const char *what;
        float scale;
        FLONG type;
        void (*adjust)(FontJobView *);
        BOOL expected;
    } cases[] = {
        {"large TrueType", 0.1f, FO_TYPE_TRUETYPE, nullptr, TRUE},
        {"small TrueType", 0.06f, FO_TYPE_TRUETYPE, nullptr, FALSE},
        {"setting 1335", 0.1f, FO_TYPE_TRUETYPE, [](FontJobView *v) { v->outlineOff = TRUE; }, FALSE},
        {"raster face", 0.1f, FO_TYPE_RASTER, nullptr, FALSE},
        {"raster TrueType",
         0.06f,
         FO_TYPE_RASTER | FO_TYPE_TRUETYPE,
         [](FontJobView *v) { v->outlineAlways = TRUE; },
         TRUE},
        {"model capability", 0.06f, FO_TYPE_TRUETYPE, [](FontJobView *v) { v->outlineAlways = TRUE; }, TRUE},
        {"scaled page",
         0.06f,
         FO_TYPE_TRUETYPE,
         [](FontJobView *v) {
             v->pageA *= 0.5f;
             v->pageD *= 0.5f;
         },
         TRUE},
        {"one axis nominal", 0.06f, FO_TYPE_TRUETYPE, [](FontJobView *v) { v->pageA *= 0.5f; }, FALSE},
        {"bold simulation", 0.06f, FO_TYPE_TRUETYPE | FO_SIM_BOLD, nullptr, TRUE},
        {"setting 346 lower", 0.06f, FO_TYPE_TRUETYPE, [](FontJobView *v) { v->outlineMinSize = 6; }, TRUE},
    };
    for (const Case &c : cases) {
        FontJobView view = View(nullptr);
        if (c.adjust)
            c.adjust(&view);
        Font f(c.scale, c.type);
        EXPECT_EQ(fnt_CanUseOutline(&view, f.pfo), c.expected) << c.what;
    }
}

TEST(FontChecks, SmallBitmapHintNeedsEveryCondition)
{
    /* 10 px em on a nominal page lies between 7 and 16. */
    struct Case {
        const char *what;
        float scale;
        FLONG type;
        FWORD selection;
        ULONG colour;
        ULONG points;
        MIX mix;
        void (*adjust)(FontJobView *);
        BOOL expected;
    } cases[] = {
        {"all met", 0.01f, FO_TYPE_TRUETYPE, 0, 0, 50, 0x0D0D, nullptr, TRUE},
        {"white", 0.01f, FO_TYPE_TRUETYPE, 0, 0xFFFFFFFF, 50, 0x0D0D, nullptr, TRUE},
        {"setting 1307 off",
         0.01f,
         FO_TYPE_TRUETYPE,
         0,
         0,
         50,
         0x0D0D,
         [](FontJobView *v) { v->smallBitmapOn = FALSE; },
         FALSE},
        {"other mix", 0.01f, FO_TYPE_TRUETYPE, 0, 0, 50, 0x0606, nullptr, FALSE},
        {"simulated bold", 0.01f, FO_TYPE_TRUETYPE | FO_SIM_BOLD, 0, 0, 50, 0x0D0D, nullptr, FALSE},
        {"bold face", 0.01f, FO_TYPE_TRUETYPE, FM_SEL_BOLD, 0, 50, 0x0D0D, nullptr, FALSE},
        {"coloured", 0.01f, FO_TYPE_TRUETYPE, 0, 0x00FF00, 50, 0x0D0D, nullptr, FALSE},
        {"too few points", 0.01f, FO_TYPE_TRUETYPE, 0, 0, 49, 0x0D0D, nullptr, FALSE},
        {"model point count",
         0.01f,
         FO_TYPE_TRUETYPE,
         0,
         0,
         20,
         0x0D0D,
         [](FontJobView *v) { v->smallMinPoints = 20; },
         TRUE},
        {"at the lower limit", 0.007f, FO_TYPE_TRUETYPE, 0, 0, 50, 0x0D0D, nullptr, FALSE},
        {"at the upper limit", 0.016f, FO_TYPE_TRUETYPE, 0, 0, 50, 0x0D0D, nullptr, FALSE},
        {"model limits",
         0.016f,
         FO_TYPE_TRUETYPE,
         0,
         0,
         50,
         0x0D0D,
         [](FontJobView *v) { v->smallMaxPixels = 20; },
         TRUE},
        {"page scaled down",
         0.016f,
         FO_TYPE_TRUETYPE,
         0,
         0,
         50,
         0x0D0D,
         [](FontJobView *v) {
             v->pageA *= 0.5f;
             v->pageD *= 0.5f;
         },
         TRUE},
    };
    for (const Case &c : cases) {
        FontJobView view = View(nullptr);
        if (c.adjust)
            c.adjust(&view);
        Font f(c.scale, c.type, 400, c.selection);
        EXPECT_EQ(fnt_CanUseSmallBitmap(&view, f.pfo, c.colour, c.points, c.mix), c.expected) << c.what;
    }
}

} // namespace
