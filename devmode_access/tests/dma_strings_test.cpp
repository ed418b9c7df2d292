/* Text and log-font settings through the exports: two-call protocol, protected texts,
 * the fax list head strings, code pages 1252 and 932, and broken input. */
#include "devmode_access/tests/dma_api.h"

#include <memory>
#include <string>
#include <vector>

#include "core/faxlist/fax_list.h"
#include "core/util/codepage_text.h"
#include "platform/testing/qm_testing.h"

namespace {

class DmaStrings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
    }

    /* The stored wide text of a setting, read by the test program's own core. */
    std::u16string Stored(WORD functionId)
    {
        WORD type;
        DWORD size;
        const WCHAR *text = nullptr;
        EXPECT_EQ(SST_OK, dma_GetFunctionValue(functionId, &a_->devmode, &a_->block, &type, &size, &text));
        return text == nullptr ? std::u16string() : std::u16string(text);
    }

    /* A text read with a buffer of exactly the size the query answers. */
    std::string Read(WORD id)
    {
        DWORD size = 0;
        EXPECT_EQ(DMA_MORE_DATA, api_.GetStringData(&a_->handle, id, nullptr, &size));
        std::string text(size + 4, '#');
        EXPECT_EQ(DMA_SUCCESS, api_.GetStringData(&a_->handle, id, text.data(), &size));
        EXPECT_EQ(std::string(4, '#'), text.substr(size)) << "guard bytes";
        return std::string(text.c_str());
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
};

TEST_F(DmaStrings, TwoCallProtocolAndFit)
{
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, "Printer", 100));
    DWORD size = 0;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetStringData(&a_->handle, 1, nullptr, &size));
    EXPECT_EQ(32u, size); // the setting's characters
    char buffer[40];
    memset(buffer, '#', sizeof(buffer));
    size = 31;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetStringData(&a_->handle, 1, buffer, &size));
    EXPECT_EQ(32u, size);
    EXPECT_EQ('#', buffer[0]);
    EXPECT_EQ(DMA_SUCCESS, api_.GetStringData(&a_->handle, 1, buffer, &size));
    EXPECT_STREQ("Printer", buffer);

    size = 0;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetStringDataStrLength(&a_->handle, 1, nullptr, &size));
    EXPECT_EQ(8u, size); // the value's own size
    EXPECT_EQ(DMA_SUCCESS, api_.GetStringDataStrLength(&a_->handle, 1, buffer, &size));
    EXPECT_STREQ("Printer", buffer);

    // 31 characters and the terminator fill dmDeviceName; 32 do not.
    const std::string fits(31, 'x');
    EXPECT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, fits.c_str(), 100));
    EXPECT_EQ(DMA_SUCCESS, api_.SetStringDataStrLength(&a_->handle, 1, fits.c_str(), 0));
    EXPECT_EQ(fits, Read(1));
    // The value ends at the given length; the rest of the place is cleared.
    EXPECT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, "abcdef", 3));
    EXPECT_EQ(u"abc", Stored(1));
    EXPECT_EQ(0, a_->devmode.dm.dmDeviceName[31]);
    // The narrow setting 329 holds ANSI bytes: 31 and a zero.
    EXPECT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 329, fits.c_str(), 31));
    EXPECT_EQ(fits, Read(329));
    EXPECT_EQ(0, memcmp((const BYTE *)&a_->devmode + 680, fits.c_str(), 32));
}

