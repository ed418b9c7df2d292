/*
 * Print-stream splitter: job header lines, LUMIQ body commands, trailer lines.
 */
#include "tools/lumiq/lumiq_decoder.h"

#include <cstdio>
#include <cstring>

namespace {

// Universal exit: ESC and "%-12345X".
const char kUel[] = "\x1b%-12345X";
const size_t kUelSize = sizeof kUel - 1;

bool IsUelAt(const uint8_t *data, size_t size, size_t pos)
{
    return size - pos >= kUelSize && std::memcmp(data + pos, kUel, kUelSize) == 0;
}

void PutLine(std::string &out, const char *section, size_t offset, const std::string &text)
{
    out += section;
    out += ' ';
    out += std::to_string(offset);
    out += ' ';
    out += text;
    out += '\n';
}

// Text lines from pos: a UEL at a line start is listed on its own; a line ends after
// LF (not listed) or at the end of the input. For the header, stops after the second
// version line and answers its end; kind tells "line" from "version".
size_t ReadTextLines(const uint8_t *data, size_t size, size_t pos, const char *section, bool header, std::string &out,
                     bool &sawVersions)
{
    int versionLines = 0;
    sawVersions = false;
    while (pos < size) {
        if (IsUelAt(data, size, pos)) {
            PutLine(out, section, pos, "UEL");
            pos += kUelSize;
            continue;
        }
        const uint8_t *lf = (const uint8_t *)std::memchr(data + pos, '\n', size - pos);
        size_t end = lf ? (size_t)(lf - data) : size;
        bool version = header && (versionLines > 0 || (end - pos >= 7 && std::memcmp(data + pos, "%QMNQT-", 7) == 0));
        PutLine(out, section, pos, std::string(version ? "version " : "line ") + lqd_QuoteText(data + pos, end - pos));
        pos = lf ? end + 1 : end;
        if (version && ++versionLines == 2) {
            sawVersions = true;
            return pos;
        }
    }
    return pos;
}

} // namespace

bool lqd_DumpStream(const uint8_t *data, size_t size, const LqdOptions &options, std::string &out, LqdError &error)
{
    size_t pos = 0;
    if (options.hasOffset) {
        if (options.offset > size) {
            error.offset = options.offset;
            error.reason = "offset past the end of the input (" + std::to_string(size) + " bytes)";
            return false;
        }
        pos = options.offset;
    } else if (!options.bodyOnly) {
        bool sawVersions = false;
        pos = ReadTextLines(data, size, 0, "header", true, out, sawVersions);
        if (!sawVersions) {
            error.offset = pos;
            error.reason = "job header ends without its two version lines";
            return false;
        }
    }
    while (pos < size) {
        if (IsUelAt(data, size, pos)) {
            bool unused = false;
            ReadTextLines(data, size, pos, "trailer", false, out, unused);
            pos = size;
            break;
        }
        std::string line;
        size_t next = pos;
        if (!lqd_DecodeCommand(data, size, pos, line, next, error))
            return false;
        PutLine(out, "body", pos, line);
        pos = next;
    }
    out += "end " + std::to_string(size) + "\n";
    return true;
}
