/*
 * One destination's job-attribute line: golden lines of every element case in both forms,
 * with and without the frame, the element limits, the capacity and the encoded texts
 * under two code pages.
 */
#include "core/faxlist/fax_list.h"

#include "core/faxlist/tests/fax_fixture.h"
#include "core/util/codepage_text.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string.h>

#include <functional>
#include <string>

namespace {

using fax_test::SetText;

/* A destination of the number with elements: no prefix, neither element 1 nor 4. */
FaxDestination Entry()
{
    FaxDestination entry;
    memset(&entry, 0, sizeof(entry));
    entry.entryForm = 2;
    SetText(entry.number, 129, "0123456");
    return entry;
}

FaxDialSettings Dial()
{
    FaxDialSettings dial;
    memset(&dial, 0, sizeof(dial));
    SetText(dial.prefix1, 6, "9");
    dial.prefix1Switch = 1;
    SetText(dial.prefix2, 6, "88");
    return dial;
}

struct Line {
    BOOL ok;
    LONG length;
    std::string text;
};

Line Format(DWORD form, const FaxDestination &entry, DWORD frame = 0, DWORD quoteWidth = 0, DWORD capacity = 512,
            const FaxDialSettings &dial = Dial())
{
    char out[600];
    memset(out, 0x7E, sizeof(out));
    Line line;
    line.length = 1234;
    line.ok = job_FormatFaxAttribute(form, &entry, &dial, capacity, frame, nullptr, out, &line.length, quoteWidth);
    if (line.ok)
        line.text = std::string(out);
    return line;
}

/* The stored-text encoding of a wide text, as ASCII. */
std::string Encoded(const WCHAR *plain)
{
    TranscodeRequest request = {UTIL_TRANSCODE_ENCODE, plain, nullptr};
    EXPECT_TRUE(util_TranscodeStoredText(&request));
    std::string text;
    for (const WCHAR *p = request.result; *p; ++p)
        text += (char)*p;
    GlobalFree(request.result);
    return text;
}

TEST(FaxLine, GoldenLines)
{
    struct Case {
        const char *why;
        std::function<void(FaxDestination &)> change;
        DWORD form;
        const char *line; /* without "\r\n"; NULL: the line fails */
    };
    const Case cases[] = {
        {"the number alone, quoted, no braces", [](FaxDestination &e) { e.entryForm = 1; }, 1, "@FANU='0123456'"},
        {"the number alone in form 2", [](FaxDestination &e) { e.entryForm = 1; }, 2, "@FAEN='0123456'"},
        {"no prefix, its switch off", [](FaxDestination &) {}, 1, "@FANU=0123456{20}{30}"},
        {"the first prefix, its switch on",
         [](FaxDestination &e) { e.prefixSelector = 2; },
         1,
         "@FANU=90123456{21}{30}"},
        {"the second prefix, its switch off",
         [](FaxDestination &e) { e.prefixSelector = 1; },
         1,
         "@FANU=880123456{20}{30}"},
        {"another selector is no prefix", [](FaxDestination &e) { e.prefixSelector = 3; }, 1, "@FANU=0123456{20}{30}"},
        {"element 3 of 1", [](FaxDestination &e) { e.element3 = 1; }, 1, "@FANU=0123456{20}{32}"},
        {"element 3 of 2", [](FaxDestination &e) { e.element3 = 2; }, 2, "@FAEN=0123456{20}{34}"},
        {"element 3 of 3 fails", [](FaxDestination &e) { e.element3 = 3; }, 1, nullptr},
        {"element 1 with its flag and the list 1,23",
         [](FaxDestination &e) {
             e.elementSelector = 2;
             e.element1Number = 34;
             e.element1Flag = 1;
             SetText(e.element1List, 60, "1,23");
         },
         1,
         "@FANU=0123456{10034100010023}{20}{30}"},
        {"element 1 without flag and the list 123 fails",
         [](FaxDestination &e) {
             e.elementSelector = 2;
             SetText(e.element1List, 60, "123");
         },
         1,
         nullptr},
        {"element 1 with the list , fails",
         [](FaxDestination &e) {
             e.elementSelector = 2;
             SetText(e.element1List, 60, ",");
         },
         1,
         nullptr},
        {"element 1 with an empty list",
         [](FaxDestination &e) {
             e.elementSelector = 2;
             e.element1Number = 7;
             e.element1Flag = 2;
         },
         1,
         "@FANU=0123456{100070}{20}{30}"},
        {"element 1 with the list a,bc,d and a five-digit number",
         [](FaxDestination &e) {
             e.elementSelector = 2;
             e.element1Number = 12345;
             SetText(e.element1List, 60, "a,bc,d");
         },
         1,
         "@FANU=0123456{1123450000a00bc000d}{20}{30}"},
        {"element 4 plain in form 1",
         [](FaxDestination &e) {
             e.elementSelector = 1;
             e.element4Number = 12;
             SetText(e.element4Text, 9, "abc");
         },
         1,
         "@FANU=0123456{40012abc}{20}{30}"},
        {"elements 5 and 6 plain in form 1",
         [](FaxDestination &e) {
             SetText(e.element5Text, 21, "five");
             SetText(e.element6Text, 21, "six");
         },
         1,
         "@FANU=0123456{20}{30}{5five}{6six}"},
        {"an empty number still opens the line",
         [](FaxDestination &e) { SetText(e.number, 129, ""); },
         1,
         "@FANU={20}{30}"},
        {"element 5 alone",
         [](FaxDestination &e) { SetText(e.element5Text, 21, "five"); },
         2,
         "@FAEN=0123456{20}{30}{5five}"},
    };
    for (const Case &c : cases) {
        FaxDestination entry = Entry();
        c.change(entry);
        Line plain = Format(c.form, entry);
        if (c.line == nullptr) {
            EXPECT_FALSE(plain.ok) << c.why;
            EXPECT_EQ(0, plain.length) << c.why;
            continue;
        }
        std::string expected = std::string(c.line) + "\r\n";
        EXPECT_TRUE(plain.ok) << c.why;
        EXPECT_EQ(expected, plain.text) << c.why;
        EXPECT_EQ((LONG)expected.size(), plain.length) << c.why;
        /* The frame: 18 characters before, the closing quotation mark after the elements. */
        Line framed = Format(c.form, entry, 1);
        std::string framedText = "@PJL SET JOBATTR=\"" + std::string(c.line) + "\"\r\n";
        EXPECT_EQ(framedText, framed.text) << c.why;
        EXPECT_EQ((LONG)expected.size() + 19, framed.length) << c.why;
    }

    /* The encoded form of texts 1813 and 1818 is the stored-text encoding. */
    FaxDestination entry = Entry();
    entry.elementSelector = 1;
    entry.element4Number = 12;
    SetText(entry.element4Text, 9, "abc");
    SetText(entry.element6Text, 21, "six");
    EXPECT_EQ("@FAEN=0123456{40012" + Encoded(TEXT("abc")) + "}{20}{30}{6" + Encoded(TEXT("six")) + "}\r\n",
              Format(2, entry).text);
    EXPECT_EQ("@FANU=0123456{40012abc}{20}{30}{6six}\r\n", Format(1, entry).text);
}

TEST(FaxLine, TheNumberPaddedToFourWithQuoteWidth1)
{
    FaxDestination entry = Entry();
    entry.entryForm = 1;
    SetText(entry.number, 129, "12");
    EXPECT_EQ("@FANU='0012'\r\n", Format(1, entry, 0, 1).text);
    EXPECT_EQ("@FANU='12'\r\n", Format(1, entry, 0, 0).text);
    SetText(entry.number, 129, "12345");
    EXPECT_EQ("@FANU='12345'\r\n", Format(1, entry, 0, 1).text);
}

TEST(FaxLine, SizeQueryAnswersCounterA)
{
    FaxDestination entry = Entry();
    entry.elementSelector = 1;
    entry.element4Number = 12;
    SetText(entry.element4Text, 9, "abcdefgh");
    SetText(entry.element5Text, 21, "five");
    FaxDialSettings dial = Dial();
    LONG length = 0;
    /* "0123456" 7, "{40012abcdefgh}" 15, "{20}{30}" 8: the plain text in both forms. */
    for (DWORD form : {1u, 2u}) {
        ASSERT_TRUE(job_FormatFaxAttribute(form, &entry, &dial, 0, 0, nullptr, nullptr, &length, 0));
        EXPECT_EQ(30, length);
    }
    /* Texts taken as already encoded are emitted as they are and counted decoded. */
    FaxDestination given = entry;
    SetText(given.element6Text, 21, Encoded(TEXT("six")));
    std::string shortText = Encoded(TEXT("ab"));
    SetText(given.element4Text, 9, shortText);
    int marker = 1;
    ASSERT_TRUE(job_FormatFaxAttribute(2, &given, &dial, 0, 0, &marker, nullptr, &length, 0));
    EXPECT_EQ(7 + 9 + 8, length);
    char out[256];
    ASSERT_TRUE(job_FormatFaxAttribute(2, &given, &dial, sizeof(out), 0, &marker, out, &length, 0));
    EXPECT_EQ("@FAEN=0123456{40012" + shortText + "}{20}{30}{5five}{6" + Encoded(TEXT("six")) + "}\r\n",
              std::string(out));
}

TEST(FaxLine, LimitsAndCapacity)
{
    /* A below 129: the number element and 8 for elements 2 and 3. */
    FaxDestination entry = Entry();
    SetText(entry.number, 129, std::string(120, '5'));
    EXPECT_TRUE(Format(1, entry).ok);
    SetText(entry.number, 129, std::string(121, '5'));
    Line over = Format(1, entry);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(-1, over.length);

    /* B below 47: elements 5 and 6 of 20 characters give 46, of 21 (no terminator) 47. */
    entry = Entry();
    SetText(entry.element5Text, 21, std::string(20, 'x'));
    SetText(entry.element6Text, 21, std::string(20, 'y'));
    Line framed = Format(2, entry, 1);
    ASSERT_TRUE(framed.ok);
    EXPECT_EQ((LONG)framed.text.size(), framed.length);
    EXPECT_EQ("@PJL SET JOBATTR=\"@FAEN=0123456{20}{30}{5" + std::string(20, 'x') + "}{6" +
                  Encoded((const WCHAR *)std::u16string(20, u'y').c_str()) + "}\"\r\n",
              framed.text);
    SetText(entry.element5Text, 21, std::string(21, 'x'));
    over = Format(2, entry, 1);
    EXPECT_FALSE(over.ok);
    EXPECT_EQ(-1, over.length);

    /* An unterminated field ends at its end. */
    entry = Entry();
    SetText(entry.element5Text, 21, std::string(21, 'x'));
    SetText(entry.element6Text, 21, "y");
    EXPECT_EQ("@FANU=0123456{20}{30}{5" + std::string(21, 'x') + "}{6y}\r\n", Format(1, entry).text);

    /* The line with the encoded texts at their limits fits a capacity of its length and
     * its terminator, and not one byte less: then nothing is written. */
    entry = Entry();
    SetText(entry.element5Text, 21, std::string(20, 'x'));
    SetText(entry.element6Text, 21, std::string(20, 'y'));
    FaxDialSettings dial = Dial();
    DWORD exact = (DWORD)framed.length + 1;
    char out[16 + 600 + 16];
    for (DWORD capacity : {exact, exact - 1}) {
        memset(out, 0x7E, sizeof(out));
        LONG length = 77;
        BOOL ok = job_FormatFaxAttribute(2, &entry, &dial, capacity, 1, nullptr, out + 16, &length, 0);
        if (capacity == exact) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(framed.text, std::string(out + 16));
            EXPECT_EQ(framed.length, length);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(0, length);
            EXPECT_EQ('\x7E', out[16]);
        }
        for (DWORD i = 16 + capacity; i < sizeof(out); ++i)
            ASSERT_EQ('\x7E', out[i]) << capacity;
        for (DWORD i = 0; i < 16; ++i)
            ASSERT_EQ('\x7E', out[i]);
    }
}

