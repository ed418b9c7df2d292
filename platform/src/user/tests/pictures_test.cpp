/* Pictures of windows: the pixels of a small dialog (Latin and Japanese text, a checked
 * box, a greyed button) equal the checked-in golden image. QM_WRITE_GOLDEN=1 rewrites the
 * golden image instead (for review). */
#include <gtest/gtest.h>

#include <windows.h>

#include <png.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/src/user/tests/recorder.h"
#include "platform/src/user/tests/user_test_ids.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_gdi.h"

namespace {

/* The pixels of a PNG file as 0x00RRGGBB; false when it cannot be read. */
bool ReadPng(const std::string &path, std::vector<DWORD> *pixels, int *width, int *height)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return false;
    *width = (int)image.width;
    *height = (int)image.height;
    pixels->resize((size_t)image.width * image.height);
    for (size_t i = 0; i < pixels->size(); ++i)
        (*pixels)[i] = ((DWORD)rgb[i * 3] << 16) | ((DWORD)rgb[i * 3 + 1] << 8) | rgb[i * 3 + 2];
    return true;
}

TEST(Pictures, SmallDialogEqualsGoldenImage)
{
    qmt_PinDpi(96);
    HWND dlg = CreateDialogParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_SMALL), nullptr, recorder::Proc, 0);
    ASSERT_NE(dlg, nullptr);
    SetDlgItemTextW(dlg, IDC_NAME, u"\x65E5\x672C\x8A9E\x306E\x6587\x5B57");
    CheckDlgButton(dlg, IDC_CHECK, BST_CHECKED);
    std::string out = std::string(getenv("QM_ROOT")) + "/small.png";
    ASSERT_TRUE(qmt_RenderWindowPng(dlg, out.c_str()));
    int width = 0, height = 0;
    ASSERT_TRUE(qmt_RenderWindow(dlg, nullptr, &width, &height, 0));
    EXPECT_EQ(width, 180); // 120 dialog units at 6 pixels per 4
    EXPECT_EQ(height, 18 + 101);
    std::vector<DWORD> drawn((size_t)width * height);
    ASSERT_TRUE(qmt_RenderWindow(dlg, drawn.data(), &width, &height, (DWORD)drawn.size()));
    DestroyWindow(dlg);

    const std::string golden = QM_USER_GOLDEN_DIR "/small_dialog.png";
    const char *write = getenv("QM_WRITE_GOLDEN");
    if (write && *write == '1') {
        std::string command = "cp '" + out + "' '" + golden + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    std::vector<DWORD> expected, decoded;
    int gw = 0, gh = 0, dw = 0, dh = 0;
    ASSERT_TRUE(ReadPng(golden, &expected, &gw, &gh)) << golden;
    ASSERT_TRUE(ReadPng(out, &decoded, &dw, &dh));
    EXPECT_EQ(gw, width);
    EXPECT_EQ(gh, height);
    EXPECT_TRUE(decoded == drawn);  // the PNG holds the pixels drawn
    EXPECT_TRUE(expected == drawn); // and they are the golden ones
    qmt_PinDpi(0);
}

} // namespace
