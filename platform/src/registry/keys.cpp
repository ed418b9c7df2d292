/*
 * Registry keys: the predefined roots, opening, creating, enumerating and deleting keys,
 * and the accounting of open key handles.
 *
 * Layout under the root: registry/HKLM is HKEY_LOCAL_MACHINE, registry/HKU is HKEY_USERS
 * with one sub key per user name, and HKEY_CURRENT_USER is the sub key of HKEY_USERS named
 * by the current (possibly pinned) user.
 */
#include "platform/src/registry/registry_private.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <unordered_set>

#include "platform/src/kernel/kernel_private.h"
#include "platform/src/registry/store.h"
#include "platform/testing/qm_testing.h"

namespace {

const size_t kMaxKeyNameUnits = 255;

struct OpenKey {
    qmreg::KeyRef ref;
};

std::mutex g_keys_lock;
std::unordered_set<OpenKey *> g_open_keys;
std::atomic<bool> g_deny_machine_writes;
std::atomic<unsigned> g_delete_counter;

std::string registry_dir()
{
    return qmk::RootDir() + "/registry";
}

bool is_dir(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

/* Makes a key directory holding a key file with the given name, atomically: the directory
 * is prepared under a temporary name and renamed. True when it exists afterwards. */
bool make_key_dir(const std::string &dir, const std::u16string &name)
{
    if (is_dir(dir))
        return true;
    std::string temp = dir + ".new." + std::to_string(getpid()) + "." + std::to_string(g_delete_counter++);
    if (mkdir(temp.c_str(), 0777) != 0)
        return false;
    qmr::KeyFile key;
    key.name = name;
    key.next_seq = 1;
    bool ok = qmr::SaveKeyFile(temp, key);
    if (ok && rename(temp.c_str(), dir.c_str()) != 0)
        ok = is_dir(dir);
    std::error_code ec;
    std::filesystem::remove_all(temp, ec);
    return ok;
}

/* Splits a sub key path at backslashes; a leading backslash is refused and empty parts
 * elsewhere are skipped, as are over-long parts. */
LONG split_path(LPCWSTR sub_key, std::vector<std::u16string> *parts)
{
    parts->clear();
    if (!sub_key)
        return ERROR_SUCCESS;
    if (sub_key[0] == u'\\')
        return ERROR_BAD_PATHNAME;
    std::u16string part;
    for (const char16_t *p = sub_key;; ++p) {
        if (*p == u'\\' || *p == 0) {
            if (!part.empty()) {
                if (part.size() > kMaxKeyNameUnits)
                    return ERROR_INVALID_PARAMETER;
                parts->push_back(part);
            }
            part.clear();
            if (*p == 0)
                break;
        } else {
            part.push_back(*p);
        }
    }
    return ERROR_SUCCESS;
}

/* Resolves a handle and splits the sub key path below it. */
LONG resolve_path(HKEY hKey, LPCWSTR lpSubKey, qmreg::KeyRef *parent, std::vector<std::u16string> *parts)
{
    LONG rc = qmreg::ResolveKey(hKey, parent);
    return rc != ERROR_SUCCESS ? rc : split_path(lpSubKey, parts);
}

HKEY new_handle(const qmreg::KeyRef &ref)
{
    OpenKey *k = new OpenKey{ref};
    std::lock_guard<std::mutex> guard(g_keys_lock);
    g_open_keys.insert(k);
    return (HKEY)k;
}

bool wants_write(REGSAM sam)
{
    return (sam &
            (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL)) != 0;
}

REGSAM map_generic(REGSAM sam)
{
    if (sam & GENERIC_ALL)
        sam |= KEY_ALL_ACCESS;
    if (sam & GENERIC_READ)
        sam |= KEY_READ;
    if (sam & GENERIC_WRITE)
        sam |= KEY_WRITE;
    if (sam & GENERIC_EXECUTE)
        sam |= KEY_EXECUTE;
    return sam;
}

/* Opens (create = false) or creates the key path below a resolved key. */
LONG open_or_create(HKEY hKey, LPCWSTR lpSubKey, REGSAM sam, bool create, PHKEY phkResult, LPDWORD disposition)
{
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    qmreg::KeyRef parent;
    std::vector<std::u16string> parts;
    LONG rc = resolve_path(hKey, lpSubKey, &parent, &parts);
    if (rc != ERROR_SUCCESS)
        return rc;
    sam = map_generic(sam);
    if (parent.machine && qmreg::MachineWritesDenied() && wants_write(sam))
        return ERROR_ACCESS_DENIED;
    qmr::StoreLock lock(qmreg::LockPath(), create);
    if (!qmreg::KeyExists(parent))
        return ERROR_KEY_DELETED;
    std::string dir = parent.dir;
    bool created = false;
    for (const std::u16string &part : parts) {
        dir += "/" + qmr::EncodeName(part);
        if (is_dir(dir))
            continue;
        if (!create)
            return ERROR_FILE_NOT_FOUND;
        if (!(parent.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        if (parent.machine && qmreg::MachineWritesDenied())
            return ERROR_ACCESS_DENIED;
        if (!make_key_dir(dir, part))
            return ERROR_CANTWRITE;
        created = true;
    }
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *phkResult = new_handle(qmreg::KeyRef{dir, sam, parent.machine});
    return ERROR_SUCCESS;
}

} // namespace

std::string qmreg::LockPath()
{
    std::string dir = registry_dir();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir + "/.lock";
}

bool qmreg::MachineWritesDenied()
{
    return g_deny_machine_writes.load();
}

LONG qmreg::ResolveKey(HKEY key, KeyRef *out)
{
    ULONG_PTR value = (ULONG_PTR)key;
    if (value == (ULONG_PTR)HKEY_LOCAL_MACHINE || value == (ULONG_PTR)HKEY_USERS ||
        value == (ULONG_PTR)HKEY_CURRENT_USER) {
        std::string base = registry_dir();
        std::error_code ec;
        std::filesystem::create_directories(base, ec);
        bool machine = value == (ULONG_PTR)HKEY_LOCAL_MACHINE;
        out->dir = base + (machine ? "/HKLM" : "/HKU");
        out->access = KEY_ALL_ACCESS;
        out->machine = machine;
        if (!make_key_dir(out->dir, std::u16string()))
            return ERROR_CANTOPEN;
        if (value == (ULONG_PTR)HKEY_CURRENT_USER) {
            std::u16string user = qmk::CurrentUserName();
            out->dir += "/" + qmr::EncodeName(user);
            if (!make_key_dir(out->dir, user))
                return ERROR_CANTOPEN;
        }
        return ERROR_SUCCESS;
    }
    std::lock_guard<std::mutex> guard(g_keys_lock);
    OpenKey *k = (OpenKey *)key;
    if (!key || g_open_keys.find(k) == g_open_keys.end())
        return ERROR_INVALID_HANDLE;
    *out = k->ref;
    return ERROR_SUCCESS;
}

bool qmreg::KeyExists(const KeyRef &key)
{
    return is_dir(key.dir);
}

std::vector<qmreg::SubKey> qmreg::ListSubKeys(const std::string &dir)
{
    std::vector<SubKey> out;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(dir, ec)) {
        std::string leaf = entry.path().filename().string();
        if (leaf.compare(0, 2, "k_") != 0 || leaf.find('.') != std::string::npos)
            continue;
        if (!entry.is_directory(ec))
            continue;
        qmr::KeyFile key;
        SubKey sub;
        sub.dir = entry.path().string();
        if (qmr::LoadKeyFile(sub.dir, &key))
            sub.name = key.name;
        out.push_back(sub);
    }
    std::sort(out.begin(), out.end(), [](const SubKey &a, const SubKey &b) {
        int c = qmr::CompareNoCase(a.name, b.name);
        return c != 0 ? c < 0 : a.dir < b.dir;
    });
    return out;
}

/* Opens an existing key below hKey (lpSubKey NULL or empty: hKey itself again).
 * In: hKey, lpSubKey (backslash-separated, no leading backslash), samDesired. Out: *phkResult
 * (NULL on failure). Returns ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_BAD_PATHNAME,
 * ERROR_ACCESS_DENIED (write rights under a denied HKEY_LOCAL_MACHINE), ERROR_INVALID_HANDLE. */
extern "C" LONG WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions;
    return open_or_create(hKey, lpSubKey, samDesired, false, phkResult, nullptr);
}

/* Opens a key below hKey, creating every missing level. Class, options and security
 * are accepted and ignored. Out: *phkResult, *lpdwDisposition (REG_CREATED_NEW_KEY or
 * REG_OPENED_EXISTING_KEY). Returns ERROR_SUCCESS or the errors of RegOpenKeyExW; creating
 * needs KEY_CREATE_SUB_KEY on hKey (else ERROR_ACCESS_DENIED). */
extern "C" LONG WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass, DWORD dwOptions,
                                       REGSAM samDesired, const SECURITY_ATTRIBUTES *lpSecurityAttributes,
                                       PHKEY phkResult, LPDWORD lpdwDisposition)
{
    (void)Reserved;
    (void)lpClass;
    (void)dwOptions;
    (void)lpSecurityAttributes;
    return open_or_create(hKey, lpSubKey, samDesired, true, phkResult, lpdwDisposition);
}