TEST(FaxLine, BadInputFails)
{
    FaxDestination entry = Entry();
    FaxDialSettings dial = Dial();
    char out[64];
    LONG length = 5;
    EXPECT_FALSE(job_FormatFaxAttribute(3, &entry, &dial, sizeof(out), 0, nullptr, out, &length, 0));
    EXPECT_EQ(0, length);
    EXPECT_FALSE(job_FormatFaxAttribute(1, nullptr, &dial, sizeof(out), 0, nullptr, out, &length, 0));
    EXPECT_FALSE(job_FormatFaxAttribute(1, &entry, nullptr, sizeof(out), 0, nullptr, out, &length, 0));
    EXPECT_FALSE(job_FormatFaxAttribute(1, &entry, &dial, sizeof(out), 0, nullptr, out, nullptr, 0));
}

TEST(FaxLine, EncodedTextsDecodeBackUnderTheirCodePage)
{
    struct Case {
        UINT codePage;
        const char16_t *text4;
        const char16_t *text6;
    };
    const Case cases[] = {
        {1252, u"\u00fcber", u"Stra\u00dfe \u00e9t\u00e9"},
        {932, u"\u65e5\u672c", u"\u6771\u4eac\u90fd \u30c6\u30b9\u30c8"},
    };
    for (const Case &c : cases) {
        qmt_PinAnsiCodePage(c.codePage);
        FaxDestination entry = Entry();
        entry.elementSelector = 1;
        memcpy(entry.element4Text, c.text4, std::char_traits<char16_t>::length(c.text4) * 2);
        memcpy(entry.element6Text, c.text6, std::char_traits<char16_t>::length(c.text6) * 2);
        Line line = Format(2, entry);
        ASSERT_TRUE(line.ok) << c.codePage;
        /* "{40000<text 1813>}" and "{6<text 1818>}" */
        size_t at4 = line.text.find("{40000") + 6;
        size_t at6 = line.text.find("{6") + 2;
        const struct {
            std::string encoded;
            const char16_t *plain;
        } texts[] = {{line.text.substr(at4, line.text.find('}', at4) - at4), c.text4},
                     {line.text.substr(at6, line.text.find('}', at6) - at6), c.text6}};
        for (const auto &t : texts) {
            std::u16string wide(t.encoded.begin(), t.encoded.end());
            TranscodeRequest request = {UTIL_TRANSCODE_DECODE, (const WCHAR *)wide.c_str(), nullptr};
            ASSERT_TRUE(util_TranscodeStoredText(&request)) << c.codePage;
            EXPECT_EQ(std::u16string(t.plain), std::u16string((const char16_t *)request.result)) << c.codePage;
            GlobalFree(request.result);
        }
        /* The plain form carries the texts in the code page. */
        Line plain = Format(1, entry);
        ASSERT_TRUE(plain.ok);
        char *text4 = nullptr;
        ASSERT_TRUE(util_WideToAnsiAlloc(&text4, (const WCHAR *)c.text4, nullptr));
        EXPECT_NE(std::string::npos, plain.text.find(std::string("{40000") + text4 + "}")) << c.codePage;
        GlobalFree(text4);
    }
    qmt_PinAnsiCodePage(0);
}

} // namespace
