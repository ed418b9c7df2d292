/*
 * Code pages: the ANSI and OEM code pages, code-page information and the conversions
 * between multi-byte text and UTF-16.
 *
 * Supported code pages: 1252 (western), 437 (the OEM page beside 1252), 932 (Shift-JIS
 * with its lead bytes 0x81-0x9F and 0xE0-0xFC) and UTF-8. The tables of the byte code pages
 * are read once, on first use, from the C library's converters (iconv) and completed with
 * the few code points that the Windows tables define and the C library leaves out. There
 * is no best-fit mapping: a character a code page lacks becomes the default character.
 * The ANSI code page is 1252 unless a test pins another one.
 */
#include <windows.h>

#include <iconv.h>
#include <string.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

const UINT kDefaultAnsiCodePage = 1252;
const char16_t kNoMapping = 0;    /* in the byte-to-wide tables: no character */
const uint16_t kNoBytes = 0xFFFF; /* in the wide-to-byte table: no byte sequence */

/* A byte code page the layer knows, with what the C library calls it. */
struct CodePageRow {
    UINT number;
    const char *iconv_name;
    UINT oem_partner;         /* the OEM code page used beside it as ANSI code page */
    BYTE lead_ranges[6];      /* pairs of first and last lead byte, ending with 0, 0 */
    char16_t unicode_default; /* what an undefined double-byte sequence becomes */
};

const CodePageRow kCodePages[] = {
    {1252, "CP1252", 437, {0, 0}, u'?'},
    {437, "CP437", 437, {0, 0}, u'?'},
    {932, "CP932", 932, {0x81, 0x9F, 0xE0, 0xFC, 0, 0}, 0x30FB},
};

/* Windows table entries the C library leaves undefined: {code page, byte, character}. */
struct ExtraByte {
    UINT code_page;
    BYTE byte;
    char16_t ch;
};

const ExtraByte kExtraBytes[] = {
    {1252, 0x81, 0x0081},
    {1252, 0x8D, 0x008D},
    {1252, 0x8F, 0x008F},
    {1252, 0x90, 0x0090},
    {1252, 0x9D, 0x009D},
    {932, 0x80, 0x0080},
    {932, 0xA0, 0xF8F0},
    {932, 0xFD, 0xF8F1},
    {932, 0xFE, 0xF8F2},
    {932, 0xFF, 0xF8F3},
};

/* The tables of one byte code page, built on first use. */
struct CodePageTables {
    std::once_flag built;
    bool lead[256];
    char16_t single[256];           /* byte -> character; kNoMapping for lead bytes */
    std::vector<char16_t> pair;     /* (lead << 8 | trail) -> character, DBCS pages only */
    std::vector<uint16_t> to_bytes; /* character -> byte or (lead << 8 | trail) */
};

CodePageTables g_tables[sizeof(kCodePages) / sizeof(kCodePages[0])];
std::atomic<UINT> g_pinned_acp{0};

const CodePageRow *find_row(UINT cp, size_t *index)
{
    for (size_t i = 0; i < sizeof(kCodePages) / sizeof(kCodePages[0]); ++i) {
        if (kCodePages[i].number == cp) {
            if (index)
                *index = i;
            return &kCodePages[i];
        }
    }
    return nullptr;
}

/* Converts 1 or 2 bytes with the C library; kNoMapping when it refuses them. */
char16_t iconv_char(iconv_t cd, const BYTE *bytes, size_t count)
{
    char in[2] = {(char)bytes[0], count > 1 ? (char)bytes[1] : '\0'};
    char16_t out[4];
    char *ip = in;
    char *op = (char *)out;
    size_t il = count;
    size_t ol = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == (size_t)-1 || il != 0)
        return kNoMapping;
    if (ol != sizeof(out) - 2)
        return kNoMapping; /* nothing, or outside the BMP */
    return out[0];
}

/* Keeps the first byte sequence found for each character. */
void add_reverse(CodePageTables *t, char16_t ch, uint16_t bytes)
{
    if (ch != kNoMapping && t->to_bytes[ch] == kNoBytes)
        t->to_bytes[ch] = bytes;
}

