/*
 * The on-disk value store: key files, names on disk, atomic writes and the store lock.
 */
#include "platform/src/registry/store.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>

namespace {

const DWORD kKeyMagic = 0x4B524D51; /* "QMRK" */
const DWORD kKeyVersion = 1;
const size_t kMaxPlainName = 160; /* longer encoded names end in a hash */
const DWORD kMaxStoredUnits = 1u << 20;

std::atomic<unsigned> g_temp_counter;

/* 64-bit FNV-1a over the folded name, for the hashed tail of long names. */
unsigned long long name_hash(const std::u16string &folded)
{
    unsigned long long h = 1469598103934665603ULL;
    for (char16_t c : folded) {
        h ^= (unsigned char)(c & 0xFF);
        h *= 1099511628211ULL;
        h ^= (unsigned char)(c >> 8);
        h *= 1099511628211ULL;
    }
    return h;
}

void append_utf8(std::string *out, unsigned cp)
{
    if (cp < 0x80) {
        out->push_back((char)cp);
    } else if (cp < 0x800) {
        out->push_back((char)(0xC0 | (cp >> 6)));
        out->push_back((char)(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back((char)(0xE0 | (cp >> 12)));
        out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back((char)(0x80 | (cp & 0x3F)));
    } else {
        out->push_back((char)(0xF0 | (cp >> 18)));
        out->push_back((char)(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back((char)(0x80 | (cp & 0x3F)));
    }
}

bool write_all(int fd, const char *p, size_t n)
{
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= (size_t)w;
    }
    return true;
}

} // namespace

qmr::StoreLock::StoreLock(const std::string &lock_path, bool exclusive)
{
    fd_ = open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return;
    while (flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {}
}

qmr::StoreLock::~StoreLock()
{
    if (fd_ >= 0)
        close(fd_); /* closing the descriptor releases the lock */
}

size_t qmr::WideLength(const char16_t *s)
{
    size_t n = 0;
    if (s)
        while (s[n])
            ++n;
    return n;
}

std::u16string qmr::WideString(const char16_t *s)
{
    return s ? std::u16string(s) : std::u16string();
}

char16_t qmr::FoldUnit(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return (char16_t)(c - 0x20);
    if (c < 0xE0)
        return c;
    if (c <= 0xFE)
        return c == 0xF7 ? c : (char16_t)(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return (char16_t)(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)
        return (char16_t)(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return (char16_t)(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A)
        return (char16_t)(c - 0x20);
    return c;
}

std::u16string qmr::Fold(const std::u16string &name)
{
    std::u16string out(name);
    for (char16_t &c : out)
        c = FoldUnit(c);
    return out;
}

int qmr::CompareNoCase(const std::u16string &a, const std::u16string &b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        char16_t x = FoldUnit(a[i]), y = FoldUnit(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string qmr::ToUtf8(const std::u16string &s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        append_utf8(&out, c);
    }
    return out;
}

std::u16string qmr::FromUtf8(const std::string &s)
{
    std::u16string out;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = (unsigned char)s[i];
        unsigned cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
        }
        if (len > 1) {
            if (i + len > s.size()) {
                len = 1;
            } else {
                cp = b & (0x7F >> len);
                for (size_t k = 1; k < len; ++k) {
                    unsigned char t = (unsigned char)s[i + k];
                    if ((t & 0xC0) != 0x80) {
                        cp = 0xFFFD;
                        len = 1;
                        break;
                    }
                    cp = (cp << 6) | (t & 0x3F);
                }
            }
        }
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            cp -= 0x10000;
            out.push_back((char16_t)(0xD800 + (cp >> 10)));
            out.push_back((char16_t)(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(cp > 0xFFFF ? (char16_t)0xFFFD : (char16_t)cp);
        }
        i += len;
    }
    return out;
}

std::string qmr::EncodeName(const std::u16string &name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::u16string folded = Fold(name);
    std::string out = "k_";
    for (char16_t c : folded) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-') {
            out.push_back((char)c);
        } else {
            out.push_back('%');
            out.push_back(kHex[(c >> 12) & 15]);
            out.push_back(kHex[(c >> 8) & 15]);
            out.push_back(kHex[(c >> 4) & 15]);
            out.push_back(kHex[c & 15]);
        }
    }
    if (out.size() > kMaxPlainName) {
        unsigned long long h = name_hash(folded);
        out.resize(kMaxPlainName - 17);
        out.push_back('~');
        for (int shift = 60; shift >= 0; shift -= 4)
            out.push_back(kHex[(h >> shift) & 15]);
    }
    return out;
}

bool qmr::ReadWholeFile(const std::string &path, std::string *out)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out->clear();
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof(buf));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            close(fd);
            return false;
        }
        if (n == 0)
            break;
        out->append(buf, (size_t)n);
    }
    close(fd);
    return true;
}

