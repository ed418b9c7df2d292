/*
 * Resources on the host. Every module built with qm_add_resources carries its compiled
 * resource file (.res: a sequence of entries, each a header naming type, name and
 * language followed by the data, aligned to 4 bytes) in its ELF section ".qmres". The
 * section is read from the module's file on first use and indexed; resource handles point
 * into that index and resource data into the copy, both valid while the module stays
 * loaded.
 *
 * Language choice when none is asked for (FindResourceW, LoadStringW): the first entry
 * found in the order of kLanguageOrder, else the first entry of that type and name.
 */
#include "platform/src/kernel/module_private.h"

#include <elf.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/src/kernel/kernel_private.h"

namespace qmk {

struct ResourceEntry {
    bool type_is_id;
    WORD type_id;
    std::u16string type_name; /* folded */
    bool name_is_id;
    WORD name_id;
    std::u16string name_name; /* folded */
    WORD lang;
    DWORD offset;
    DWORD size;
};

struct ResourceTable {
    std::vector<BYTE> data;
    std::vector<ResourceEntry> entries;
};

} // namespace qmk

namespace {

using qmk::ResourceEntry;
using qmk::ResourceTable;

const char kSectionName[] = ".qmres";
const WORD kLanguageOrder[] = {
    0x0000, /* neutral */
    0x0400, /* user default */
    0x0800, /* system default */
    0x0409, /* English (United States) */
};

bool read_at(int fd, off_t offset, void *buffer, size_t size)
{
    return pread(fd, buffer, size, offset) == (ssize_t)size;
}

/* Reads the bytes of section ".qmres" of an ELF file of the host's class; empty when it has none. */
std::vector<BYTE> read_section(const std::string &host)
{
    std::vector<BYTE> out;
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return out;
#if defined(__LP64__)
    using Ehdr = Elf64_Ehdr;
    using Shdr = Elf64_Shdr;
    const int elf_class = ELFCLASS64;
#else
    using Ehdr = Elf32_Ehdr;
    using Shdr = Elf32_Shdr;
    const int elf_class = ELFCLASS32;
#endif
    Ehdr eh;
    if (read_at(fd, 0, &eh, sizeof eh) && memcmp(eh.e_ident, ELFMAG, SELFMAG) == 0 &&
        eh.e_ident[EI_CLASS] == elf_class && eh.e_shentsize == sizeof(Shdr) && eh.e_shstrndx < eh.e_shnum) {
        std::vector<Shdr> sh(eh.e_shnum);
        Shdr &names = sh[eh.e_shstrndx];
        if (read_at(fd, eh.e_shoff, sh.data(), sh.size() * sizeof(Shdr)) && names.sh_size < (1u << 24)) {
            std::string strtab(names.sh_size, '\0');
            if (read_at(fd, names.sh_offset, strtab.data(), strtab.size())) {
                for (const Shdr &s : sh) {
                    if (s.sh_name >= strtab.size() || strcmp(strtab.c_str() + s.sh_name, kSectionName) != 0)
                        continue;
                    if (s.sh_type == SHT_NOBITS || s.sh_size > (1u << 28))
                        break;
                    out.resize(s.sh_size);
                    if (!read_at(fd, s.sh_offset, out.data(), out.size()))
                        out.clear();
                    break;
                }
            }
        }
    }
    close(fd);
    return out;
}

DWORD get32(const std::vector<BYTE> &d, size_t at)
{
    return (DWORD)d[at] | ((DWORD)d[at + 1] << 8) | ((DWORD)d[at + 2] << 16) | ((DWORD)d[at + 3] << 24);
}

WORD get16(const std::vector<BYTE> &d, size_t at)
{
    return (WORD)(d[at] | (d[at + 1] << 8));
}

/* Reads a type or name field (0xFFFF + id, or a zero-terminated string) at *at, not
 * beyond end; false when it runs over. */
bool read_id(const std::vector<BYTE> &d, size_t *at, size_t end, bool *is_id, WORD *id, std::u16string *name)
{
    if (*at + 2 > end)
        return false;
    if (get16(d, *at) == 0xFFFF) {
        if (*at + 4 > end)
            return false;
        *is_id = true;
        *id = get16(d, *at + 2);
        *at += 4;
        return true;
    }
    *is_id = false;
    name->clear();
    for (;;) {
        if (*at + 2 > end)
            return false;
        WORD c = get16(d, *at);
        *at += 2;
        if (!c)
            return true;
        name->push_back(qmk::FoldCase((char16_t)c));
    }
}

void index_entries(ResourceTable *t)
{
    const std::vector<BYTE> &d = t->data;
    size_t p = 0;
    while (p + 8 <= d.size()) {
        DWORD data_size = get32(d, p), header_size = get32(d, p + 4);
        if (header_size < 16 || header_size > d.size() - p || data_size > d.size() - p - header_size)
            break;
        size_t end = p + header_size, at = p + 8;
        ResourceEntry e;
        if (!read_id(d, &at, end, &e.type_is_id, &e.type_id, &e.type_name) ||
            !read_id(d, &at, end, &e.name_is_id, &e.name_id, &e.name_name))
            break;
        at = p + ((at - p + 3) & ~(size_t)3);
        if (at + 16 > end)
            break;
        e.lang = get16(d, at + 6);
        e.offset = (DWORD)end;
        e.size = data_size;
        if (!(e.type_is_id && e.type_id == 0))
            t->entries.push_back(e);
        p = (end + data_size + 3) & ~(size_t)3;
    }
}

ResourceTable *table_of(qmk::Module *m)
{
    if (!m->resources) {
        m->resources = new ResourceTable();
        m->resources->data = read_section(m->host);
        index_entries(m->resources);
    }
    return m->resources;
}

/* Whether an entry's type or name field equals the identifier the caller gave (an
 * integer resource, "#123", or a name compared without regard to case). */
bool same_id(bool is_id, WORD id, const std::u16string &name, LPCWSTR wanted)
{
    if (IS_INTRESOURCE(wanted))
        return is_id && id == (WORD)(ULONG_PTR)wanted;
    if (wanted[0] == u'#') {
        DWORD n = 0;
        for (LPCWSTR p = wanted + 1; *p >= u'0' && *p <= u'9'; ++p)
            n = n * 10 + (*p - u'0');
        return is_id && id == n;
    }
    if (is_id)
        return false;
    std::u16string w = wanted;
    return qmk::EqualNoCase(w, name);
}

/* Finds an entry; lang_given false picks by kLanguageOrder. NULL with the last error. */
const ResourceEntry *find_entry(qmk::Module *m, LPCWSTR type, LPCWSTR name, bool lang_given, WORD lang)
{
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ResourceTable *t = table_of(m);
    if (t->entries.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    std::vector<const ResourceEntry *> found;
    bool type_seen = false;
    for (const ResourceEntry &e : t->entries) {
        if (!same_id(e.type_is_id, e.type_id, e.type_name, type))
            continue;
        type_seen = true;
        if (same_id(e.name_is_id, e.name_id, e.name_name, name))
            found.push_back(&e);
    }
    if (found.empty()) {
        SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (lang_given && lang != 0) {
        for (const ResourceEntry *e : found) {
            if (e->lang == lang)
                return e;
        }
        for (const ResourceEntry *e : found) {
            if (PRIMARYLANGID(e->lang) == PRIMARYLANGID(lang))
                return e;
        }
        SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
        return nullptr;
    }
    for (WORD preferred : kLanguageOrder) {
        for (const ResourceEntry *e : found) {
            if (e->lang == preferred)
                return e;
        }
    }
    return found[0];
}

qmk::Module *module_or_fail(HMODULE h)
{
    qmk::Module *m = qmk::ResolveModule(h);
    if (!m)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return m;
}

/* Whether hResInfo is an entry of module m's table. */
const ResourceEntry *entry_of(qmk::Module *m, HRSRC hResInfo)
{
    const ResourceEntry *e = (const ResourceEntry *)hResInfo;
    if (!m || !m->resources || m->resources->entries.empty())
        return nullptr;
    const ResourceEntry *first = m->resources->entries.data();
    if (e < first || e >= first + m->resources->entries.size())
        return nullptr;
    return e;
}

} // namespace

void qmk::FreeResourceTable(ResourceTable *table)
{
    delete table;
}

bool qmk::FindResourceData(HMODULE module, LPCWSTR type, LPCWSTR name, WORD lang, const void **data, DWORD *size)
{
    std::lock_guard<std::recursive_mutex> guard(LoaderLock());
    Module *m = module_or_fail(module);
    const ResourceEntry *e = m ? find_entry(m, type, name, lang != 0, lang) : nullptr;
    if (!e)
        return false;
    *data = m->resources->data.data() + e->offset;
    *size = e->size;
    return true;
}

/*
 * FindResourceW: finds resource lpName of type lpType (integer identifiers, "#number" or
 * names without regard to case) in the module (NULL = the main program), choosing the
 * language as described above. NULL with ERROR_RESOURCE_DATA_NOT_FOUND (no resources),
 * ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND.
 */
extern "C" HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    qmk::Module *m = module_or_fail(hModule);
    return m ? (HRSRC)find_entry(m, lpType, lpName, false, 0) : nullptr;
}

/*
 * FindResourceExW: as FindResourceW (note the order: type before name) in one language:
 * the exact language, else one of the same primary language; language 0 chooses as
 * FindResourceW. NULL as FindResourceW, or with ERROR_RESOURCE_LANG_NOT_FOUND.
 */
extern "C" HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    qmk::Module *m = module_or_fail(hModule);
    return m ? (HRSRC)find_entry(m, lpType, lpName, true, wLanguage) : nullptr;
}