void build_tables(const CodePageRow &row, CodePageTables *t)
{
    memset(t->lead, 0, sizeof(t->lead));
    for (int i = 0; row.lead_ranges[i]; i += 2) {
        for (int b = row.lead_ranges[i]; b <= row.lead_ranges[i + 1]; ++b)
            t->lead[b] = true;
    }
    t->to_bytes.assign(65536, kNoBytes);
    if (row.lead_ranges[0])
        t->pair.assign(65536, kNoMapping);
    iconv_t cd = iconv_open("UTF-16LE", row.iconv_name);
    for (int b = 0; b < 256; ++b) {
        BYTE byte = (BYTE)b;
        t->single[b] = (t->lead[b] || cd == (iconv_t)-1) ? kNoMapping : iconv_char(cd, &byte, 1);
    }
    for (const ExtraByte &extra : kExtraBytes) {
        if (extra.code_page == row.number)
            t->single[extra.byte] = extra.ch;
    }
    t->to_bytes[0] = 0;
    for (int b = 1; b < 256; ++b)
        add_reverse(t, t->single[b], (uint16_t)b);
    /* Double-byte sequences. A character that several sequences give (the NEC-selected
     * rows 0xED-0xEE repeat characters of other rows) is written the way Windows writes
     * it: the lowest sequence outside those two rows. */
    if (row.lead_ranges[0] && cd != (iconv_t)-1) {
        for (int lead = 0x81; lead < 256; ++lead) {
            for (int trail = 0x40; t->lead[lead] && trail <= 0xFC; ++trail) {
                BYTE seq[2] = {(BYTE)lead, (BYTE)trail};
                if (trail != 0x7F)
                    t->pair[lead << 8 | trail] = iconv_char(cd, seq, 2);
            }
        }
        for (int pass = 0; pass < 2; ++pass) {
            for (int lead = 0x81; lead < 256; ++lead) {
                bool nec_row = lead == 0xED || lead == 0xEE;
                if (!t->lead[lead] || nec_row != (pass == 1))
                    continue;
                for (int trail = 0x40; trail <= 0xFC; ++trail) {
                    uint16_t code = (uint16_t)(lead << 8 | trail);
                    add_reverse(t, t->pair[code], code);
                }
            }
        }
    }
    if (cd != (iconv_t)-1)
        iconv_close(cd);
}

const CodePageTables *tables_for(UINT cp, const CodePageRow **row_out)
{
    size_t index = 0;
    const CodePageRow *row = find_row(cp, &index);
    if (!row)
        return nullptr;
    CodePageTables *t = &g_tables[index];
    std::call_once(t->built, build_tables, *row, t);
    if (row_out)
        *row_out = row;
    return t;
}

/* Maps CP_ACP and friends to a real code page number; 0 when the page is not supported. */
UINT resolve_code_page(UINT cp)
{
    if (cp == CP_ACP || cp == CP_THREAD_ACP)
        return GetACP();
    if (cp == CP_OEMCP)
        return GetOEMCP();
    if (cp == CP_UTF8 || find_row(cp, nullptr))
        return cp;
    return 0;
}

void append_code_point(std::u16string *out, uint32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out->push_back((char16_t)(0xD800 + (cp >> 10)));
        out->push_back((char16_t)(0xDC00 + (cp & 0x3FF)));
    } else {
        out->push_back((char16_t)cp);
    }
}

/* Decodes UTF-8; each ill-formed sequence becomes U+FFFD, or fails when strict. */
bool decode_utf8(const BYTE *s, size_t n, bool strict, std::u16string *out)
{
    size_t i = 0;
    while (i < n) {
        BYTE b = s[i];
        if (b < 0x80) {
            out->push_back(b);
            ++i;
            continue;
        }
        int extra = (b >= 0xC2 && b <= 0xDF) ? 1 : (b >= 0xE0 && b <= 0xEF) ? 2 : (b >= 0xF0 && b <= 0xF4) ? 3 : -1;
        uint32_t cp = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        BYTE lo = 0x80, hi = 0xBF; /* the allowed range of the second byte */
        if (b == 0xE0)
            lo = 0xA0;
        if (b == 0xED)
            hi = 0x9F;
        if (b == 0xF0)
            lo = 0x90;
        if (b == 0xF4)
            hi = 0x8F;
        size_t used = 1;
        bool ok = extra > 0;
        for (int k = 0; ok && k < extra; ++k) {
            if (i + used >= n) {
                ok = false;
                break;
            }
            BYTE c = s[i + used];
            if (c < (k == 0 ? lo : 0x80) || c > (k == 0 ? hi : 0xBF)) {
                ok = false;
                break;
            }
            cp = cp << 6 | (c & 0x3F);
            ++used;
        }
        if (!ok) {
            if (strict)
                return false;
            out->push_back(0xFFFD);
        } else {
            append_code_point(out, cp);
        }
        i += used;
    }
    return true;
}

/* Encodes UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD, or fails when strict. */
bool encode_utf8(const char16_t *s, size_t n, bool strict, std::string *out)
{
    for (size_t i = 0; i < n; ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
                ++i;
            } else if (strict) {
                return false;
            } else {
                cp = 0xFFFD;
            }
        }
        if (cp < 0x80) {
            out->push_back((char)cp);
        } else if (cp < 0x800) {
            out->push_back((char)(0xC0 | cp >> 6));
            out->push_back((char)(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out->push_back((char)(0xE0 | cp >> 12));
            out->push_back((char)(0x80 | (cp >> 6 & 0x3F)));
            out->push_back((char)(0x80 | (cp & 0x3F)));
        } else {
            out->push_back((char)(0xF0 | cp >> 18));
            out->push_back((char)(0x80 | (cp >> 12 & 0x3F)));
            out->push_back((char)(0x80 | (cp >> 6 & 0x3F)));
            out->push_back((char)(0x80 | (cp & 0x3F)));
        }
    }
    return true;
}