/* RegCreateKeyExW with all access and no options. */
extern "C" LONG WINAPI RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult)
{
    return open_or_create(hKey, lpSubKey, KEY_ALL_ACCESS, true, phkResult, nullptr);
}

/* Closes an opened key; predefined keys close as a no-op. ERROR_INVALID_HANDLE for
 * anything else. */
extern "C" LONG WINAPI RegCloseKey(HKEY hKey)
{
    ULONG_PTR value = (ULONG_PTR)hKey;
    if (value >= 0x80000000UL && value <= 0x80000003UL)
        return ERROR_SUCCESS;
    OpenKey *k = (OpenKey *)hKey;
    {
        std::lock_guard<std::mutex> guard(g_keys_lock);
        if (!hKey || g_open_keys.erase(k) == 0)
            return ERROR_INVALID_HANDLE;
    }
    delete k;
    return ERROR_SUCCESS;
}

/* Deletes the key lpSubKey below hKey, which must have no sub keys
 * (ERROR_ACCESS_DENIED otherwise). ERROR_FILE_NOT_FOUND when it does not exist; handles
 * still open on it then answer ERROR_KEY_DELETED. */
extern "C" LONG WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    qmreg::KeyRef parent;
    std::vector<std::u16string> parts;
    LONG rc = resolve_path(hKey, lpSubKey, &parent, &parts);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (parts.empty())
        return ERROR_INVALID_PARAMETER;
    if (parent.machine && qmreg::MachineWritesDenied())
        return ERROR_ACCESS_DENIED;
    qmr::StoreLock lock(qmreg::LockPath(), true);
    std::string dir = parent.dir;
    for (const std::u16string &part : parts)
        dir += "/" + qmr::EncodeName(part);
    if (!is_dir(dir))
        return ERROR_FILE_NOT_FOUND;
    if (!qmreg::ListSubKeys(dir).empty())
        return ERROR_ACCESS_DENIED;
    /* Renamed away first, so the key vanishes at once even if removing its files fails. */
    std::string doomed = parent.dir + "/.del." + std::to_string(getpid()) + "." + std::to_string(g_delete_counter++);
    if (rename(dir.c_str(), doomed.c_str()) != 0)
        return ERROR_ACCESS_DENIED;
    std::error_code ec;
    std::filesystem::remove_all(doomed, ec);
    return ERROR_SUCCESS;
}

