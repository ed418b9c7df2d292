/*
 * Reader of LUMIQ print streams for tests and the lumiqdump tool. Written from the
 * command table on its own, sharing nothing with the render driver's encoder, so that a
 * stream read back here checks what the encoder wrote.
 *
 * Listing line of one command: the two-letter opcode, then every field in stream
 * order, separated by single spaces:
 * s8/s16 signed decimal; u8/u16/u32 unsigned decimal; float printf "%.9g";
 * svar signed decimal; colour bytes "#" and lowercase hex in stream order;
 * raw bytes "<n>:" and lowercase hex (above 64 bytes the first 64 and "...");
 * text bytes in double quotes, with \" \\ and \xNN for bytes outside 0x20..0x7E;
 * text codes as u16 decimal, except a cover-page Dd (ANSI bytes, one advance per
 * character) whose text is listed as text;
 * a glyph record after DH/DL/DE/De as "glyph 0x<header, 8 hex digits> <size>";
 * image and mask-image data after Cq/Cp as "data" or "mask" and raw bytes.
 */
#ifndef QM_TESTING_LUMIQ_LUMIQ_DECODER_H
#define QM_TESTING_LUMIQ_LUMIQ_DECODER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct LqdError {
    size_t offset = 0;  // where the input broke
    std::string reason; // what was wrong there
};

// lqd_DecodeCommand: decodes the one command that starts at data[pos].
//   data, size  in   the whole input; nothing at or past data + size is read
//   pos         in   offset of the command's opcode
//   line        out  the listing line (on failure: what was read so far)
//   next        out  offset just after the command and its payload
//   error       out  offset and reason when the command is broken
// Returns true when the command was complete and known.
bool lqd_DecodeCommand(const uint8_t *data, size_t size, size_t pos, std::string &line, size_t &next, LqdError &error);

// lqd_DecodeCommands: decodes every command from data[pos] to the end, one listing line
// each, appended to lines. Stops at the first broken command (its offset and reason in
// error) and returns false; true when the input ends on a command boundary.
bool lqd_DecodeCommands(const uint8_t *data, size_t size, size_t pos, std::vector<std::string> &lines, LqdError &error);

// lqd_QuoteText: n bytes as listed text: in double quotes, with \" \\ and \xNN for
// bytes outside 0x20..0x7E.
std::string lqd_QuoteText(const uint8_t *bytes, size_t n);

struct LqdOptions {
    bool bodyOnly = false;  // the input is a LUMIQ body alone, from offset 0
    bool hasOffset = false; // the body starts at offset (no job header is read)
    size_t offset = 0;
};

// lqd_DumpStream: lists a whole print stream, one line per item:
//   header <offset> UEL | header <offset> line "<text>" | header <offset> version "<text>"
//   body <offset> <listing line of a command>
//   trailer <offset> UEL | trailer <offset> line "<text>"
//   end <size>
// The job header runs up to and including the two version lines (the first begins with
// "%QMNQT-"); the body ends at a universal exit (ESC "%-12345X") at a command boundary,
// where the trailer begins.
//   out    out  the lines (on failure the lines before the broken item)
//   error  out  offset and reason of broken input
// Returns true when the input was read to its end without fault.
bool lqd_DumpStream(const uint8_t *data, size_t size, const LqdOptions &options, std::string &out, LqdError &error);

#endif /* QM_TESTING_LUMIQ_LUMIQ_DECODER_H */
