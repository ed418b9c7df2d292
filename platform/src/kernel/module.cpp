/*
 * Modules. Deliverables and stand-in components keep their Windows file names on the host
 * (ELF shared objects named "x.dll"); LoadLibrary opens them with the dynamic linker and
 * runs their exported DllMain, if any. An HMODULE is the address of a platform record,
 * never the dynamic linker's handle.
 *
 * A bare name is looked for among the loaded modules, then in the directory of the main
 * program, the current directory and the host directories listed in QM_DLL_PATH
 * (separated by ':'), each time without regard to case; a name without extension gets
 * ".dll". The names of the system libraries (KERNEL32 and the others below) stand for the
 * platform library itself; wsock32 has a record of its own that withholds the
 * name-resolution functions. Flags DONT_RESOLVE_DLL_REFERENCES and LOAD_LIBRARY_AS_DATAFILE
 * only map the file for its resources: no code of it runs.
 */
#include "platform/src/kernel/module_private.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>
#include <vector>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

typedef BOOL(WINAPI *DllMainProc)(HINSTANCE, DWORD, LPVOID);

const DWORD kModuleMagic = 0x444F4D51; /* "QMOD" */
const DWORD kDataFileFlags = DONT_RESOLVE_DLL_REFERENCES | LOAD_LIBRARY_AS_DATAFILE;

/* File names of the system libraries that the platform library plays. */
const char16_t *const kSystemLibraries[] = {
    u"KERNEL32.DLL",
    u"USER32.DLL",
    u"GDI32.DLL",
    u"ADVAPI32.DLL",
    u"WINSPOOL.DRV",
    u"COMCTL32.DLL",
    u"COMPSTUI.DLL",
    u"OLE32.DLL",
    u"WS2_32.DLL",
    u"IPHLPAPI.DLL",
    u"WSOCK32.DLL",
    u"SNMPAPI.DLL",
};

/* wsock32 is Winsock 1.1: the platform library without the name-resolution functions.
 * It has a record of its own so that GetProcAddress can withhold them. */
const char16_t kWsock32[] = u"WSOCK32.DLL";
const char *const kWsock32Withheld[] = {"getaddrinfo", "getnameinfo", "freeaddrinfo"};

/* The loader's records live as long as the process: modules found by address stay mapped
 * until it ends, and a module's DllMain may still run while static objects are destroyed. */
std::vector<qmk::Module *> &g_modules = *new std::vector<qmk::Module *>;
std::set<const qmk::Module *> &g_live = *new std::set<const qmk::Module *>;
qmk::Module *g_main;
qmk::Module *g_platform;
qmk::Module *g_wsock32;
std::set<std::string> g_hidden_exports;        /* made to fail by a test */
std::map<std::u16string, DWORD> g_load_counts; /* by folded file name */
std::vector<std::u16string> g_failing;         /* folded file names */
std::vector<std::string> g_hidden_prefixes;    /* name prefixes of the platform library */

std::u16string folded(const std::u16string &s)
{
    std::u16string out = s;
    for (char16_t &c : out)
        c = qmk::FoldCase(c);
    return out;
}

/* The file name a module is known by: the last component, with ".dll" when it has no
 * extension (a trailing dot means "no extension, add none"). */
std::u16string module_file_name(const std::u16string &name)
{
    size_t slash = name.find_last_of(u"\\/");
    std::u16string base = slash == std::u16string::npos ? name : name.substr(slash + 1);
    if (!base.empty() && base.back() == u'.')
        base.pop_back();
    else if (base.find(u'.') == std::u16string::npos)
        base += u".dll";
    return base;
}

