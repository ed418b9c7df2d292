/* The scrambler, base64 and the stored-text transcoding in both code pages. */
#include "core/util/base64.h"
#include "core/util/codepage_text.h"

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace {

TEST(Scramble, GroupsKeyAndCapacity)
{
    const BYTE input[5] = {'k', 'v', 'u', 'd', 'A'};
    BYTE output[8] = {};
    int written = -1;
    // A 5-byte input with capacity 4: -3 after the first group, with 4 written.
    EXPECT_EQ(UTIL_CODEC_CAPACITY, util_ScrambleBytes(input, 5, output, &written, 4));
    EXPECT_EQ(4, written);
    EXPECT_EQ(0, memcmp(output, "\0\0\0\0", 4));
    ASSERT_EQ(UTIL_CODEC_OK, util_ScrambleBytes(input, 5, output, &written, 8));
    EXPECT_EQ(5, written);
    EXPECT_EQ('A' ^ 'k', output[4]);
    BYTE back[5] = {};
    ASSERT_EQ(UTIL_CODEC_OK, util_ScrambleBytes(output, 5, back, &written, 5));
    EXPECT_EQ(0, memcmp(input, back, 5));
    EXPECT_EQ(UTIL_CODEC_LENGTH, util_ScrambleBytes(input, 0, output, &written, 8));
    EXPECT_EQ(UTIL_CODEC_LENGTH, util_ScrambleBytes(input, 5, output, &written, 0));
    EXPECT_EQ(UTIL_CODEC_NULL, util_ScrambleBytes(nullptr, 5, output, &written, 8));
}

TEST(Base64, EncodeAndDecode)
{
    char text[16] = {};
    int written = 0;
    ASSERT_EQ(UTIL_CODEC_OK, util_Base64Encode((const BYTE *)"abc", 3, text, &written, 5));
    EXPECT_EQ(4, written);
    EXPECT_EQ(std::string("YWJj"), std::string(text, 4));
    ASSERT_EQ(UTIL_CODEC_OK, util_Base64Encode((const BYTE *)"a", 1, text, &written, 4));
    EXPECT_EQ(std::string("YQ=="), std::string(text, 4));
    ASSERT_EQ(UTIL_CODEC_OK, util_Base64Encode((const BYTE *)"ab", 2, text, &written, 4));
    EXPECT_EQ(std::string("YWI="), std::string(text, 4));
    // Four bytes write 8 characters: a capacity of n * 4 / 3 + 1 = 6 is refused, not overrun.
    memset(text, '#', sizeof(text));
    EXPECT_EQ(UTIL_CODEC_CAPACITY, util_Base64Encode((const BYTE *)"abcd", 4, text, &written, 6));
    EXPECT_EQ('#', text[0]);
    EXPECT_EQ(UTIL_CODEC_CAPACITY, util_Base64Encode((const BYTE *)"abc", 3, text, &written, 4));
    EXPECT_EQ(UTIL_CODEC_LENGTH, util_Base64Encode((const BYTE *)"abc", 0, text, &written, 8));

    struct Case {
        const char *text;
        int capacity;
        int status;
        const char *bytes;
        int count;
    };
    static const Case kCases[] = {
        {"YW Jj", 6, UTIL_CODEC_OK, "abc", 3}, // white space inside is skipped
        {" \tYWJj\n", 6, UTIL_CODEC_OK, "abc", 3},
        {"YQ", 3, UTIL_CODEC_OK, "", 0}, // no padding: the group gives nothing
        {"YQ==", 3, UTIL_CODEC_OK, "a", 1},
        {"YWI=", 3, UTIL_CODEC_OK, "ab", 2},
        {"YWJjZA==", 6, UTIL_CODEC_OK, "abcd", 4},
        {"YWJj", 2, UTIL_CODEC_CAPACITY, "", 0},
        {"", 3, UTIL_CODEC_LENGTH, "", 0},
    };
    for (const Case &c : kCases) {
        BYTE bytes[16] = {};
        int count = -1;
        EXPECT_EQ(c.status, util_Base64Decode(c.text, (int)strlen(c.text), bytes, &count, c.capacity)) << c.text;
        if (c.status == UTIL_CODEC_OK) {
            EXPECT_EQ(c.count, count) << c.text;
            EXPECT_EQ(0, memcmp(c.bytes, bytes, (size_t)c.count)) << c.text;
        }
    }
    // The length bounds the reading even without a terminator.
    BYTE bytes[3] = {};
    int count = 0;
    ASSERT_EQ(UTIL_CODEC_OK, util_Base64Decode("YWJjYWJj", 4, bytes, &count, 3));
    EXPECT_EQ(3, count);
    EXPECT_TRUE(util_IsBase64Space(' '));
    EXPECT_TRUE(util_IsBase64Space(13));
    EXPECT_FALSE(util_IsBase64Space(14));
}

std::u16string transcode(WORD mode, const WCHAR *text)
{
    TranscodeRequest request = {mode, text, nullptr};
    EXPECT_TRUE(util_TranscodeStoredText(&request));
    if (request.result == nullptr)
        return u"<null>";
    std::u16string result = request.result;
    GlobalFree(request.result);
    return result;
}

TEST(StoredText, RoundTripsInBothCodePages)
{
    struct Case {
        UINT codePage;
        const WCHAR *plain;
    };
    static const Case kCases[] = {
        {1252, TEXT("1234")},
        {1252, TEXT("Caf\u00e9 \u00c4rger")},
        {932, TEXT("\u30d1\u30b9\u30ef\u30fc\u30c9")}, // double-byte characters
        {932, TEXT("ab\uff71c")},                      // a single-byte katakana
    };
    for (const Case &c : kCases) {
        qmt_PinAnsiCodePage(c.codePage);
        std::u16string stored = transcode(UTIL_TRANSCODE_ENCODE, c.plain);
        EXPECT_NE(std::u16string(c.plain), stored);
        for (char16_t ch : stored)
            EXPECT_TRUE(ch < 0x80) << "stored text is base64";
        EXPECT_EQ(std::u16string(c.plain), transcode(UTIL_TRANSCODE_DECODE, (const WCHAR *)stored.c_str()));
    }
    qmt_PinAnsiCodePage(0);
    // "1234" -> bytes xor "kvud" -> base64.
    EXPECT_EQ(std::u16string(u"WkRGUA=="), transcode(UTIL_TRANSCODE_ENCODE, TEXT("1234")));
    EXPECT_EQ(std::u16string(u""), transcode(UTIL_TRANSCODE_ENCODE, TEXT("")));

    TranscodeRequest bad = {3, TEXT("x"), nullptr};
    EXPECT_FALSE(util_TranscodeStoredText(&bad));
    EXPECT_EQ(nullptr, bad.result);
    EXPECT_FALSE(util_TranscodeStoredText(nullptr));
}

TEST(CodePageText, BuffersAndCopies)
{
    qmt_PinAnsiCodePage(932);
    const WCHAR kText[] = TEXT("a\u30d1b"); // 1 + 2 + 1 bytes in 932
    EXPECT_EQ(5u, util_WideToMultiByteBuf(932, kText, nullptr, 0));
    char narrow[8];
    memset(narrow, '#', sizeof(narrow));
    // Room for "a" and half of the double-byte character: the character is not cut.
    EXPECT_EQ(2u, util_WideToMultiByteBuf(932, kText, narrow, 3));
    EXPECT_EQ(std::string("a"), std::string(narrow));
    EXPECT_EQ(5u, util_WideToMultiByteBuf(932, kText, narrow, 8));

    WCHAR wide[8] = {};
    EXPECT_EQ(3u, util_MultiByteToWide(932, nullptr, narrow, 0));
    EXPECT_EQ(3u, util_MultiByteToWide(932, wide, narrow, 8));
    EXPECT_EQ(std::u16string(kText), std::u16string(wide));
    EXPECT_EQ(3u, util_MultiByteToWide(932, wide, narrow, 2));
    EXPECT_EQ(std::u16string(u"a"), std::u16string(wide));

    DWORD length = 0;
    char *copy = util_WideToCodePageAlloc(932, kText, &length);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(4u, length);
    DWORD count = 0;
    WCHAR *back = util_CodePageToWideAlloc(932, copy, &count);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(4u, count);
    GlobalFree(back);
    back = util_CodePageToWideNew(932, copy, &count);
    EXPECT_EQ(3u, count);
    EXPECT_EQ(std::u16string(kText), std::u16string(back));
    GlobalFree(back);
    GlobalFree(copy);

    EXPECT_EQ(1252u, util_ValidCodePage(1252));
    EXPECT_EQ(932u, util_ValidCodePage(12345)); // unknown: the ANSI code page
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(nullptr, util_WideToCodePageNew(932, kText));
    qmt_FailAllocations(0, 0);
    qmt_PinAnsiCodePage(0);
}

} // namespace