/* LoadResource: the data of a found resource (valid while the module stays loaded).
 * NULL with ERROR_RESOURCE_DATA_NOT_FOUND when hResInfo is not of that module. */
extern "C" HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    qmk::Module *m = qmk::ResolveModule(hModule);
    const ResourceEntry *e = entry_of(m, hResInfo);
    if (!e) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return (HGLOBAL)(m->resources->data.data() + e->offset);
}

/* LockResource: the address of loaded resource data (the handle itself). */
extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

/* SizeofResource: the size in bytes of a found resource; 0 with
 * ERROR_RESOURCE_DATA_NOT_FOUND when hResInfo is not of that module. */
extern "C" DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    const ResourceEntry *e = entry_of(qmk::ResolveModule(hModule), hResInfo);
    if (!e) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return e->size;
}

/* FreeResource: obsolete; resource data lives as long as its module. Returns FALSE. */
extern "C" BOOL WINAPI FreeResource(HGLOBAL hResData)
{
    (void)hResData;
    return FALSE;
}

/*
 * LoadStringW: string uID of the module's string table (blocks of 16 counted strings,
 * block uID / 16 + 1). With cchBufferMax 0, *(LPCWSTR *)lpBuffer receives a read-only
 * pointer to the string in the resource (not terminated) and the result is its length.
 * Otherwise at most cchBufferMax - 1 characters are copied and terminated, and the result
 * is the number copied. 0 (and an empty buffer) when the string is missing or empty.
 */
extern "C" int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (cchBufferMax > 0)
        lpBuffer[0] = 0;
    const void *data;
    DWORD size;
    if (!qmk::FindResourceData(hInstance, RT_STRING, MAKEINTRESOURCEW((uID >> 4) + 1), 0, &data, &size))
        return 0;
    const WCHAR *block = (const WCHAR *)data;
    size_t count = size / sizeof(WCHAR), at = 0;
    for (UINT i = 0; i < (uID & 15); ++i) {
        if (at >= count)
            return 0;
        at += 1 + (size_t)block[at];
    }
    if (at >= count || block[at] > count - at - 1)
        return 0;
    int length = block[at];
    const WCHAR *text = block + at + 1;
    if (cchBufferMax == 0) {
        *(const WCHAR **)lpBuffer = text;
        return length;
    }
    int n = length < cchBufferMax - 1 ? length : cchBufferMax - 1;
    memcpy(lpBuffer, text, n * sizeof(WCHAR));
    lpBuffer[n] = 0;
    return n;
}