std::string canonical(const std::string &path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::u16string base_of_host(const std::string &host)
{
    return qmk::WideText(CP_UTF8, host.substr(host.find_last_of('/') + 1));
}

qmk::Module *new_record(const std::string &host, void *dl, bool datafile, bool pinned)
{
    qmk::Module *m = new qmk::Module();
    m->magic = kModuleMagic;
    m->host = host;
    m->file_name = base_of_host(host);
    m->dl = dl;
    m->link = nullptr;
    if (dl)
        dlinfo(dl, RTLD_DI_LINKMAP, &m->link);
    m->refs = pinned ? 0 : 1;
    m->datafile = datafile;
    m->pinned = pinned;
    m->resources = nullptr;
    g_modules.push_back(m);
    g_live.insert(m);
    return m;
}

void drop_record(qmk::Module *m)
{
    for (size_t i = 0; i < g_modules.size(); ++i) {
        if (g_modules[i] == m) {
            g_modules.erase(g_modules.begin() + i);
            break;
        }
    }
    g_live.erase(m);
    qmk::FreeResourceTable(m->resources);
    m->magic = 0;
    delete m;
}

/* The records of the main program and of the platform library, made on first use. */
void ensure_fixed_records()
{
    if (g_main)
        return;
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    exe[n > 0 ? n : 0] = '\0';
    g_main = new_record(exe, dlopen(nullptr, RTLD_NOW), false, true);
    Dl_info info;
    dladdr((const void *)&ensure_fixed_records, &info);
    std::string platform = canonical(info.dli_fname);
    g_platform = new_record(platform, dlopen(platform.c_str(), RTLD_NOW | RTLD_NOLOAD), false, true);
    g_wsock32 = new_record(platform, g_platform->dl, false, true);
    g_wsock32->file_name = kWsock32;
}

/* The record that answers for a system library: wsock32's own, else the platform's. */
qmk::Module *system_module(const std::u16string &file_name)
{
    return qmk::EqualNoCase(file_name, kWsock32) ? g_wsock32 : g_platform;
}

/* Whether GetProcAddress must not find `name` in m: withheld by wsock32 or hidden by a test. */
bool export_withheld(const qmk::Module *m, const char *name)
{
    if (g_hidden_exports.count(name))
        return true;
    if (m == g_platform && qmk::ExportHidden(name))
        return true;
    if (m != g_wsock32)
        return false;
    for (const char *withheld : kWsock32Withheld) {
        if (strcmp(withheld, name) == 0)
            return true;
    }
    return false;
}

bool is_system_library(const std::u16string &file_name)
{
    for (const char16_t *name : kSystemLibraries) {
        if (qmk::EqualNoCase(file_name, name))
            return true;
    }
    return false;
}

qmk::Module *find_by_host(const std::string &host, bool datafile)
{
    for (qmk::Module *m : g_modules) {
        if (m->host == host && (!m->datafile || datafile))
            return m;
    }
    return nullptr;
}

qmk::Module *find_by_name(const std::u16string &file_name, bool datafile)
{
    for (qmk::Module *m : g_modules) {
        if (qmk::EqualNoCase(m->file_name, file_name) && (!m->datafile || datafile))
            return m;
    }
    return nullptr;
}

struct LinkedSearch {
    const std::u16string *name;
    std::string found;
};

/* A library linked into the program (not loaded by LoadLibrary) of that file name. */
qmk::Module *find_linked(const std::u16string &file_name)
{
    LinkedSearch search = {&file_name, std::string()};
    dl_iterate_phdr(
        [](struct dl_phdr_info *info, size_t, void *data) -> int {
            LinkedSearch *s = (LinkedSearch *)data;
            if (!info->dlpi_name || !*info->dlpi_name)
                return 0;
            std::string host = info->dlpi_name;
            if (!qmk::EqualNoCase(base_of_host(host), *s->name))
                return 0;
            s->found = host;
            return 1;
        },
        &search);
    if (search.found.empty())
        return nullptr;
    std::string host = canonical(search.found);
    if (qmk::Module *m = find_by_host(host, false))
        return m;
    return new_record(host, dlopen(host.c_str(), RTLD_NOW | RTLD_NOLOAD), false, true);
}

/* Looks for file_name in a host directory without regard to case. */
bool find_in_directory(const std::string &dir, const std::u16string &file_name, std::string *host)
{
    if (dir.empty())
        return false;
    std::u16string windows = qmk::WindowsPathOfHost(dir) + u"\\" + file_name;
    std::string candidate;
    struct stat st;
    if (!qmk::HostPath(windows.c_str(), &candidate) || stat(candidate.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *host = candidate;
    return true;
}

bool search_module(const std::u16string &file_name, std::string *host)
{
    std::string exe_dir = g_main->host.substr(0, g_main->host.find_last_of('/'));
    if (find_in_directory(exe_dir, file_name, host))
        return true;
    WCHAR cwd[MAX_PATH];
    std::string cwd_host;
    if (GetCurrentDirectoryW(MAX_PATH, cwd) < MAX_PATH && qmk::HostPath(cwd, &cwd_host) &&
        find_in_directory(cwd_host, file_name, host))
        return true;
    const char *env = getenv("QM_DLL_PATH");
    std::string list = env ? env : "";
    size_t i = 0;
    while (i < list.size()) {
        size_t j = list.find(':', i);
        if (j == std::string::npos)
            j = list.size();
        if (find_in_directory(list.substr(i, j - i), file_name, host))
            return true;
        i = j + 1;
    }
    return false;
}

bool is_elf(const std::string &host)
{
    int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    unsigned char magic[4] = {};
    bool ok = read(fd, magic, 4) == 4 && memcmp(magic, "\177ELF", 4) == 0;
    close(fd);
    return ok;
}

/* The module's own DllMain: the dynamic linker also finds the symbol in the module's
 * dependencies, which must not answer for it. */
DllMainProc own_dllmain(qmk::Module *m)
{
    void *sym = dlsym(m->dl, "DllMain");
    Dl_info info;
    struct link_map *owner = nullptr;
    if (!sym || !dladdr1(sym, &info, (void **)&owner, RTLD_DL_LINKMAP) || owner != m->link)
        return nullptr;
    return (DllMainProc)sym;
}

/* The module's own symbol of that name, or NULL (a dependency's symbol does not count). */
void *own_symbol(qmk::Module *m, const char *name)
{
    void *sym = dlsym(m->dl, name);
    Dl_info info;
    struct link_map *owner = nullptr;
    if (!sym || !dladdr1(sym, &info, (void **)&owner, RTLD_DL_LINKMAP) || owner != m->link)
        return nullptr;
    return sym;
}

void count_load(const std::u16string &file_name)
{
    ++g_load_counts[folded(file_name)];
}

HMODULE fail_module(DWORD error)
{
    SetLastError(error);
    return nullptr;
}

} // namespace

std::recursive_mutex &qmk::LoaderLock()
{
    static std::recursive_mutex lock;
    return lock;
}

qmk::Module *qmk::ResolveModule(HMODULE h)
{
    ensure_fixed_records();
    if (!h)
        return g_main;
    Module *m = (Module *)h;
    return g_live.count(m) ? m : nullptr;
}

HMODULE qmk::ModuleOfAddress(const void *address)
{
    std::lock_guard<std::recursive_mutex> guard(LoaderLock());
    ensure_fixed_records();
    Dl_info info;
    struct link_map *owner = nullptr;
    if (!dladdr1(address, &info, (void **)&owner, RTLD_DL_LINKMAP) || !owner)
        return nullptr;
    for (Module *m : g_modules) {
        if (m->link == owner)
            return (HMODULE)m;
    }
    if (!owner->l_name || !*owner->l_name)
        return (HMODULE)g_main;
    std::string host = canonical(owner->l_name);
    if (Module *m = find_by_host(host, false))
        return (HMODULE)m;
    return (HMODULE)new_record(host, dlopen(host.c_str(), RTLD_NOW | RTLD_NOLOAD), false, true);
}

/*
 * LoadLibraryExW: loads a module, or takes one more reference to it when it is loaded
 * already, and returns its handle. The module's DllMain is called with DLL_PROCESS_ATTACH
 * on first load; when it answers FALSE the module is unloaded again (after
 * DLL_PROCESS_DETACH) and the call fails with ERROR_DLL_INIT_FAILED. With
 * DONT_RESOLVE_DLL_REFERENCES or LOAD_LIBRARY_AS_DATAFILE the file is only mapped for its
 * resources. hFile is reserved. NULL with ERROR_INVALID_PARAMETER (no name),
 * ERROR_MOD_NOT_FOUND (not found, a dependency is missing, or made to fail by a test) or
 * ERROR_BAD_EXE_FORMAT (not a module).
 */
extern "C" HMODULE WINAPI LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags)
{
    (void)hFile;
    if (!lpLibFileName)
        return fail_module(ERROR_INVALID_PARAMETER);
    std::u16string request = lpLibFileName;
    if (request.empty())
        return fail_module(ERROR_MOD_NOT_FOUND);
    std::u16string file_name = module_file_name(request);
    bool datafile = (dwFlags & kDataFileFlags) != 0;
    bool has_path = request.find_first_of(u"\\/") != std::u16string::npos;

    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    ensure_fixed_records();
    for (const std::u16string &failing : g_failing) {
        if (failing == folded(file_name))
            return fail_module(ERROR_MOD_NOT_FOUND);
    }
    if (!has_path && is_system_library(file_name)) {
        count_load(file_name);
        return (HMODULE)system_module(file_name);
    }
    std::string host;
    qmk::Module *m = nullptr;
    if (has_path) {
        std::u16string path = request;
        std::u16string last = path.substr(path.find_last_of(u"\\/") + 1);
        if (!last.empty() && last.back() == u'.')
            path.pop_back();
        else if (last.find(u'.') == std::u16string::npos)
            path += u".dll";
        struct stat st;
        if (!qmk::HostPath(path.c_str(), &host) || stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            return fail_module(ERROR_MOD_NOT_FOUND);
        host = canonical(host);
        m = find_by_host(host, datafile);
    } else {
        m = find_by_name(file_name, datafile);
        if (!m)
            m = find_linked(file_name);
        if (!m) {
            if (!search_module(file_name, &host))
                return fail_module(ERROR_MOD_NOT_FOUND);
            host = canonical(host);
            m = find_by_host(host, datafile);
        }
    }
    if (m) {
        if (!m->pinned)
            ++m->refs;
        count_load(file_name);
        return (HMODULE)m;
    }
    if (!is_elf(host))
        return fail_module(ERROR_BAD_EXE_FORMAT);
    if (datafile) {
        m = new_record(host, nullptr, true, false);
        count_load(file_name);
        return (HMODULE)m;
    }
    void *dl = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dl)
        return fail_module(ERROR_MOD_NOT_FOUND);
    m = new_record(host, dl, false, false);
    if (DllMainProc entry = own_dllmain(m)) {
        if (!entry((HINSTANCE)m, DLL_PROCESS_ATTACH, nullptr)) {
            entry((HINSTANCE)m, DLL_PROCESS_DETACH, nullptr);
            drop_record(m);
            dlclose(dl);
            return fail_module(ERROR_DLL_INIT_FAILED);
        }
    }
    count_load(file_name);
    return (HMODULE)m;
}

/* LoadLibraryW: LoadLibraryExW without flags. */
extern "C" HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName)
{
    return LoadLibraryExW(lpLibFileName, nullptr, 0);
}

