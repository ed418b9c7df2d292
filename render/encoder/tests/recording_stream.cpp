/*
 * Recording stand-in of spl_WriteStream for the encoder tests.
 */
#include "render/encoder/tests/recording_stream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

static RecordedWrites g_record;
static int g_streamTag;
static unsigned long g_allocations;

// Counting replacements of the global allocation functions: the encoder must not
// allocate, which the tests check around each command.
void *operator new(std::size_t size)
{
    ++g_allocations;
    void *p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

unsigned long lmqt_Allocations()
{
    return g_allocations;
}

LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes)
{
    EXPECT_EQ(stream, lmqt_Stream());
    ++g_record.calls;
    if (g_record.calls == g_record.failAt)
        return -1;
    if (length == 0)
        return 0;
    if (bytes == nullptr)
        return -1;
    g_record.bytes.insert(g_record.bytes.end(), bytes, bytes + length);
    g_record.lengths.push_back(length);
    return (LONG)length;
}

RecordedWrites &lmqt_Record()
{
    return g_record;
}

void lmqt_Reset(int failAt)
{
    g_record = RecordedWrites();
    g_record.failAt = failAt;
    // Room for the commands of a test, so that recording allocates nothing either.
    g_record.bytes.reserve(1 << 16);
    g_record.lengths.reserve(1 << 14);
}

OutputStream *lmqt_Stream()
{
    return reinterpret_cast<OutputStream *>(&g_streamTag);
}

std::string lmqt_Hex()
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (BYTE b : g_record.bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

std::string lmqt_Unspaced(const char *hex)
{
    std::string text;
    for (const char *p = hex; *p != '\0'; ++p) {
        if (*p != ' ')
            text += *p;
    }
    return text;
}
