/*
 * Escapes sent to a PDEV of the job-control test printer as GDI hands them to DrvEscape,
 * and payload builders for the variable escapes.
 */
#ifndef QM_RENDER_DRIVER_ESCAPE_TESTS_ESCAPE_FIXTURE_H
#define QM_RENDER_DRIVER_ESCAPE_TESTS_ESCAPE_FIXTURE_H

#include <string.h>

#include <vector>

#include "core/protocol/escapes.h"
#include "render/driver/escape/escape.h"
#include "render/driver/job/tests/job_fixture.h"

namespace escape_test {

using Blob = std::vector<BYTE>;

// A little-endian payload made of 16- and 32-bit values.
struct Payload {
    Blob bytes;
    Payload &u16(WORD v)
    {
        bytes.push_back((BYTE)v);
        bytes.push_back((BYTE)(v >> 8));
        return *this;
    }
    Payload &u32(DWORD v)
    {
        return u16((WORD)v).u16((WORD)(v >> 16));
    }
    Payload &zeros(size_t n)
    {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
};

// A JobAttributeSet list: count entries of entrySize bytes with the given text lengths.
Blob AttrSetList(DWORD count, DWORD entrySize, DWORD length);

// A "DFAX001" fax list of count destinations; claimed: the count written into the head.
Blob FaxList(WORD count, WORD claimed);

class EscapeTest : public job_test::JobTest
{
protected:
    // Opens the PDEV with its document started and a page being drawn.
    void OpenDrawing();
    // The escape's answer as the signed value DrvEscape hands back.
    LONG Esc(ULONG code, const Blob &in, ULONG cjOut = 0, void *out = nullptr);
    LONG Esc(ULONG code, ULONG cjIn, const void *in, ULONG cjOut, void *out);
    LONG Query(WORD code);
    void Lock(bool on);
    const ExtendedEscapeState &Ext()
    {
        return Pdev()->job.control.ext;
    }
};

} // namespace escape_test

#endif /* QM_RENDER_DRIVER_ESCAPE_TESTS_ESCAPE_FIXTURE_H */