bool is_trail_byte(BYTE b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

/* Decodes a byte code page. An undefined byte or pair becomes the code page's default
 * character (a lead byte without a valid trail byte stands alone), or fails when strict. */
bool decode_bytes(UINT cp, const BYTE *s, size_t n, bool strict, std::u16string *out)
{
    const CodePageRow *row = nullptr;
    const CodePageTables *t = tables_for(cp, &row);
    for (size_t i = 0; i < n; ++i) {
        BYTE b = s[i];
        if (t->lead[b]) {
            /* a lead byte with a trail byte is one character, defined or not; a lead byte
             * without one stands alone and the next byte is read on its own */
            bool paired = i + 1 < n && is_trail_byte(s[i + 1]);
            char16_t ch = paired ? t->pair[b << 8 | s[i + 1]] : kNoMapping;
            if (ch == kNoMapping) {
                if (strict)
                    return false;
                ch = row->unicode_default;
            }
            out->push_back(ch);
            if (paired)
                ++i;
            continue;
        }
        char16_t ch = t->single[b];
        if (ch == kNoMapping && b != 0) {
            if (strict)
                return false;
            ch = row->unicode_default;
        }
        out->push_back(ch);
    }
    return true;
}

/* Encodes to a byte code page; sets *used_default when a character had no bytes. */
void encode_bytes(UINT cp, const char16_t *s, size_t n, const std::string &default_bytes, bool *used_default,
                  std::string *out)
{
    const CodePageTables *t = tables_for(cp, nullptr);
    for (size_t i = 0; i < n; ++i) {
        uint16_t code = t->to_bytes[s[i]];
        if (code == kNoBytes) {
            *used_default = true;
            out->append(default_bytes);
        } else if (code > 0xFF) {
            out->push_back((char)(code >> 8));
            out->push_back((char)(code & 0xFF));
        } else {
            out->push_back((char)code);
        }
    }
}

/* Copies a converted text out under the size protocol of both conversion calls. */
template <typename Char> int deliver(const std::basic_string<Char> &text, Char *buffer, int capacity)
{
    int needed = (int)text.size();
    if (capacity == 0)
        return needed;
    if (needed > capacity) {
        memcpy(buffer, text.data(), capacity * sizeof(Char));
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    memcpy(buffer, text.data(), needed * sizeof(Char));
    return needed;
}

} // namespace

bool qmk::MultiToWide(UINT code_page, const char *text, size_t length, std::u16string *out)
{
    UINT cp = resolve_code_page(code_page);
    if (!cp || !text)
        return false;
    out->clear();
    if (cp == CP_UTF8)
        return decode_utf8((const BYTE *)text, length, false, out);
    return decode_bytes(cp, (const BYTE *)text, length, false, out);
}

bool qmk::WideToMulti(UINT code_page, const char16_t *text, size_t length, std::string *out)
{
    UINT cp = resolve_code_page(code_page);
    if (!cp || !text)
        return false;
    out->clear();
    if (cp == CP_UTF8)
        return encode_utf8(text, length, false, out);
    bool used_default = false;
    encode_bytes(cp, text, length, "?", &used_default, out);
    return true;
}

/* The ANSI code page: 1252, or the one a test pinned. */
extern "C" UINT WINAPI GetACP(void)
{
    UINT pinned = g_pinned_acp.load();
    return pinned ? pinned : kDefaultAnsiCodePage;
}

/* The OEM code page beside the ANSI code page: 437 beside 1252, 932 beside 932. */
extern "C" UINT WINAPI GetOEMCP(void)
{
    const CodePageRow *row = find_row(GetACP(), nullptr);
    return row ? row->oem_partner : 437;
}

/* Fills *lpCPInfo (maximum character size, default character "?", lead-byte ranges ending
 * with 0, 0); FALSE with ERROR_INVALID_PARAMETER for an unknown code page or NULL record. */
extern "C" BOOL WINAPI GetCPInfo(UINT CodePage, LPCPINFO lpCPInfo)
{
    UINT cp = resolve_code_page(CodePage);
    if (!cp || !lpCPInfo) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    memset(lpCPInfo, 0, sizeof(*lpCPInfo));
    lpCPInfo->DefaultChar[0] = '?';
    const CodePageRow *row = find_row(cp, nullptr);
    if (!row) {
        lpCPInfo->MaxCharSize = 4; /* UTF-8 */
        return TRUE;
    }
    lpCPInfo->MaxCharSize = row->lead_ranges[0] ? 2 : 1;
    memcpy(lpCPInfo->LeadByte, row->lead_ranges, sizeof(row->lead_ranges));
    return TRUE;
}

/* TRUE for the code pages the layer converts (1252, 437, 932, UTF-8); CP_ACP is no code page. */
extern "C" BOOL WINAPI IsValidCodePage(UINT CodePage)
{
    return CodePage == CP_UTF8 || find_row(CodePage, nullptr) != nullptr;
}

/* TRUE when the byte starts a double-byte character of the code page; FALSE with
 * ERROR_INVALID_PARAMETER for an unknown code page. */
extern "C" BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar)
{
    UINT cp = resolve_code_page(CodePage);
    if (!cp) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const CodePageRow *row = find_row(cp, nullptr);
    if (!row)
        return FALSE;
    for (int i = 0; row->lead_ranges[i]; i += 2) {
        if (TestChar >= row->lead_ranges[i] && TestChar <= row->lead_ranges[i + 1])
            return TRUE;
    }
    return FALSE;
}

