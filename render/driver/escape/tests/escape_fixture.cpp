#include "render/driver/escape/tests/escape_fixture.h"

#include "core/faxlist/fax_list.h"
#include "core/jobtext/job_attr.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_setup.h"

namespace escape_test {

Blob AttrSetList(DWORD count, DWORD entrySize, DWORD length)
{
    Payload list;
    list.u32(count).u32(entrySize);
    list.bytes.resize(sizeof(JobAttrSetHead), 0); // the two address words, pointer-sized
    for (DWORD i = 0; i < count; ++i) {
        list.u32(length);
        for (DWORD j = 0; j + 4 < entrySize; ++j)
            list.bytes.push_back(j < length ? 'A' : 0);
    }
    for (DWORD i = 0; i < count; ++i)
        list.u32(0);
    return list.bytes;
}

Blob FaxList(WORD count, WORD claimed)
{
    Blob list(sizeof(FaxSendList) + count * sizeof(FaxDestination), 0);
    FaxSendList head = {};
    memcpy(head.tag, u"DFAX001", 7 * sizeof(WCHAR));
    head.count = claimed;
    memcpy(list.data(), &head, sizeof head);
    return list;
}

void EscapeTest::OpenDrawing()
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
}

LONG EscapeTest::Esc(ULONG code, const Blob &in, ULONG cjOut, void *out)
{
    return Esc(code, (ULONG)in.size(), in.empty() ? nullptr : in.data(), cjOut, out);
}

LONG EscapeTest::Esc(ULONG code, ULONG cjIn, const void *in, ULONG cjOut, void *out)
{
    return (LONG)DrvEscape(surface_, code, cjIn, (PVOID)in, cjOut, out);
}

LONG EscapeTest::Query(WORD code)
{
    return (LONG)DrvEscape(surface_, QUERYESCSUPPORT, sizeof code, &code, 0, nullptr);
}

void EscapeTest::Lock(bool on)
{
    WORD &lock = Pdev()->job.setup.snapshot.settingsLock;
    lock = on ? (WORD)(lock | SNAPSHOT_LOCK_SETTINGS) : (WORD)(lock & ~SNAPSHOT_LOCK_SETTINGS);
}

} // namespace escape_test
