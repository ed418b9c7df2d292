/*
 * The glyph records of a LUMIQ stream read field by field: the lines of lumiqdump
 * --glyphs, and the check that a record's padding ends exactly at the size its header
 * gives.
 */
#ifndef QM_TOOLS_LUMIQ_GLYPH_RECORDS_H
#define QM_TOOLS_LUMIQ_GLYPH_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/lumiq/lumiq_decoder.h"

// lqd_DescribeGlyph: one glyph record of size bytes (the size its header gives):
//   bitmap header 0x<h> size <n> <W>x<H> rowbytes <b> [compressed]
//   outline header 0x<h> size <n> points <p> ops <o> (float | short) [hint] [bold]
// false with reason when a field lies past the record, the padding bytes are not the
// record kind's, or the padding does not end exactly at the size.
bool lqd_DescribeGlyph(const uint8_t *record, size_t size, std::string &line, std::string &reason);

// lqd_ListGlyphs: the glyph records of data whose listing (lqd_DumpStream's output) is
// dump, a line each: "glyph <offset of the command> <opcode> <description>". false at
// the first record that fails lqd_DescribeGlyph (error: its offset and reason; out holds
// the lines before it).
bool lqd_ListGlyphs(const uint8_t *data, size_t size, const std::string &dump, std::string &out, LqdError &error);

#endif /* QM_TOOLS_LUMIQ_GLYPH_RECORDS_H */
