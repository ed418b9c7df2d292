/*
 * lumiqdump: lists a print stream as job header, LUMIQ commands and trailer.
 */
#include "tools/lumiq/glyph_records.h"
#include "tools/lumiq/lumiq_decoder.h"
#include "tools/lumiqdump/image_listing.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const char kHelp[] =
    "usage: lumiqdump [--offset N | --body-only] [--images | --glyphs] <file>\n"
    "\n"
    "Lists a print stream one item per line, each line \"<section> <offset> <text>\"\n"
    "with the byte offset in decimal:\n"
    "  header <o> UEL               universal exit (ESC \"%-12345X\")\n"
    "  header <o> line \"<text>\"     a job header line (PJL), without its LF\n"
    "  header <o> version \"<text>\"  one of the two version lines that end the header\n"
    "  body <o> <opcode> <fields>   one LUMIQ command with its operands in stream order\n"
    "  trailer <o> UEL | trailer <o> line \"<text>\"   from the UEL after the body on\n"
    "  end <size>\n"
    "Command fields: integers in decimal (s16 signed, u8/u16/u32 unsigned), floats as\n"
    "printf \"%.9g\", svar deltas in decimal, colour bytes as #hex in stream order, raw\n"
    "bytes as <n>:hex (first 64 bytes and \"...\" when longer), strings quoted with\n"
    "\\\" \\\\ and \\xNN escapes. Character codes of text commands are u16 decimal; the\n"
    "ANSI text of a cover-page Dd is a quoted string. A glyph record after DH/DL/DE/De is\n"
    "listed as \"glyph 0x<header> <size>\"; image data after Cq/Cp as \"mask\"/\"data\" and bytes.\n"
    "\n"
    "  --offset N   the LUMIQ body starts at byte N (no job header is read)\n"
    "  --body-only  the file is a LUMIQ body alone (same as --offset 0)\n"
    "  --images     lists only the image commands, one line each:\n"
    "                 image <o> Cq <W>x<H> type <t> method <m> palette <entries> <bytes>\n"
    "                   mask <n> data <n> (crc <hex> | jpeg <W>x<H> components <c> | opaque)\n"
    "                 image <o> Cp <W>x<H> data <n> crc <hex>\n"
    "               with the CRC-32 of the decoded rows (methods 1 and 8)\n"
    "  --glyphs     lists only the glyph records, one line each:\n"
    "                 glyph <o> <opcode> bitmap header 0x<h> size <n> <W>x<H> rowbytes <b> [compressed]\n"
    "                 glyph <o> <opcode> outline header 0x<h> size <n> points <p> ops <o>\n"
    "                   (float | short) [hint] [bold]\n"
    "               and fails (exit code 1) at a record whose padding does not end exactly\n"
    "               at the size its header gives\n"
    "  --help       this text\n"
    "\n"
    "Broken input (a truncated command, an unknown opcode, a count or glyph record past\n"
    "the end, a glyph size below its header, a header without version lines) ends the\n"
    "listing with \"lumiqdump: offset <o>: <reason>\" on standard error and exit code 1.\n"
    "Usage errors exit with 2.\n";

// ReadWholeFile: the file's bytes into data. Returns false with errno set on failure.
static bool ReadWholeFile(const char *path, std::vector<uint8_t> &data)
{
    FILE *file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    uint8_t chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.insert(data.end(), chunk, chunk + n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// ParseOffset: a decimal byte offset. Returns false when text is not one.
static bool ParseOffset(const char *text, size_t &offset)
{
    if (*text < '0' || *text > '9')
        return false;
    char *end = nullptr;
    errno = 0;
    unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > (size_t)-1)
        return false;
    offset = (size_t)value;
    return true;
}

static int Usage(const char *message)
{
    std::fprintf(stderr, "lumiqdump: %s\n%s", message, kHelp);
    return 2;
}

int main(int argc, char **argv)
{
    LqdOptions options;
    bool images = false;
    bool glyphs = false;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--images") == 0) {
            images = true;
        } else if (std::strcmp(argv[i], "--glyphs") == 0) {
            glyphs = true;
        } else if (std::strcmp(argv[i], "--body-only") == 0) {
            options.bodyOnly = true;
        } else if (std::strcmp(argv[i], "--offset") == 0) {
            if (i + 1 >= argc || !ParseOffset(argv[i + 1], options.offset))
                return Usage("--offset needs a decimal byte offset");
            options.hasOffset = true;
            ++i;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            return Usage("unknown option");
        } else if (path == nullptr) {
            path = argv[i];
        } else {
            return Usage("one file only");
        }
    }
    if (path == nullptr)
        return Usage("no file given");
    if (options.bodyOnly && options.hasOffset)
        return Usage("--offset and --body-only exclude each other");
    if (images && glyphs)
        return Usage("--images and --glyphs exclude each other");
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data)) {
        std::fprintf(stderr, "lumiqdump: %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    std::string out;
    LqdError error;
    bool ok = lqd_DumpStream(data.data(), data.size(), options, out, error);
    if (glyphs) {
        std::string listed;
        LqdError glyphError;
        if (!lqd_ListGlyphs(data.data(), data.size(), out, listed, glyphError) && ok) {
            ok = false;
            error = glyphError;
        }
        out = listed;
    }
    std::fputs(images ? ListImages(data.data(), data.size(), out).c_str() : out.c_str(), stdout);
    if (!ok) {
        std::fflush(stdout);
        std::fprintf(stderr, "lumiqdump: offset %zu: %s\n", error.offset, error.reason.c_str());
        return 1;
    }
    return 0;
}
