/*
 * Test support of the fax list: blocks typed byte by byte from the field offsets, and
 * destinations filled field by field.
 */
#ifndef QM_CORE_FAXLIST_TESTS_FAX_FIXTURE_H
#define QM_CORE_FAXLIST_TESTS_FAX_FIXTURE_H

#include "core/faxlist/fax_list.h"

#include <string.h>

#include <string>
#include <vector>

namespace fax_test {

typedef std::vector<BYTE> Bytes;

/* Writes an ASCII text as UTF-16 at offset, without terminator. */
inline void PutTextAt(Bytes &bytes, size_t offset, const std::string &text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[offset + 2 * i] = (BYTE)text[i];
        bytes[offset + 2 * i + 1] = 0;
    }
}

inline void PutWordAt(Bytes &bytes, size_t offset, WORD value)
{
    bytes[offset] = (BYTE)value;
    bytes[offset + 1] = (BYTE)(value >> 8);
}

/* A destination as its 742 bytes: number, the two texts and the element values. */
inline Bytes DestinationBytes(const std::string &number, const std::string &text1797, WORD element3)
{
    Bytes bytes(742, 0);
    PutWordAt(bytes, 0, 2);
    PutTextAt(bytes, 2, number);
    PutWordAt(bytes, 260, 2);
    PutTextAt(bytes, 262, text1797);
    PutTextAt(bytes, 344, "T1798");
    PutWordAt(bytes, 510, element3);
    PutWordAt(bytes, 512, 1);
    PutWordAt(bytes, 514, 12);
    PutTextAt(bytes, 516, "abc");
    PutWordAt(bytes, 534, 34);
    PutWordAt(bytes, 536, 1);
    PutTextAt(bytes, 538, "1,23");
    PutTextAt(bytes, 658, "five");
    PutTextAt(bytes, 700, "six");
    return bytes;
}

/* A "DFAX001" block: the head with its two strings, then the destinations. */
inline Bytes BlockBytes(const std::vector<Bytes> &destinations, WORD count)
{
    Bytes bytes(1442, 0);
    PutTextAt(bytes, 0, "DFAX001");
    PutWordAt(bytes, 16, count);
    PutTextAt(bytes, 18, "first list");
    PutTextAt(bytes, 100, "second list");
    for (const Bytes &d : destinations)
        bytes.insert(bytes.end(), d.begin(), d.end());
    return bytes;
}

inline Bytes BlockBytes(const std::vector<Bytes> &destinations)
{
    return BlockBytes(destinations, (WORD)destinations.size());
}

/* Copies an ASCII text into a wide field (terminated when it fits). */
inline void SetText(WCHAR *field, size_t chars, const std::string &text)
{
    memset(field, 0, chars * sizeof(WCHAR));
    for (size_t i = 0; i < text.size() && i < chars; ++i)
        field[i] = (WCHAR)(unsigned char)text[i];
}

} // namespace fax_test

#endif /* QM_CORE_FAXLIST_TESTS_FAX_FIXTURE_H */