/* LoadLibraryExA: LoadLibraryExW of the name in the ANSI code page. */
extern "C" HMODULE WINAPI LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags)
{
    if (!lpLibFileName)
        return fail_module(ERROR_INVALID_PARAMETER);
    return LoadLibraryExW(qmk::WideText(CP_ACP, lpLibFileName).c_str(), hFile, dwFlags);
}

/* LoadLibraryA: LoadLibraryExA without flags. */
extern "C" HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName)
{
    return LoadLibraryExA(lpLibFileName, nullptr, 0);
}

/*
 * FreeLibrary: drops one reference; at the last one the module's DllMain gets
 * DLL_PROCESS_DETACH and the module is unloaded. The main program, the system libraries
 * and libraries linked into the program stay. FALSE with ERROR_INVALID_HANDLE for no
 * module.
 */
extern "C" BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    qmk::Module *m = hLibModule ? qmk::ResolveModule(hLibModule) : nullptr;
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (m->pinned || --m->refs > 0)
        return TRUE;
    void *dl = m->dl;
    if (dl) {
        if (DllMainProc entry = own_dllmain(m))
            entry((HINSTANCE)m, DLL_PROCESS_DETACH, nullptr);
    }
    drop_record(m);
    if (dl)
        dlclose(dl);
    return TRUE;
}