bool qmr::WriteFileAtomic(const std::string &path, const std::string &bytes)
{
    char suffix[64];
    snprintf(suffix, sizeof(suffix), ".tmp.%d.%u", (int)getpid(), g_temp_counter.fetch_add(1));
    std::string temp = path + suffix;
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = write_all(fd, bytes.data(), bytes.size());
    if (close(fd) != 0)
        ok = false;
    if (ok && rename(temp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

void qmr::Put32(std::string *out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out->push_back((char)((v >> (8 * i)) & 0xFF));
}

void qmr::PutWide(std::string *out, const std::u16string &s)
{
    Put32(out, (DWORD)s.size());
    for (char16_t c : s) {
        out->push_back((char)(c & 0xFF));
        out->push_back((char)(c >> 8));
    }
}

void qmr::PutBytes(std::string *out, const std::string &bytes)
{
    Put32(out, (DWORD)bytes.size());
    out->append(bytes);
}

qmr::Reader qmr::MakeReader(const std::string &src)
{
    return Reader{&src, 0, true};
}

DWORD qmr::Get32(Reader *r)
{
    if (!r->ok || r->src->size() - r->pos < 4) {
        r->ok = false;
        return 0;
    }
    const unsigned char *p = (const unsigned char *)r->src->data() + r->pos;
    r->pos += 4;
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

std::u16string qmr::GetWide(Reader *r)
{
    DWORD n = Get32(r);
    if (!r->ok || n > kMaxStoredUnits || (r->src->size() - r->pos) / 2 < n) {
        r->ok = false;
        return std::u16string();
    }
    std::u16string out(n, u'\0');
    const unsigned char *p = (const unsigned char *)r->src->data() + r->pos;
    for (DWORD i = 0; i < n; ++i)
        out[i] = (char16_t)(p[2 * i] | (p[2 * i + 1] << 8));
    r->pos += 2 * (size_t)n;
    return out;
}

std::string qmr::GetBytes(Reader *r)
{
    DWORD n = Get32(r);
    if (!r->ok || r->src->size() - r->pos < n) {
        r->ok = false;
        return std::string();
    }
    std::string out = r->src->substr(r->pos, n);
    r->pos += n;
    return out;
}

bool qmr::LoadKeyFile(const std::string &key_dir, KeyFile *out)
{
    out->name.clear();
    out->next_seq = 1;
    out->values.clear();
    std::string bytes;
    std::string path = key_dir + "/key.dat";
    if (access(path.c_str(), F_OK) != 0)
        return errno == ENOENT;
    if (!ReadWholeFile(path, &bytes))
        return false;
    Reader r = MakeReader(bytes);
    if (Get32(&r) != kKeyMagic || Get32(&r) != kKeyVersion)
        return false;
    out->name = GetWide(&r);
    out->next_seq = Get32(&r);
    DWORD count = Get32(&r);
    if (!r.ok || count > bytes.size() / 16)
        return false;
    out->values.reserve(count);
    for (DWORD i = 0; i < count && r.ok; ++i) {
        StoredValue v;
        v.seq = Get32(&r);
        v.type = Get32(&r);
        v.name = GetWide(&r);
        v.data = GetBytes(&r);
        out->values.push_back(std::move(v));
    }
    return r.ok && r.pos == bytes.size();
}

bool qmr::SaveKeyFile(const std::string &key_dir, const KeyFile &key)
{
    std::string bytes;
    Put32(&bytes, kKeyMagic);
    Put32(&bytes, kKeyVersion);
    PutWide(&bytes, key.name);
    Put32(&bytes, key.next_seq);
    Put32(&bytes, (DWORD)key.values.size());
    for (const StoredValue &v : key.values) {
        Put32(&bytes, v.seq);
        Put32(&bytes, v.type);
        PutWide(&bytes, v.name);
        PutBytes(&bytes, v.data);
    }
    return WriteFileAtomic(key_dir + "/key.dat", bytes);
}

qmr::StoredValue *qmr::FindValue(KeyFile *key, const char16_t *name)
{
    std::u16string wanted = WideString(name);
    for (StoredValue &v : key->values)
        if (CompareNoCase(v.name, wanted) == 0)
            return &v;
    return nullptr;
}

void qmr::PutValue(KeyFile *key, const char16_t *name, DWORD type, const BYTE *data, DWORD size)
{
    StoredValue *v = FindValue(key, name);
    if (!v) {
        StoredValue fresh;
        fresh.name = WideString(name);
        fresh.seq = key->next_seq++;
        key->values.push_back(std::move(fresh));
        v = &key->values.back();
    }
    v->type = type;
    v->data.assign((const char *)data, data ? size : 0);
}

bool qmr::RemoveValue(KeyFile *key, const char16_t *name)
{
    std::u16string wanted = WideString(name);
    for (size_t i = 0; i < key->values.size(); ++i) {
        if (CompareNoCase(key->values[i].name, wanted) == 0) {
            key->values.erase(key->values.begin() + (long)i);
            return true;
        }
    }
    return false;
}
