/*
 * The fax destination lines of the fax sibling's header: one line per destination of the
 * range, in the plain and the encoded kind, framed as the model's other wrapped lines.
 */
#include "core/jobtext/tests/jobtext_test_support.h"

#include "core/faxlist/fax_list.h"
#include "core/faxlist/tests/fax_fixture.h"
#include "core/settings/settings.h"
#include "core/util/codepage_text.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

using namespace jobtext_test;
using fax_test::Bytes;
using fax_test::PutTextAt;
using fax_test::PutWordAt;

/* The fax sibling: model class 2 (stored as 1), PJL wrapping; kind 2 adds flag 0x40000000. */
std::unique_ptr<Model> FaxSibling(bool kind2)
{
    return OpenSample({{"23: 2                     # model class", "23: 1                     # model class"},
                       {"26: 0x00400001", kind2 ? "26: 0x40440001" : "26: 0x00440001"}});
}

/* Three destinations: the number alone; the first prefix with element 4; no prefix with
 * element 1 and elements 5 and 6. */
Bytes ThreeDestinations()
{
    Bytes first(742, 0);
    PutWordAt(first, 0, 1);
    PutTextAt(first, 2, "0301");
    Bytes second(742, 0);
    PutWordAt(second, 0, 2);
    PutTextAt(second, 2, "555123");
    PutWordAt(second, 260, 2);
    PutWordAt(second, 510, 1);
    PutWordAt(second, 512, 1);
    PutWordAt(second, 514, 7);
    PutTextAt(second, 516, "code");
    Bytes third(742, 0);
    PutWordAt(third, 0, 2);
    PutTextAt(third, 2, "777");
    PutWordAt(third, 510, 2);
    PutWordAt(third, 512, 2);
    PutWordAt(third, 534, 3);
    PutWordAt(third, 536, 1);
    PutTextAt(third, 538, "4,56");
    PutTextAt(third, 658, "Ann");
    PutTextAt(third, 700, "Dept");
    return fax_test::BlockBytes({first, second, third});
}

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

TEST(JobFaxLines, TheFaxSiblingWritesOneLinePerDestination)
{
    qmt_PinUserName(TEXT("alice"));
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 31;
    t.wHour = 23;
    t.wMinute = 58;
    qmt_PinClock(&t);
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(12, 3);
    areas->set(16, 2);
    areas->set(18, 1);
    areas->set(410, 9);
    areas->set(451, 23);
    areas->set(452, 59);
    areas->set(274, 1);
    areas->set_text(FID_FAX_PREFIX1, TEXT("0"));
    areas->set(FID_FAX_PREFIX1_ON, 1);
    areas->set_text(FID_FAX_PREFIX2, TEXT("00"));
    areas->set(FID_FAX_NO_PREFIX, 0);
    Bytes block = ThreeDestinations();

    const std::string plainLines = "@PJL SET JOBATTR=\"@FANU='0301'\"\r\n"
                                   "@PJL SET JOBATTR=\"@FANU=0555123{40007code}{21}{32}\"\r\n"
                                   "@PJL SET JOBATTR=\"@FANU=777{10003100040056}{20}{34}{5Ann}{6Dept}\"\r\n";
    const std::string encodedLines = "@PJL SET JOBATTR=\"@FAEN='0301'\"\r\n"
                                     "@PJL SET JOBATTR=\"@FAEN=0555123{40007" +
                                     Encoded(TEXT("code")) +
                                     "}{21}{32}\"\r\n"
                                     "@PJL SET JOBATTR=\"@FAEN=777{10003100040056}{20}{34}{5Ann}{6" +
                                     Encoded(TEXT("Dept")) + "}\"\r\n";
    for (bool kind2 : {false, true}) {
        auto model = FaxSibling(kind2);
        JobAttrContext context = Context(*areas, 4096);
        context.fax.first = 0;
        context.fax.last = 2;
        context.fax.list = (const FaxSendList *)block.data();
        Built built = Build(*model, *areas, &context);
        ASSERT_GT(built.status, 0) << kind2;
        EXPECT_EQ(kUel +
                      "@PJL JOB NAME=\"Model 50 job\"\n"
                      "@PJL SET JOBATTR=\"@JOAU=alice\"\n"
                      "@PJL SET JOBATTR=\"@CNUM=3\"\n"
                      "@PJL SET DUPLEX=2\n"
                      "@PJL SET JOBATTR=\"@PSIZ=A4\"\n" +
                      (kind2 ? encodedLines : plainLines) +
                      "@PJL SET JOBATTR=\"@DLPT=2026:12:31:23:59\"\n"
                      "@PJL SET STAPLE=1\n",
                  built.text)
            << kind2;

        /* One destination of the range, and a range beyond the list. */
        context.fax.first = context.fax.last = 1;
        built = Build(*model, *areas, &context);
        EXPECT_NE(std::string::npos, built.text.find(kind2 ? "@FAEN=0555123" : "@FANU=0555123"));
        EXPECT_EQ(std::string::npos, built.text.find("0301"));
        context.fax.first = 2;
        context.fax.last = 3;
        EXPECT_EQ(JOB_E_OUTSIDE, Build(*model, *areas, &context).status);
    }
    qmt_PinUserName(nullptr);
    qmt_PinClock(nullptr);
}

} // namespace
