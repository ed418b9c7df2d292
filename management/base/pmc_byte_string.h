/*
 * CPmcByteString: a heap byte string of exact size behind a virtual interface (12 bytes:
 * operation table, length, data). The data always carries one NUL after the bytes.
 * Created by pmc_create_byte_string, freed by release; never copied implicitly.
 */
#ifndef MANAGEMENT_BASE_PMC_BYTE_STRING_H
#define MANAGEMENT_BASE_PMC_BYTE_STRING_H

#include <cstdint>

#include "management/base/pmc_memory.h"

class CPmcByteString : public CPmcHeapObject
{
public:
    CPmcByteString() = default;
    CPmcByteString(const CPmcByteString &) = delete;
    CPmcByteString &operator=(const CPmcByteString &) = delete;

    /* 1. release: frees the data and the object. */
    virtual void release();
    /* 2. length: number of bytes, without the NUL. */
    virtual uint32_t length() const;
    /* 3. data: the bytes, null when the length is 0. */
    virtual const char *data() const;
    /* 4. assign (bytes, count): 0, or -3 with the old contents kept. count 0 empties. */
    virtual int assign(const void *bytes, uint32_t count);
    /* 5. assign (text): the bytes up to the NUL; a null text empties. 0 or -3. */
    virtual int assign(const char *text);
    /* 6. append (bytes, count): 0, or -3 with the old contents kept. */
    virtual int append(const void *bytes, uint32_t count);
    /* 7. append (text): a null text appends nothing (0). */
    virtual int append(const char *text);
    /* 8. append (other): a null other appends nothing (0). */
    virtual int append(const CPmcByteString *other);
    /* 9. clone: a new object with the same bytes; -3 and a null *out on failure. */
    virtual int clone(CPmcByteString **out) const;
    /* 10. equals (bytes, count): count 0 is equal exactly to an empty string. */
    virtual bool equals(const void *bytes, uint32_t count) const;
    /* 11. equals (text): false for a null text. */
    virtual bool equals(const char *text) const;
    /* 12. equals (other): false for a null other. */
    virtual bool equals(const CPmcByteString *other) const;

protected:
    virtual ~CPmcByteString();

private:
    uint32_t m_length = 0;
    char *m_data = nullptr;
};

/*
 * pmc_create_byte_string: a new empty byte string.
 * code (out, may be null): 0, or -3 when no memory.
 * Returns the object or null.
 */
CPmcByteString *pmc_create_byte_string(int *code);

#endif /* MANAGEMENT_BASE_PMC_BYTE_STRING_H */
