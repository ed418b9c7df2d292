/*
 * Private profile (INI) files, read and written whole on every call.
 *
 * A file is a list of lines: section headers "[name]", keys "name=value", comments
 * (starting with ';'), blank lines and other text. Names and values are trimmed of spaces
 * and tabs; section and key names compare without regard to case. Several sections of one
 * name count as one, in file order, and of several keys of one name the first wins.
 * A line without '=' inside a section is a key without value. Lines before the first
 * section belong to none. Writing changes only the lines concerned; every other line is
 * written back as it was, in the file's encoding (UTF-16 LE with byte-order mark, UTF-8
 * with byte-order mark, or the ANSI code page; new files are ANSI), lines ended by CR LF.
 *
 * A file name without a directory names a file of the Windows directory.
 */
#include "platform/src/kernel/kernel_private.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

enum LineKind { kBlank, kComment, kSection, kKey, kText };
enum Encoding { kAnsi, kUtf16, kUtf8 };

struct Line {
    LineKind kind;
    std::u16string raw;   /* the line as read (or as rewritten) */
    std::u16string name;  /* section or key name, trimmed */
    std::u16string value; /* key value, trimmed */
};

struct Profile {
    bool exists;
    Encoding encoding;
    std::vector<Line> lines;
};

std::mutex g_profile_lock;

bool is_blank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

std::u16string trim(const std::u16string &s)
{
    size_t b = 0, e = s.size();
    while (b < e && is_blank(s[b]))
        ++b;
    while (e > b && is_blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

Line parse_line(const std::u16string &raw)
{
    Line line = {kBlank, raw, std::u16string(), std::u16string()};
    std::u16string t = trim(raw);
    if (t.empty())
        return line;
    if (t[0] == u';') {
        line.kind = kComment;
    } else if (t[0] == u'[') {
        line.kind = kSection;
        size_t close = t.find(u']');
        line.name = trim(t.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1));
    } else if (size_t eq = t.find(u'='); eq != std::u16string::npos) {
        line.kind = kKey;
        line.name = trim(t.substr(0, eq));
        line.value = trim(t.substr(eq + 1));
    } else {
        line.kind = kText;
        line.name = t;
    }
    return line;
}

/* The host path of a profile file name; false with the last error. */
bool profile_path(LPCWSTR file, std::string *host)
{
    std::u16string name = file ? file : u"win.ini";
    if (name.find_first_of(u"\\/") == std::u16string::npos)
        name = qmk::WindowsDirectory() + u"\\" + name;
    return qmk::HostPath(name.c_str(), host);
}

std::u16string decode(const std::string &bytes, Encoding *encoding)
{
    if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE) {
        *encoding = kUtf16;
        std::u16string out;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            out += (char16_t)((unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8));
        return out;
    }
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        *encoding = kUtf8;
        return qmk::WideText(CP_UTF8, bytes.substr(3));
    }
    *encoding = kAnsi;
    return qmk::WideText(CP_ACP, bytes);
}

std::string encode(const std::u16string &text, Encoding encoding)
{
    if (encoding == kUtf8)
        return "\xEF\xBB\xBF" + qmk::MultiText(CP_UTF8, text);
    if (encoding == kAnsi)
        return qmk::MultiText(CP_ACP, text);
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += (char)(c & 0xFF);
        out += (char)(c >> 8);
    }
    return out;
}

/* Reads a profile; a missing file reads as empty. False when the name cannot be mapped. */
bool load(LPCWSTR file, Profile *p, std::string *host)
{
    if (!profile_path(file, host))
        return false;
    p->exists = false;
    p->encoding = kAnsi;
    p->lines.clear();
    int fd = open(host->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    p->exists = true;
    std::string bytes;
    char chunk[4096];
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, (size_t)n);
    close(fd);
    std::u16string text = decode(bytes, &p->encoding);
    size_t i = 0;
    while (i < text.size()) {
        size_t nl = text.find(u'\n', i);
        size_t end = nl == std::u16string::npos ? text.size() : nl;
        std::u16string raw = text.substr(i, end - i);
        if (!raw.empty() && raw.back() == u'\r')
            raw.pop_back();
        p->lines.push_back(parse_line(raw));
        i = end + 1;
    }
    return true;
}

/* Writes a profile back; false with the last error. */
bool save(const Profile &p, const std::string &host)
{
    std::u16string text;
    for (const Line &line : p.lines)
        text += line.raw + u"\r\n";
    std::string bytes = encode(text, p.encoding);
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : qmk::ErrorFromErrno(errno, host));
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += (size_t)n;
    }
    close(fd);
    if (done < bytes.size()) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

/* Indexes of the lines inside the sections of that name. */
std::vector<size_t> section_lines(const Profile &p, const std::u16string &section)
{
    std::vector<size_t> out;
    bool inside = false;
    for (size_t i = 0; i < p.lines.size(); ++i) {
        const Line &line = p.lines[i];
        if (line.kind == kSection)
            inside = qmk::EqualNoCase(line.name, section);
        else if (inside)
            out.push_back(i);
    }
    return out;
}

