/*
 * Images through the writer: the colour image header with its colour block, palettes
 * sent on their own above PDL version 0x101FFFF, the mask image header, refusals.
 */
#include <cstring>

#include "render/pdl/writer/tests/test_images.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

using Lines = std::vector<std::string>;

class WriterImagesTest : public WriterTest
{
protected:
    void SetUp() override
    {
        WriterTest::SetUp();
        CreateWriter();
    }

    // A 2 x 1 image of colour type 11 with a palette of `entries` RGB entries.
    ImageHeader PaletteImage(DWORD entries)
    {
        palette_.assign(3 * entries, 0);
        for (size_t i = 0; i < palette_.size(); ++i) {
            palette_[i] = (BYTE)i;
        }
        ImageHeader h = RgbImageHeader(1.0f, 2.0f, 2, 1);
        h.colorType = IMAGE_COLOR_RGB_PALETTE;
        h.paletteEntryBits = 8;
        h.paletteEntries = (WORD)entries;
        h.paletteBytes = (WORD)palette_.size();
        h.palette = palette_.data();
        h.dataBytes = 2;
        return h;
    }

    // Writes the header and its two data bytes.
    int WriteImage(const ImageHeader &h)
    {
        const BYTE data[2] = {0, 1};
        if (pdl_WriteImage(writer_, &h) != 0) {
            return -1;
        }
        return pdl_WriteRawData(writer_, data, h.dataBytes);
    }

    std::vector<BYTE> palette_;
};

const char kHead[] = "Cq 1 2 1 0 0 1 0 0 2 1 1 2 ";

TEST_F(WriterImagesTest, ThePaletteGoesInlineUpToVersion0x101FFFF)
{
    pdl_SetLanguageVersion(writer_, 0x101FFFF);
    ImageHeader h = PaletteImage(2);
    ASSERT_EQ(WriteImage(h), 0);
    EXPECT_EQ(Commands(), (Lines{std::string(kHead) + "11 8 2 6 6:000102030405 1 8 1 2 data 2:0001"}));
}

TEST_F(WriterImagesTest, AboveVersion0x101FFFFThePaletteGoesAheadOnceWhileUnchanged)
{
    pdl_SetLanguageVersion(writer_, 0x1020000);
    ImageHeader h = PaletteImage(2);
    ASSERT_EQ(WriteImage(h), 0);
    ASSERT_EQ(WriteImage(h), 0);
    EXPECT_EQ(h.colorType, IMAGE_COLOR_RGB_PALETTE);
    const std::string image = std::string(kHead) + "15 1 8 1 2 data 2:0001";
    EXPECT_EQ(Commands(), (Lines{"AV 11 8 2 6 6:000102030405", image, image}));

    Mark();
    palette_[5] = 0xFF; // a changed byte
    ASSERT_EQ(WriteImage(h), 0);
    pdl_ResetPage(writer_); // forgets the palette
    ASSERT_EQ(WriteImage(h), 0);
    EXPECT_EQ(Commands(), (Lines{"AV 11 8 2 6 6:0001020304ff", image, "AV 11 8 2 6 6:0001020304ff", image}));
}

TEST_F(WriterImagesTest, PalettesBeyondTheCachedCopyAreSentEveryTime)
{
    pdl_SetLanguageVersion(writer_, 0x1020000);
    ImageHeader big = PaletteImage(300); // 900 bytes
    ASSERT_EQ(WriteImage(big), 0);
    ASSERT_EQ(WriteImage(big), 0);
    ImageHeader small = PaletteImage(2);
    ASSERT_EQ(WriteImage(small), 0);
    ASSERT_EQ(WriteImage(small), 0);
    Lines lines = Commands();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].substr(0, 16), "AV 11 8 300 900 ");
    EXPECT_EQ(lines[2].substr(0, 16), "AV 11 8 300 900 ");
    EXPECT_EQ(lines[4], "AV 11 8 2 6 6:000102030405");
    EXPECT_EQ(lines[5].substr(0, 2), "Cq");
    EXPECT_EQ(lines[6].substr(0, 2), "Cq");
}

TEST_F(WriterImagesTest, TheColourBlockFollowsExactlyWithPixelData)
{
    ImageHeader h = PaletteImage(0);
    h.colorType = IMAGE_COLOR_RGB;
    h.maskKind = IMAGE_MASK_BITS;
    h.maskBytes = 1;
    ASSERT_EQ(pdl_WriteImage(writer_, &h), 0);
    const BYTE mask[1] = {0xC0};
    const BYTE data[2] = {7, 8};
    ASSERT_EQ(pdl_WriteRawData(writer_, mask, 1), 0);
    ASSERT_EQ(pdl_WriteRawData(writer_, data, 2), 0);
    h.maskKind = IMAGE_MASK_NONE;
    h.sourceKind = IMAGE_SOURCE_NONE;
    ASSERT_EQ(pdl_WriteImage(writer_, &h), 0);
    const float placement[6] = {1, 0, 0, 1, 0, 0};
    ASSERT_EQ(pdl_WriteImagePlacement(writer_, 3.0f, 4.0f, 8, 2, 1, placement, 2), 0);
    ASSERT_EQ(pdl_WriteRawData(writer_, data, 2), 0);
    EXPECT_EQ(Commands(),
              (Lines{"Cq 1 2 1 0 0 1 0 0 2 1 2 0 1 2 4 1 8 1 2 mask 1:c0 data 2:0708",
                     "Cq 1 2 1 0 0 1 0 0 2 1 1 1",
                     "Cp 3 4 8 2 1 1 0 0 1 0 0 2 data 2:0708"}));
}

TEST_F(WriterImagesTest, RefusedImagesLeaveTheStreamUnchanged)
{
    pdl_SetLanguageVersion(writer_, 0x1020000);
    ImageHeader h = PaletteImage(2);
    ASSERT_EQ(WriteImage(h), 0);
    std::vector<BYTE> before = Bytes();
    ImageHeader noData = h;
    noData.sourceKind = IMAGE_SOURCE_NONE;
    noData.dataPresent = 0;
    EXPECT_EQ(pdl_WriteImage(writer_, &noData), -1);
    ImageHeader oddKind = h;
    oddKind.sourceKind = 3;
    oddKind.dataPresent = 2;
    EXPECT_EQ(pdl_WriteImage(writer_, &oddKind), -1);
    ImageHeader noPalette = h;
    noPalette.palette = nullptr;
    EXPECT_EQ(pdl_WriteImage(writer_, &noPalette), -1);
    EXPECT_EQ(pdl_WriteImage(writer_, nullptr), -1);
    EXPECT_EQ(pdl_WriteRawData(writer_, nullptr, 3), -1);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(WriterImagesTest, APaletteThatFailedToGoIsSentAgain)
{
    pdl_SetLanguageVersion(writer_, 0x1020000);
    ImageHeader h = PaletteImage(2);
    FailWrites(true);
    EXPECT_EQ(pdl_WriteImage(writer_, &h), -1);
    FailWrites(false);
    ASSERT_EQ(WriteImage(h), 0);
    Lines lines = Commands();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "AV 11 8 2 6 6:000102030405");
}

} // namespace
} // namespace writer_test