/*
 * The host name of a decorated stdcall export "_name@N": an ELF symbol cannot carry '@'
 * (assembler and linker read it as a version), so such an export is built as
 * "qmstdcall_name_N". Empty for any other name.
 */
static std::string decorated_alias(const char *name)
{
    const char *at = strrchr(name, '@');
    if (name[0] != '_' || !at || at == name + 1 || !at[1] || strspn(at + 1, "0123456789") != strlen(at + 1))
        return std::string();
    return "qmstdcall_" + std::string(name + 1, at) + "_" + std::string(at + 1);
}

/*
 * GetProcAddress: the address of an export of the module (NULL = the main program) by
 * name; only the module's own symbols count. Exports by ordinal are not provided. NULL
 * with ERROR_MOD_NOT_FOUND (no module) or ERROR_PROC_NOT_FOUND (no such export, an
 * ordinal, or a module loaded as a data file).
 */
extern "C" FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    qmk::Module *m = qmk::ResolveModule(hModule);
    if (!m) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (!m->dl || IS_INTRESOURCE(lpProcName) || export_withheld(m, lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void *sym = own_symbol(m, lpProcName);
    /* The platform library keeps exports whose names the host C library also has (socket,
     * bind ...) under "qmsys_" + name, so that no host library calls them by mistake. */
    if (!sym && m->host == g_platform->host)
        sym = own_symbol(m, (std::string("qmsys_") + lpProcName).c_str());
    std::string alias = sym ? std::string() : decorated_alias(lpProcName);
    if (!alias.empty())
        sym = own_symbol(m, alias.c_str());
    if (!sym) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return (FARPROC)sym;
}

/*
 * GetModuleHandleW: the handle of a module already in the process, without taking a
 * reference: NULL names the main program; a bare name matches a loaded module or a
 * library linked into the program by file name (".dll" added when without extension); a
 * path matches by file. NULL with ERROR_MOD_NOT_FOUND.
 */
extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    ensure_fixed_records();
    if (!lpModuleName)
        return (HMODULE)g_main;
    std::u16string request = lpModuleName;
    std::u16string file_name = module_file_name(request);
    qmk::Module *m = nullptr;
    if (request.find_first_of(u"\\/") != std::u16string::npos) {
        std::string host;
        if (qmk::HostPath(request.c_str(), &host)) {
            host = canonical(host);
            m = find_by_host(host, true);
            qmk::Module *linked = m ? nullptr : find_linked(file_name);
            if (linked && linked->host == host)
                m = linked;
        }
    } else if (is_system_library(file_name)) {
        m = system_module(file_name);
    } else {
        m = find_by_name(file_name, false);
        if (!m)
            m = find_linked(file_name);
        if (!m)
            m = find_by_name(file_name, true);
    }
    if (!m)
        return fail_module(ERROR_MOD_NOT_FOUND);
    return (HMODULE)m;
}