bool has_section(const Profile &p, const std::u16string &section)
{
    for (const Line &line : p.lines) {
        if (line.kind == kSection && qmk::EqualNoCase(line.name, section))
            return true;
    }
    return false;
}

bool is_key(const Line &line)
{
    return line.kind == kKey || line.kind == kText;
}

/* Copies a list of strings as a double-NUL list; when it does not fit, the list is cut,
 * ended by two NULs, and the result is size - 2 (last error ERROR_MORE_DATA). */
DWORD copy_list(const std::vector<std::u16string> &items, LPWSTR buffer, DWORD size)
{
    if (size == 0)
        return 0;
    if (size == 1) {
        buffer[0] = 0;
        return 0;
    }
    std::u16string all;
    for (const std::u16string &item : items)
        all += item + u'\0';
    if (all.size() + 1 <= size) {
        all.copy(buffer, all.size());
        buffer[all.size()] = 0;
        if (all.empty())
            buffer[1] = 0;
        return (DWORD)all.size();
    }
    all.copy(buffer, size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    SetLastError(ERROR_MORE_DATA);
    return size - 2;
}

void add_unique(std::vector<std::u16string> *list, const std::u16string &name)
{
    for (const std::u16string &have : *list) {
        if (qmk::EqualNoCase(have, name))
            return;
    }
    list->push_back(name);
}

/* Value of key in section; false when absent. */
bool find_value(const Profile &p, const std::u16string &section, const std::u16string &key, std::u16string *value)
{
    for (size_t i : section_lines(p, section)) {
        const Line &line = p.lines[i];
        if (is_key(line) && qmk::EqualNoCase(line.name, key)) {
            *value = line.value;
            return true;
        }
    }
    return false;
}

std::u16string strip_quotes(const std::u16string &v)
{
    if (v.size() >= 2 && (v[0] == u'"' || v[0] == u'\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

} // namespace

/*
 * GetPrivateProfileStringW: with a section and key, the key's value (a pair of quotes
 * around it removed), or lpDefault (NULL = "", trailing blanks removed) when the file,
 * section or key is missing (last error ERROR_FILE_NOT_FOUND); a value that does not fit
 * is cut to nSize - 1 characters and the result is nSize - 1. With lpKeyName NULL, the
 * section's key names; with lpAppName NULL, the section names: each ended by a NUL, the
 * list by another; a list that does not fit is cut and ended by two NULs, result
 * nSize - 2. Returns the number of characters copied, without the final NUL.
 */
extern "C" DWORD WINAPI GetPrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpDefault,
                                                 LPWSTR lpReturnedString, DWORD nSize, LPCWSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    std::lock_guard<std::mutex> guard(g_profile_lock);
    Profile p;
    std::string host;
    if (!load(lpFileName, &p, &host)) {
        lpReturnedString[0] = 0;
        return 0;
    }
    SetLastError(p.exists ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
    if (!lpAppName) {
        std::vector<std::u16string> names;
        for (const Line &line : p.lines) {
            if (line.kind == kSection)
                add_unique(&names, line.name);
        }
        return copy_list(names, lpReturnedString, nSize);
    }
    if (!lpKeyName) {
        std::vector<std::u16string> keys;
        for (size_t i : section_lines(p, trim(lpAppName))) {
            if (is_key(p.lines[i]))
                add_unique(&keys, p.lines[i].name);
        }
        return copy_list(keys, lpReturnedString, nSize);
    }
    std::u16string value;
    if (find_value(p, trim(lpAppName), trim(lpKeyName), &value)) {
        value = strip_quotes(value);
    } else {
        value = lpDefault ? lpDefault : u"";
        while (!value.empty() && is_blank(value.back()))
            value.pop_back();
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    DWORD n = value.size() < nSize ? (DWORD)value.size() : nSize - 1;
    value.copy(lpReturnedString, n);
    lpReturnedString[n] = 0;
    return n;
}

/*
 * GetPrivateProfileIntW: the key's value as an integer: leading blanks skipped, an
 * optional sign, decimal digits or "0x" and hexadecimal digits, up to the first other
 * character (no digits: 0). nDefault when the key is missing or empty. Negative values
 * come back as their UINT form.
 */
extern "C" UINT WINAPI GetPrivateProfileIntW(LPCWSTR lpAppName, LPCWSTR lpKeyName, INT nDefault, LPCWSTR lpFileName)
{
    WCHAR buf[64];
    if (!lpAppName || !lpKeyName)
        return (UINT)nDefault;
    DWORD n = GetPrivateProfileStringW(lpAppName, lpKeyName, u"", buf, 64, lpFileName);
    if (n == 0)
        return (UINT)nDefault;
    const WCHAR *s = buf;
    while (is_blank(*s))
        ++s;
    bool negative = *s == u'-';
    if (*s == u'-' || *s == u'+')
        ++s;
    UINT base = 10;
    if (s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        base = 16;
        s += 2;
    }
    UINT value = 0;
    for (;; ++s) {
        UINT digit;
        if (*s >= u'0' && *s <= u'9')
            digit = *s - u'0';
        else if (base == 16 && *s >= u'a' && *s <= u'f')
            digit = *s - u'a' + 10;
        else if (base == 16 && *s >= u'A' && *s <= u'F')
            digit = *s - u'A' + 10;
        else
            break;
        value = value * base + digit;
    }
    return negative ? (UINT)(0u - value) : value;
}

/*
 * GetPrivateProfileSectionW: the section's lines as "key=value" (trimmed, quotes kept, a
 * key without value as its name alone; comments and blank lines left out), each ended by
 * a NUL, the block by another. A block that does not fit is cut and ended by two NULs,
 * result nSize - 2. 0 with an empty block when the section is missing.
 */
extern "C" DWORD WINAPI GetPrivateProfileSectionW(LPCWSTR lpAppName, LPWSTR lpReturnedString, DWORD nSize,
                                                  LPCWSTR lpFileName)
{
    if (!lpReturnedString || nSize == 0)
        return 0;
    if (!lpAppName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return copy_list({}, lpReturnedString, nSize);
    }
    std::lock_guard<std::mutex> guard(g_profile_lock);
    Profile p;
    std::string host;
    std::vector<std::u16string> lines;
    if (load(lpFileName, &p, &host)) {
        for (size_t i : section_lines(p, trim(lpAppName))) {
            const Line &line = p.lines[i];
            if (line.kind == kKey)
                lines.push_back(line.name + u"=" + line.value);
            else if (line.kind == kText)
                lines.push_back(line.name);
        }
    }
    return copy_list(lines, lpReturnedString, nSize);
}

/* GetPrivateProfileSectionNamesW: the section names as GetPrivateProfileStringW with
 * lpAppName NULL gives them. */
extern "C" DWORD WINAPI GetPrivateProfileSectionNamesW(LPWSTR lpszReturnBuffer, DWORD nSize, LPCWSTR lpFileName)
{
    return GetPrivateProfileStringW(nullptr, nullptr, nullptr, lpszReturnBuffer, nSize, lpFileName);
}

/*
 * WritePrivateProfileStringW: sets a key's value (the first key of that name; a new key
 * goes after the section's last line, a new section at the end of the file, a new file is
 * created); lpString NULL deletes every key of that name in the section; lpKeyName NULL
 * deletes the section with all its lines. All three NULL only flushes (nothing is
 * cached). FALSE with ERROR_INVALID_PARAMETER (no section), ERROR_PATH_NOT_FOUND (the
 * file's directory is missing) or ERROR_ACCESS_DENIED (a read-only file).
 */
extern "C" BOOL WINAPI WritePrivateProfileStringW(LPCWSTR lpAppName, LPCWSTR lpKeyName, LPCWSTR lpString,
                                                  LPCWSTR lpFileName)
{
    if (!lpAppName) {
        if (!lpKeyName && !lpString)
            return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(g_profile_lock);
    Profile p;
    std::string host;
    if (!load(lpFileName, &p, &host))
        return FALSE;
    std::u16string section = trim(lpAppName);
    if (!lpKeyName) {
        if (!has_section(p, section))
            return TRUE;
        std::vector<Line> kept;
        bool inside = false;
        for (const Line &line : p.lines) {
            if (line.kind == kSection)
                inside = qmk::EqualNoCase(line.name, section);
            if (!inside)
                kept.push_back(line);
        }
        p.lines.swap(kept);
        return save(p, host) ? TRUE : FALSE;
    }
    std::u16string key = trim(lpKeyName);
    std::vector<size_t> inside = section_lines(p, section);
    if (!lpString) {
        bool removed = false;
        for (size_t k = inside.size(); k-- > 0;) {
            if (is_key(p.lines[inside[k]]) && qmk::EqualNoCase(p.lines[inside[k]].name, key)) {
                p.lines.erase(p.lines.begin() + inside[k]);
                removed = true;
            }
        }
        return !removed || save(p, host) ? TRUE : FALSE;
    }
    std::u16string value = lpString;
    for (size_t i : inside) {
        Line &line = p.lines[i];
        if (is_key(line) && qmk::EqualNoCase(line.name, key)) {
            line = parse_line(line.name + u"=" + value);
            return save(p, host) ? TRUE : FALSE;
        }
    }
    Line added = parse_line(key + u"=" + value);
    if (has_section(p, section)) {
        /* Into the first section of that name, after its last non-blank line. */
        size_t header = 0;
        while (!(p.lines[header].kind == kSection && qmk::EqualNoCase(p.lines[header].name, section)))
            ++header;
        size_t at = header + 1;
        for (size_t i = header + 1; i < p.lines.size() && p.lines[i].kind != kSection; ++i) {
            if (p.lines[i].kind != kBlank)
                at = i + 1;
        }
        p.lines.insert(p.lines.begin() + at, added);
    } else {
        if (!p.lines.empty() && p.lines.back().kind != kBlank)
            p.lines.push_back(parse_line(u""));
        p.lines.push_back(parse_line(u"[" + section + u"]"));
        p.lines.push_back(added);
    }
    return save(p, host) ? TRUE : FALSE;
}