/* IsDBCSLeadByteEx in the ANSI code page. */
extern "C" BOOL WINAPI IsDBCSLeadByte(BYTE TestChar)
{
    return IsDBCSLeadByteEx(CP_ACP, TestChar);
}

/* Converts cbMultiByte bytes (-1: up to and with the terminator) to UTF-16. With cchWideChar 0
 * returns the characters needed; returns the characters written, or 0 with
 * ERROR_INSUFFICIENT_BUFFER (buffer too small), ERROR_NO_UNICODE_TRANSLATION (undefined input
 * with MB_ERR_INVALID_CHARS), ERROR_INVALID_FLAGS or ERROR_INVALID_PARAMETER. */
extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar)
{
    UINT cp = resolve_code_page(CodePage);
    if (!cp || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr) || (const void *)lpMultiByteStr == (const void *)lpWideCharStr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD allowed =
        cp == CP_UTF8 ? MB_ERR_INVALID_CHARS : MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
    if ((dwFlags & ~allowed) || ((dwFlags & MB_PRECOMPOSED) && (dwFlags & MB_COMPOSITE))) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    size_t length = cbMultiByte == -1 ? strlen(lpMultiByteStr) + 1 : (size_t)cbMultiByte;
    bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;
    std::u16string wide;
    bool ok = cp == CP_UTF8 ? decode_utf8((const BYTE *)lpMultiByteStr, length, strict, &wide)
                            : decode_bytes(cp, (const BYTE *)lpMultiByteStr, length, strict, &wide);
    if (!ok) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return deliver(wide, (char16_t *)lpWideCharStr, cchWideChar);
}

/* Converts cchWideChar UTF-16 units (-1: up to and with the terminator) to the code page.
 * Characters the page lacks become lpDefaultChar (or "?") and set *lpUsedDefaultChar; both
 * must be NULL for UTF-8. Size protocol and errors as MultiByteToWideChar, with
 * WC_ERR_INVALID_CHARS failing unpaired surrogates in UTF-8. */
extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar)
{
    UINT cp = resolve_code_page(CodePage);
    if (!cp || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr) || (const void *)lpMultiByteStr == (const void *)lpWideCharStr ||
        (cp == CP_UTF8 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const DWORD allowed = cp == CP_UTF8
                              ? WC_ERR_INVALID_CHARS
                              : WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;
    if (dwFlags & ~allowed) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    size_t length = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[length])
            ++length;
        ++length;
    } else {
        length = (size_t)cchWideChar;
    }
    std::string bytes;
    if (cp == CP_UTF8) {
        if (!encode_utf8(lpWideCharStr, length, (dwFlags & WC_ERR_INVALID_CHARS) != 0, &bytes)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        return deliver(bytes, lpMultiByteStr, cbMultiByte);
    }
    /* The default character: the caller's (a lead byte takes its trail byte along) or '?'. */
    std::string default_bytes = "?";
    if (lpDefaultChar && lpDefaultChar[0]) {
        default_bytes.assign(1, lpDefaultChar[0]);
        if (IsDBCSLeadByteEx(cp, (BYTE)lpDefaultChar[0]) && lpDefaultChar[1])
            default_bytes.push_back(lpDefaultChar[1]);
    }
    bool used_default = false;
    encode_bytes(cp, lpWideCharStr, length, default_bytes, &used_default, &bytes);
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = used_default ? TRUE : FALSE;
    return deliver(bytes, lpMultiByteStr, cbMultiByte);
}

extern "C" void qmt_PinAnsiCodePage(UINT code_page)
{
    g_pinned_acp.store(find_row(code_page, nullptr) ? code_page : 0);
}