TEST_F(DmaStrings, ProtectedTextsAreStoredEncodedAndNeverReadBack)
{
    struct Case {
        WORD id;
        WORD functionId;
        DWORD limit;
    };
    static const Case kCases[] = {
        {36865, 5159, 13},
        {36866, 5160, 13},
        {36867, 5161, 13},
        {36868, 5175, 13},
        {36869, 1858, 21},
        {36870, 5181, 13},
        {36871, 5182, 13},
        {36872, 5185, 13},
    };
    for (const Case &c : kCases) {
        DWORD size = 0;
        EXPECT_EQ(DMA_MORE_DATA, api_.GetStringData(&a_->handle, c.id, nullptr, &size));
        EXPECT_EQ(c.limit, size);
        char buffer[64];
        size = sizeof(buffer);
        EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetStringData(&a_->handle, c.id, buffer, &size));
        EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetStringDataStrLength(&a_->handle, c.id, buffer, &size));

        // The longest text that fits its place, stored scrambled and encoded.
        std::string plain = c.limit == 21 ? "abcdefghijklmnopqrstu" : "abcdefghijkl";
        ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, c.id, plain.c_str(), c.limit)) << c.id;
        std::u16string stored = Stored(c.functionId);
        EXPECT_EQ((plain.size() + 2) / 3 * 4, stored.size());
        TranscodeRequest decode = {UTIL_TRANSCODE_DECODE, (const WCHAR *)stored.c_str(), nullptr};
        ASSERT_TRUE(util_TranscodeStoredText(&decode));
        EXPECT_EQ(std::u16string(plain.begin(), plain.end()), std::u16string(decode.result));
        GlobalFree(decode.result);

        // Above the limit, or an encoded text that does not fit: -6, nothing changed.
        DmaAreas::Snapshot before;
        a_->save(&before);
        EXPECT_EQ(DMA_TOO_LONG, api_.SetStringData(&a_->handle, c.id, "x", c.limit + 1));
        // One character more, within the limit: 13 characters take 20 encoded ones, more
        // than the 34-byte places hold (16 and a zero).
        std::string longer = plain + "v";
        bool fits = c.limit == 21 || c.functionId == 5160 || c.functionId == 5181;
        EXPECT_EQ(fits ? DMA_SUCCESS : DMA_TOO_LONG, api_.SetStringData(&a_->handle, c.id, longer.c_str(), c.limit))
            << c.id;
        if (!fits) {
            EXPECT_TRUE(a_->same(before)) << c.id;
        }

        EXPECT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, c.id, "", c.limit));
        EXPECT_EQ(u"", Stored(c.functionId));
    }
    // The row-13 identifier of the same place reads the stored text as it is.
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringDataStrLength(&a_->handle, 36865, "abc", 0));
    EXPECT_EQ("ChQW", Read(1063)); // "abc" scrambled with "kvud", in base64
}

TEST_F(DmaStrings, FaxListHeadStrings)
{
    const std::string first(40, 'f');
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 40961, first.c_str(), 100));
    EXPECT_EQ(first, Read(40961));
    EXPECT_EQ(DMA_TOO_LONG, api_.SetStringData(&a_->handle, 40961, (first + "g").c_str(), 100));
    const std::string second(670, 's');
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 40962, second.c_str(), 1000));
    EXPECT_EQ(second, Read(40962));
    EXPECT_EQ(DMA_TOO_LONG, api_.SetStringData(&a_->handle, 40962, (second + "t").c_str(), 1000));
    EXPECT_EQ(first, Read(40961));

    // A head whose strings fill their fields without a terminator is read within them.
    memset(a_->faxList + 18, 'A', 82);
    std::string read = Read(40961);
    EXPECT_EQ(41u, read.size());

    a_->handle.faxList = nullptr;
    DWORD size = 0;
    EXPECT_EQ(DMA_UNKNOWN_ID, api_.GetStringData(&a_->handle, 40961, nullptr, &size));
    EXPECT_EQ(DMA_UNKNOWN_ID, api_.SetStringData(&a_->handle, 40962, "x", 1));
}

TEST_F(DmaStrings, FaxListHeadThroughTheSharedLayout)
{
    // A whole block of two destinations, written through the exports and read by the core.
    std::vector<BYTE> block(sizeof(FaxSendList) + 2 * sizeof(FaxDestination), 0);
    memcpy(block.data(), a_->faxList, 16);
    a_->handle.faxList = block.data();
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 40961, "first", 100));
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 40962, "second", 100));
    ASSERT_EQ(DMA_SUCCESS, api_.SetFaxAddressNum(&a_->handle, 2, FALSE));
    WORD count = 0;
    FaxSendList *list = pd_LoadFaxSendList(nullptr, 0, (DWORD)block.size(), block.data(), &count);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(2, count);
    FaxSendList head;
    ASSERT_TRUE(job_GetFaxListHead(list, &head));
    EXPECT_EQ(std::u16string(u"first"), std::u16string((const char16_t *)head.list1));
    EXPECT_EQ(std::u16string(u"second"), std::u16string((const char16_t *)head.list2));
    pd_FreeFaxSendList(list);

    // A block the core wrote is read through the exports.
    FaxSendList written = {};
    memcpy(written.tag, u"DFAX001", 14);
    written.count = 7;
    memcpy(written.list1, u"core", 8);
    memcpy(written.list2, u"text", 8);
    memcpy(block.data(), &written, sizeof(written));
    EXPECT_EQ("core", Read(40961));
    EXPECT_EQ("text", Read(40962));
    ASSERT_EQ(DMA_SUCCESS, api_.GetFaxAddressNum(block.data(), &count));
    EXPECT_EQ(7, count);
    a_->handle.faxList = a_->faxList;
}