/*
 * GetModuleFileNameW: the Windows path of the module's file (NULL = the main program):
 * files under the root by their drive, others through Z:. Returns the length; when the
 * buffer of nSize characters is too small, the path is cut to nSize - 1 characters and
 * a terminator, the result is nSize and the last error ERROR_INSUFFICIENT_BUFFER.
 * 0 with ERROR_MOD_NOT_FOUND for no module.
 */
extern "C" DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    std::u16string path;
    {
        std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
        qmk::Module *m = qmk::ResolveModule(hModule);
        if (!m) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = qmk::WindowsPathOfHost(m->host);
    }
    if (nSize == 0 || !lpFilename) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < nSize) {
        memcpy(lpFilename, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
        return (DWORD)path.size();
    }
    memcpy(lpFilename, path.c_str(), (nSize - 1) * sizeof(WCHAR));
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

/* DisableThreadLibraryCalls: thread notifications are never sent on the host, so this
 * only checks the handle. FALSE with ERROR_INVALID_HANDLE for no module. */
extern "C" BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    if (!hLibModule || !qmk::ResolveModule(hLibModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

void qmk::HideExports(const char *prefix, bool hide)
{
    std::lock_guard<std::recursive_mutex> guard(LoaderLock());
    for (size_t i = 0; i < g_hidden_prefixes.size(); ++i) {
        if (g_hidden_prefixes[i] == prefix)
            g_hidden_prefixes.erase(g_hidden_prefixes.begin() + i--);
    }
    if (hide)
        g_hidden_prefixes.push_back(prefix);
}

/* The caller holds the loader lock. */
bool qmk::ExportHidden(const char *name)
{
    for (const std::string &prefix : g_hidden_prefixes) {
        if (strncmp(name, prefix.c_str(), prefix.size()) == 0)
            return true;
    }
    return false;
}

extern "C" DWORD qmt_ModuleLoadCount(LPCWSTR name)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    if (!name)
        return 0;
    auto it = g_load_counts.find(folded(module_file_name(name)));
    return it == g_load_counts.end() ? 0 : it->second;
}

extern "C" DWORD qmt_LiveModules(void)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    DWORD n = 0;
    for (const qmk::Module *m : g_modules) {
        if (!m->pinned)
            ++n;
    }
    return n;
}

extern "C" void qmt_FailModuleLoad(LPCWSTR name)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    if (!name)
        g_failing.clear();
    else
        g_failing.push_back(folded(module_file_name(name)));
}

extern "C" void qmt_HideExport(LPCSTR name)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    if (!name)
        g_hidden_exports.clear();
    else
        g_hidden_exports.insert(name);
}

extern "C" void qmt_ResetModuleCounts(void)
{
    std::lock_guard<std::recursive_mutex> guard(qmk::LoaderLock());
    g_load_counts.clear();
}
