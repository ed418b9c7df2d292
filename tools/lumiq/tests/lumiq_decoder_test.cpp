/*
 * The stream reader on whole jobs and on broken input: every fault names its offset and
 * reason, and nothing past the input is read (the inputs are exact-size heap copies, so
 * the sanitizer build catches any read beyond them).
 */
#include "tools/lumiq/lumiq_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bytes from hex text with spaces; text in single quotes is taken as it stands.
std::vector<uint8_t> Bytes(const std::string &text)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text[i] == '\'') {
            size_t end = text.find('\'', i + 1);
            out.insert(out.end(), text.begin() + (long)i + 1, text.begin() + (long)end);
            i = end + 1;
        } else {
            out.push_back((uint8_t)std::stoul(text.substr(i, 2), nullptr, 16));
            i += 2;
        }
    }
    return out;
}

const char kHeader[] = "1b '%-12345X@PJL SET JOBATTR=\"X\"' 0a '%QMNQT-1.5.1%' 0a"
                       " '%WINNT-5.1,NQTDRV-2704.1%' 0a";

TEST(LumiqDecoder, SplitsHeaderBodyAndTrailer)
{
    std::vector<uint8_t> job = Bytes(std::string(kHeader) + " 45 41 03 41 45 02 44 4c 0001"
                                                            " 00400006 1111 1b '%-12345X@EOJO' 0a");
    std::string out;
    LqdError error;
    ASSERT_TRUE(lqd_DumpStream(job.data(), job.size(), LqdOptions(), out, error)) << error.reason;
    EXPECT_EQ(out,
              "header 0 UEL\n"
              "header 9 line \"@PJL SET JOBATTR=\\\"X\\\"\"\n"
              "header 30 version \"%QMNQT-1.5.1%\"\n"
              "header 44 version \"%WINNT-5.1,NQTDRV-2704.1%\"\n"
              "body 70 EA 3\n"
              "body 73 AE 2\n"
              "body 76 DL 1 glyph 0x00400006 6\n"
              "trailer 86 UEL\n"
              "trailer 95 line \"@EOJO\"\n"
              "end 101\n");

    // The same body read alone and from an offset.
    LqdOptions fromOffset;
    fromOffset.hasOffset = true;
    fromOffset.offset = 70;
    out.clear();
    ASSERT_TRUE(lqd_DumpStream(job.data(), job.size(), fromOffset, out, error));
    EXPECT_EQ(out.substr(0, out.find('\n')), "body 70 EA 3");
    std::vector<uint8_t> body(job.begin() + 70, job.begin() + 86);
    LqdOptions bodyOnly;
    bodyOnly.bodyOnly = true;
    out.clear();
    ASSERT_TRUE(lqd_DumpStream(body.data(), body.size(), bodyOnly, out, error));
    EXPECT_EQ(out, "body 0 EA 3\nbody 3 AE 2\nbody 6 DL 1 glyph 0x00400006 6\nend 16\n");
}

// The cover-page text block: Dd with one advance per character and ANSI text of odd
// length, read by its length fields.
TEST(LumiqDecoder, CoverPageTextIsReadByItsLengthFields)
{
    std::vector<uint8_t> body = Bytes("44 64 3f800000 40000000 02 0002 3f000000 3f000000 0003"
                                      " 41 82a0 42 43");
    std::string line;
    size_t next = 0;
    LqdError error;
    ASSERT_TRUE(lqd_DecodeCommand(body.data(), body.size(), 0, line, next, error)) << error.reason;
    EXPECT_EQ(line, "Dd 1 2 2 2 0.5 0.5 3 \"A\\x82\\xa0\"");
    EXPECT_EQ(next, body.size() - 2);
}