TEST_F(DmaStrings, CodePage932)
{
    qmt_PinAnsiCodePage(932);
    // 31 double-byte characters fill dmDeviceName and need 63 bytes in the ANSI code page.
    std::string kana;
    for (int i = 0; i < 31; i++)
        kana += "\x83\x41";
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, kana.c_str(), 100));
    EXPECT_EQ(31u, Stored(1).size());
    DWORD size = 0;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetStringData(&a_->handle, 1, nullptr, &size));
    EXPECT_EQ(63u, size);
    EXPECT_EQ(kana, Read(1));
    EXPECT_EQ(DMA_TOO_LONG, api_.SetStringData(&a_->handle, 1, (kana + "\x83\x41").c_str(), 100));

    // Bytes that form no text of the code page are refused.
    DmaAreas::Snapshot before;
    a_->save(&before);
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetStringData(&a_->handle, 1, "ab\x83", 3));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetStringDataStrLength(&a_->handle, 19, "\x83", 0));
    EXPECT_TRUE(a_->same(before));
    qmt_PinAnsiCodePage(0);
}

TEST_F(DmaStrings, LogFonts)
{
    DWORD size = 0;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetLogFontData(&a_->handle, 304, nullptr, &size));
    EXPECT_EQ(60u, size);
    size = 5;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetLogFontData(&a_->handle, 304, nullptr, &size));

    LOGFONTA font;
    memset(&font, 0, sizeof(font));
    font.lfHeight = -12;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 0x22;
    strcpy(font.lfFaceName, "Sans");
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetLogFontData(&a_->handle, 304, &font, 59));
    EXPECT_EQ(DMA_TOO_LONG, api_.SetLogFontData(&a_->handle, 304, &font, 61));
    ASSERT_EQ(DMA_SUCCESS, api_.SetLogFontData(&a_->handle, 304, &font, 60));
    const LOGFONTW *stored = (const LOGFONTW *)((const BYTE *)&a_->devmode + 588);
    EXPECT_EQ(-12, stored->lfHeight);
    EXPECT_EQ(0, memcmp(stored->lfFaceName, TEXT("Sans"), 10));

    struct {
        LOGFONTA font;
        char guard[4];
    } out;
    memset(&out, '#', sizeof(out));
    size = 59;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetLogFontData(&a_->handle, 304, &out.font, &size));
    EXPECT_EQ(60u, size);
    ASSERT_EQ(DMA_SUCCESS, api_.GetLogFontData(&a_->handle, 304, &out.font, &size));
    EXPECT_EQ(0, memcmp(&out.font, &font, sizeof(font)));
    EXPECT_EQ(0, memcmp(out.guard, "####", 4));

    // A stored face name of 32 characters comes out in 31 bytes and a zero; under 932 a
    // double-byte character that would not fit whole is left out.
    WCHAR *face = (WCHAR *)((BYTE *)&a_->devmode + 588 + 28);
    for (int i = 0; i < LF_FACESIZE; i++)
        face[i] = 'F';
    ASSERT_EQ(DMA_SUCCESS, api_.GetLogFontData(&a_->handle, 304, &out.font, &size));
    EXPECT_EQ(std::string(31, 'F'), std::string(out.font.lfFaceName));
    qmt_PinAnsiCodePage(932);
    for (int i = 0; i < LF_FACESIZE; i++)
        face[i] = 0x30A2; // one katakana character, two bytes
    ASSERT_EQ(DMA_SUCCESS, api_.GetLogFontData(&a_->handle, 304, &out.font, &size));
    EXPECT_EQ(30u, strlen(out.font.lfFaceName));
    qmt_PinAnsiCodePage(0);

    static const struct {
        WORD id;
        LONG result;
    } kTypes[] = {{1, DMA_IS_STRING}, {40961, DMA_IS_STRING}, {7, DMA_NOT_TEXT}, {600, DMA_UNKNOWN_ID}};
    for (const auto &t : kTypes) {
        size = 60;
        EXPECT_EQ(t.result, api_.GetLogFontData(&a_->handle, t.id, &out.font, &size)) << t.id;
        EXPECT_EQ(t.result, api_.SetLogFontData(&a_->handle, t.id, &font, 60)) << t.id;
    }
    static const struct {
        WORD id;
        LONG result;
    } kTexts[] = {{304, DMA_IS_LOGFONT}, {7, DMA_NOT_TEXT}, {600, DMA_UNKNOWN_ID}};
    for (const auto &t : kTexts) {
        size = 0;
        EXPECT_EQ(t.result, api_.GetStringData(&a_->handle, t.id, nullptr, &size)) << t.id;
        EXPECT_EQ(t.result, api_.SetStringData(&a_->handle, t.id, "x", 1)) << t.id;
        EXPECT_EQ(t.result, api_.GetStringDataStrLength(&a_->handle, t.id, nullptr, &size)) << t.id;
        EXPECT_EQ(t.result, api_.SetStringDataStrLength(&a_->handle, t.id, "x", 0)) << t.id;
    }
}

