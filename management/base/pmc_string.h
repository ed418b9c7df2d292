/*
 * CPmcString: the library's NUL-terminated text, a value type whose buffer grows in the
 * steps 64, 128, 256, 512 and 1024 bytes and is sized exactly from 1024 characters on.
 * Without a buffer it points at one shared static empty text. Copying can fail, so it is
 * done by assign (which reports it), never by a copy constructor.
 */
#ifndef MANAGEMENT_BASE_PMC_STRING_H
#define MANAGEMENT_BASE_PMC_STRING_H

#include <cstdint>

class CPmcString
{
public:
    static constexpr uint32_t npos = 0xFFFFFFFFu; /* the not-found value */

    CPmcString() = default;
    /* Starts with a copy of `text` (null: empty); stays empty when the copy is refused. */
    explicit CPmcString(const char *text);
    ~CPmcString();
    CPmcString(const CPmcString &) = delete;
    CPmcString &operator=(const CPmcString &) = delete;

    /* free_text: length 0, buffer released, capacity 0. */
    void free_text();

    /*
     * assign: replaces the text by `count` bytes at `bytes` (a text: up to its NUL; null:
     * empty). Assigning the string's own data to itself does nothing.
     * Returns 0, or -3 when the buffer cannot be allocated; the old text stays then.
     */
    int assign(const char *bytes, uint32_t count);
    int assign(const char *text);
    int assign(const CPmcString &other);

    /*
     * append: adds `count` bytes (a text: up to its NUL; one character).
     * Returns 0, or -3 when a larger buffer cannot be allocated; the old text stays then.
     */
    int append(const char *bytes, uint32_t count);
    int append(const char *text);
    int append(char character);

    const char *data() const
    {
        return m_data;
    }
    uint32_t length() const
    {
        return m_length;
    }
    uint32_t capacity() const
    {
        return m_capacity;
    }
    bool is_empty() const
    {
        return m_length == 0;
    }

    /* compare: byte-wise unsigned comparison with `text` (null: empty); -1, 0 or 1. */
    int compare(const char *text) const;
    /* equals: true when both texts are equal byte for byte. */
    bool equals(const CPmcString &other) const;

    /*
     * find: position of `character` at or after `start`, stepping over double-byte
     * characters of the ANSI code page so a trail byte never matches. npos when the start
     * is not below the length, the character is NUL, or nothing matches.
     */
    uint32_t find(char character, uint32_t start) const;

    /*
     * erase: removes `count` characters at `position` (npos: up to the end). Nothing for
     * an empty string or a position not below the length.
     */
    void erase(uint32_t position, uint32_t count);

private:
    static uint32_t capacity_for(uint32_t length);
    int regrow(uint32_t keep, const char *bytes, uint32_t count);

    uint32_t m_length = 0;
    uint32_t m_capacity = 0;
    char *m_data = const_cast<char *>(s_empty);

    static const char s_empty[1];
};

#endif /* MANAGEMENT_BASE_PMC_STRING_H */