TEST(LumiqDecoder, BrokenInputNamesOffsetAndReason)
{
    const struct {
        const char *what;
        const char *bytes;
        size_t offset;
        const char *reason;
    } cases[] = {
        {"truncated command", "41 42 0001 00", 4, "truncated AB"},
        {"truncated opcode", "41 45 02 41", 3, "truncated opcode"},
        {"unknown opcode", "41 45 02 5a 5a", 3, "unknown opcode 0x5a5a"},
        {"count past the end", "41 56 09 08 0002 000a 0000", 8, "truncated AV"},
        {"points past the end", "42 50 0003 0001 0002", 8, "truncated BP"},
        {"glyph size below its header", "44 48 00001000 00400002", 6, "below its 4-byte header"},
        {"outline size below its header", "44 4c 0001 3fc00000", 4, "below its 4-byte header"},
        {"glyph past the end", "44 48 00001000 00400010 1111", 6, "runs past the end"},
        {"colour type", "41 4d 02 05 ff", 4, "colour type 5"},
        {"image source kind",
         "43 71 00000000 00000000 00000000 00000000 00000000 00000000"
         " 00000000 00000000 0001 0001 01 03",
         39,
         "source kind 3"},
        {"image data past the end",
         "43 71 00000000 00000000 00000000 00000000 00000000 00000000"
         " 00000000 00000000 0001 0001 01 02 04 00 08 01 00000010 ff",
         48,
         "truncated Cq"},
        {"svar too long", "42 30 0001 ff ff ff ff ff", 4, "svar longer than 5 bytes"},
        {"text form byte", "44 43 0000 0000 02", 6, "form byte 2"},
        {"odd text length", "44 43 0000 0000 01 0000 0003 0041", 9, "odd text byte length"},
        {"odd doubled position count", "44 46 0000 0000 02 03 0003", 8, "odd position count"},
        {"comment past the end", "45 50 05 6869", 3, "truncated EP"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> body = Bytes(c.bytes);
        LqdOptions bodyOnly;
        bodyOnly.bodyOnly = true;
        std::string out;
        LqdError error;
        EXPECT_FALSE(lqd_DumpStream(body.data(), body.size(), bodyOnly, out, error));
        EXPECT_EQ(error.offset, c.offset) << error.reason;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << error.reason;
    }
}

TEST(LumiqDecoder, HeaderWithoutVersionLinesIsRefused)
{
    std::vector<uint8_t> job = Bytes("1b '%-12345X@PJL SET JOBATTR=\"X\"' 0a '%QMNQT-1.5.1%' 0a");
    std::string out;
    LqdError error;
    EXPECT_FALSE(lqd_DumpStream(job.data(), job.size(), LqdOptions(), out, error));
    EXPECT_NE(error.reason.find("version lines"), std::string::npos);
    LqdOptions pastEnd;
    pastEnd.hasOffset = true;
    pastEnd.offset = job.size() + 1;
    EXPECT_FALSE(lqd_DumpStream(job.data(), job.size(), pastEnd, out, error));
}

// Every cut of a valid body either ends at a command boundary or fails cleanly.
TEST(LumiqDecoder, EveryTruncationFailsWithinTheInput)
{
    std::vector<uint8_t> full = Bytes("41 48 06 fffe 02 0003 0004 41 4f 0001 0002 01 03 80 01 0009 0002 ff800100"
                                      " 42 30 0002 8040 c040 00 41 44 44 0001 0002 02 0001 0005 0004 0041 0042"
                                      " 44 45 0001 0002 03 0000 0007 0009 00000008 22222222 45 67 0002 6869"
                                      " 3f800000 00000000 00000000 3f800000 00000000 00000000 02 51 3f800000 40000000"
                                      " 43 70 3f800000 40000000 0008 0002 01 3f800000 00000000 00000000 3f800000"
                                      " 00000000 00000000 00000002 ff00");
    LqdOptions bodyOnly;
    bodyOnly.bodyOnly = true;
    // Command boundaries from the listing of the whole body.
    std::string listing;
    LqdError fullError;
    ASSERT_TRUE(lqd_DumpStream(full.data(), full.size(), bodyOnly, listing, fullError));
    std::vector<size_t> boundaries;
    for (size_t at = 0; (at = listing.find("body ", at)) != std::string::npos; at += 5)
        boundaries.push_back(std::stoul(listing.substr(at + 5)));
    ASSERT_EQ(boundaries.size(), 7u);
    boundaries.push_back(full.size());
    for (size_t cut = 0; cut <= full.size(); ++cut) {
        std::vector<uint8_t> part(full.begin(), full.begin() + (long)cut);
        std::string out;
        LqdError error;
        bool ok = lqd_DumpStream(part.data(), part.size(), bodyOnly, out, error);
        bool boundary = false;
        for (size_t b : boundaries)
            boundary |= b == cut;
        EXPECT_EQ(ok, boundary) << "cut at " << cut << ": " << error.reason;
        if (!ok) {
            EXPECT_LE(error.offset, cut);
        }
    }
}

} // namespace