/* Gives the name of sub key dwIndex (sub keys sorted without case). In/out
 * *lpcchName: buffer size in characters with the terminator / length without it.
 * ERROR_MORE_DATA when the name does not fit (size left unchanged), ERROR_NO_MORE_ITEMS past
 * the last. Class is always empty; the write time is the key file's. */
extern "C" LONG WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                                     LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    (void)lpReserved;
    qmreg::KeyRef key;
    LONG rc = qmreg::ResolveKey(hKey, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!(key.access & KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    if (!lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    qmr::StoreLock lock(qmreg::LockPath(), false);
    if (!qmreg::KeyExists(key))
        return ERROR_KEY_DELETED;
    std::vector<qmreg::SubKey> subs = qmreg::ListSubKeys(key.dir);
    if (dwIndex >= subs.size())
        return ERROR_NO_MORE_ITEMS;
    const std::u16string &name = subs[dwIndex].name;
    if (*lpcchName <= name.size())
        return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), lpName);
    lpName[name.size()] = 0;
    *lpcchName = (DWORD)name.size();
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = 0;
    if (lpcchClass)
        *lpcchClass = 0;
    if (lpftLastWriteTime) {
        struct stat st;
        unsigned long long t = 0;
        if (stat((subs[dwIndex].dir + "/key.dat").c_str(), &st) == 0)
            t = ((unsigned long long)st.st_mtime + 11644473600ULL) * 10000000ULL;
        lpftLastWriteTime->dwLowDateTime = (DWORD)t;
        lpftLastWriteTime->dwHighDateTime = (DWORD)(t >> 32);
    }
    return ERROR_SUCCESS;
}

/* See qm_testing_registry.h. */
extern "C" DWORD qmt_LiveRegistryKeys(void)
{
    std::lock_guard<std::mutex> guard(g_keys_lock);
    return (DWORD)g_open_keys.size();
}

/* See qm_testing_registry.h. */
extern "C" void qmt_RegistryDenyMachineWrites(BOOL deny)
{
    g_deny_machine_writes = deny != FALSE;
}