/* Broken input: each call gets its code, writes no guard byte and changes no area. */
TEST_F(DmaStrings, BrokenInput)
{
    ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, "Printer", 100));
    DmaSettingsSet noAreas = a_->handle;
    noAreas.devmode = nullptr;
    noAreas.printerData = nullptr;
    LOGFONTA font;
    memset(&font, 'F', sizeof(font)); // face name without a terminator
    char buffer[8];
    DWORD size;
    DWORD value;

    struct Case {
        const char *what;
        LONG expected;
        LONG(*call)
        (DmaApi &api, DmaAreas &a, DmaSettingsSet *none, LOGFONTA *font, char *buffer, DWORD *size, DWORD *value);
    };
    static const Case kCases[] = {
        {"get value, no handle",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *v) {
             return api.GetValue(nullptr, 7, v);
         }},
        {"get value, no output",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.GetValue(&a.handle, 7, nullptr);
         }},
        {"set value, no areas",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *n, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetValue(n, 7, 1);
         }},
        {"set block value, no block",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *n, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetValue(n, 897, 1);
         }},
        {"get string, no handle",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *, LOGFONTA *, char *b, DWORD *s, DWORD *) {
             *s = 8;
             return api.GetStringData(nullptr, 1, b, s);
         }},
        {"get string, no size",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *b, DWORD *, DWORD *) {
             return api.GetStringData(&a.handle, 1, b, nullptr);
         }},
        {"get string, short buffer",
         DMA_MORE_DATA,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *b, DWORD *s, DWORD *) {
             *s = 8;
             return api.GetStringData(&a.handle, 1, b, s);
         }},
        {"get string, no buffer and a size",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *s, DWORD *) {
             *s = 8;
             return api.GetStringData(&a.handle, 1, nullptr, s);
         }},
        {"get string by length, short buffer",
         DMA_MORE_DATA,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *b, DWORD *s, DWORD *) {
             *s = 7;
             return api.GetStringDataStrLength(&a.handle, 1, b, s);
         }},
        {"get string, no areas",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *n, LOGFONTA *, char *b, DWORD *s, DWORD *) {
             *s = 8;
             return api.GetStringData(n, 1, b, s);
         }},
        {"set string, no text",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetStringData(&a.handle, 1, nullptr, 4);
         }},
        {"set string by length, no text",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetStringDataStrLength(&a.handle, 1, nullptr, 0);
         }},
        {"set string, too long",
         DMA_TOO_LONG,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetStringData(&a.handle, 19, "0123456789012345678901234567890123", 40);
         }},
        {"set fax text, no text",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetStringData(&a.handle, 40961, nullptr, 4);
         }},
        {"get log font, no handle",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *, LOGFONTA *f, char *, DWORD *s, DWORD *) {
             *s = 60;
             return api.GetLogFontData(nullptr, 304, f, s);
         }},
        {"get log font, short size",
         DMA_MORE_DATA,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *f, char *, DWORD *s, DWORD *) {
             *s = 8;
             return api.GetLogFontData(&a.handle, 304, f, s);
         }},
        {"set log font, no record",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetLogFontData(&a.handle, 304, nullptr, 60);
         }},
        {"set log font, unterminated face name",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *f, char *, DWORD *, DWORD *) {
             return api.SetLogFontData(&a.handle, 304, f, 60);
         }},
        {"set log font, no areas",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *n, LOGFONTA *f, char *, DWORD *, DWORD *) {
             return api.SetLogFontData(n, 304, f, 60);
         }},
        {"fax count, no handle",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.SetFaxAddressNum(nullptr, 1, FALSE);
         }},
        {"fax count, no output",
         DMA_BAD_ARGUMENT,
         [](DmaApi &api, DmaAreas &a, DmaSettingsSet *, LOGFONTA *, char *, DWORD *, DWORD *) {
             return api.GetFaxAddressNum(a.faxList, nullptr);
         }},
    };
    for (const Case &c : kCases) {
        DmaAreas::Snapshot before;
        a_->save(&before);
        struct {
            char text[8];
            char guard[4];
        } out;
        memset(&out, '#', sizeof(out));
        size = 0;
        value = 0;
        EXPECT_EQ(c.expected, c.call(api_, *a_, &noAreas, &font, out.text, &size, &value)) << c.what;
        EXPECT_EQ(0, memcmp(out.guard, "####", 4)) << c.what;
        if (c.expected == DMA_MORE_DATA) {
            EXPECT_EQ('#', out.text[0]) << c.what;
        }
        EXPECT_TRUE(a_->same(before)) << c.what;
    }
    (void)buffer;
}

} // namespace
