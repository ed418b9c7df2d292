/*
 * The stamp dialog's font list: only TrueType faces, each full name once, the total size
 * and count, an allocation failure, and nothing left after the list is freed.
 */
#include "core/stamps/stamp_store.h"

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_gdi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const QmtFontFace kFaces[] = {
    {TEXT("Sans"), TEXT("Sans"), TRUETYPE_FONTTYPE},
    {TEXT("Sans"), TEXT("Sans Bold"), TRUETYPE_FONTTYPE},
    {TEXT("Fixed"), TEXT("Fixed"), RASTER_FONTTYPE},
    {TEXT("Serif"), TEXT("Serif"), TRUETYPE_FONTTYPE},
    {TEXT("Serif"), TEXT("Sans Bold"), TRUETYPE_FONTTYPE}, /* a full name twice */
    {TEXT("Serif"), TEXT("Serif Printer"), DEVICE_FONTTYPE},
};

std::vector<std::u16string> Faces(const FontFaceList *list)
{
    std::vector<std::u16string> faces;
    for (const FontFaceNode *node = list->faces; node; node = node->next)
        faces.push_back(std::u16string((const char16_t *)node->face));
    return faces;
}

/* Enumerates the families into a new list. */
FontFaceList *Collect()
{
    FontFaceList *list = (FontFaceList *)GlobalAlloc(GPTR, sizeof(FontFaceList));
    list->ok = TRUE;
    list->buffers[0] = GlobalAlloc(GPTR, 16);
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesW(dc, nullptr, ureg_EnumFamilyFaces, (LPARAM)list);
    ReleaseDC(nullptr, dc);
    return list;
}

TEST(StampFonts, TrueTypeFacesOnceEach)
{
    ASSERT_TRUE(qmt_SetInstalledFonts(kFaces, 6));
    DWORD blocks = qmt_LiveGlobalBlocks();
    FontFaceList *list = Collect();
    EXPECT_TRUE(list->ok);
    EXPECT_EQ((std::vector<std::u16string>{u"Sans", u"Sans Bold", u"Serif"}), Faces(list));
    EXPECT_EQ(3u, list->count);
    EXPECT_EQ((5u + 10u + 6u) * 2u, list->totalBytes);
    ureg_FreeFontFaceList(&list);
    EXPECT_EQ(nullptr, list);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    ureg_FreeFontFaceList(&list);
    ureg_FreeFontFaceList(nullptr);
}

TEST(StampFonts, AnAllocationFaultClearsTheFlagAndStops)
{
    ASSERT_TRUE(qmt_SetInstalledFonts(kFaces, 6));
    DWORD blocks = qmt_LiveGlobalBlocks();
    FontFaceList *list = (FontFaceList *)GlobalAlloc(GPTR, sizeof(FontFaceList));
    list->ok = TRUE;
    HDC dc = GetDC(nullptr);
    qmt_FailAllocations(2, 1); /* the first face's node and name, then the second's node fails */
    EXPECT_EQ(0, EnumFontFamiliesW(dc, nullptr, ureg_EnumFamilyFaces, (LPARAM)list));
    qmt_FailAllocations(0, 0);
    ReleaseDC(nullptr, dc);
    EXPECT_FALSE(list->ok);
    EXPECT_EQ((std::vector<std::u16string>{u"Sans"}), Faces(list));
    EXPECT_EQ(1u, list->count);
    ureg_FreeFontFaceList(&list);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

} // namespace
