/*
 * Run-time binding of "advapi32.dll" for the SNMPv3 computations, and the cached CryptoAPI
 * provider contexts with the key import they share. Everything here runs under the
 * process-wide Net-SNMP lock.
 */
#include "management/snmpv3/pmc_crypto_private.h"

#include <atomic>
#include <cstring>

namespace {

/* Names Net-SNMP binds beside CryptoAPI: the binding fails without any of them. */
const char *const kRequiredNames[] = {
    "CloseEventLog",
    "OpenEventLogA",
    "ReportEventA",
    "RegCloseKey",
    "RegQueryValueExA",
    "RegOpenKeyExA",
    "CloseServiceHandle",
    "ControlService",
    "CreateServiceA",
    "DeleteService",
    "DeregisterEventSource",
    "InitializeSecurityDescriptor",
    "OpenSCManagerA",
    "OpenServiceA",
    "QueryServiceStatus",
    "RegCreateKeyA",
    "RegCreateKeyExA",
    "RegDeleteKeyA",
    "RegQueryInfoKeyA",
    "RegSetValueExA",
    "RegisterEventSourceA",
    "RegisterServiceCtrlHandlerA",
    "SetSecurityDescriptorDacl",
    "SetServiceStatus",
    "StartServiceCtrlDispatcherA",
};
constexpr size_t kRequiredCount = sizeof kRequiredNames / sizeof kRequiredNames[0];

/* The CryptoAPI names, in the order of PmcCryptEntries. */
const char *const kOptionalNames[] = {
    "CryptAcquireContextA",
    "CryptCreateHash",
    "CryptHashData",
    "CryptGetHashParam",
    "CryptDeriveKey",
    "CryptGetUserKey",
    "CryptGenKey",
    "CryptEncrypt",
    "CryptImportKey",
    "CryptSetKeyParam",
    "CryptDecrypt",
    "CryptGenRandom",
    "CryptDestroyKey",
    "CryptDestroyHash",
    "CryptReleaseContext",
};
constexpr size_t kOptionalCount = sizeof kOptionalNames / sizeof kOptionalNames[0];
static_assert(sizeof(PmcCryptEntries) == kOptionalCount * sizeof(FARPROC), "one entry per optional name");
static_assert(kRequiredCount == 25, "25 required names");

/* The binding. */
struct PmcAdvapiBinding {
    HMODULE module;
    FARPROC required[kRequiredCount];
    PmcCryptEntries crypt;
    bool crypt_available;
};

constinit PmcAdvapiBinding s_binding{};
constinit std::atomic<bool> s_bound{false};
constinit PmcCryptContext s_contexts[3]{};

/* Resolves the names of the module; false (and the binding left empty) on failure. */
bool bind_module(HMODULE module)
{
    for (size_t i = 0; i < kRequiredCount; ++i) {
        s_binding.required[i] = GetProcAddress(module, kRequiredNames[i]);
        if (!s_binding.required[i])
            return false;
    }
    FARPROC entries[kOptionalCount] = {};
    for (size_t i = 0; i < kOptionalCount; ++i) {
        entries[i] = GetProcAddress(module, kOptionalNames[i]);
        if (entries[i])
            continue;
        DWORD error = GetLastError();
        if (error != ERROR_MOD_NOT_FOUND && error != ERROR_PROC_NOT_FOUND)
            return false;
        s_binding.crypt_available = false;
        return true;
    }
    std::memcpy(&s_binding.crypt, entries, sizeof entries);
    s_binding.crypt_available = true;
    return true;
}

} // namespace

const PmcSnmpOid PMC_OID_HMAC_MD5[10] = {1, 3, 6, 1, 6, 3, 10, 1, 1, 2};
const PmcSnmpOid PMC_OID_HMAC_SHA1[10] = {1, 3, 6, 1, 6, 3, 10, 1, 1, 3};
const PmcSnmpOid PMC_OID_PRIV_DES[10] = {1, 3, 6, 1, 6, 3, 10, 1, 2, 2};
const PmcSnmpOid PMC_OID_PRIV_AES[10] = {1, 3, 6, 1, 6, 3, 10, 1, 2, 4};

int pmc_crypto_bind()
{
    if (s_bound.load(std::memory_order_acquire))
        return 0;
    CPmcLockHolder hold(pmc_netsnmp_lock());
    if (s_bound.load(std::memory_order_relaxed))
        return 0;
    HMODULE module = LoadLibraryW(TEXT("advapi32.dll"));
    if (!module)
        return -10;
    if (!bind_module(module)) {
        s_binding = PmcAdvapiBinding{};
        FreeLibrary(module);
        return -10;
    }
    s_binding.module = module;
    s_bound.store(true, std::memory_order_release);
    return 0;
}

bool pmc_crypto_available()
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    return pmc_crypt_entries() != nullptr;
}

const PmcCryptEntries *pmc_crypt_entries()
{
    if (pmc_crypto_bind() != 0 || !s_binding.crypt_available)
        return nullptr;
    return &s_binding.crypt;
}

PmcCryptContext *pmc_crypt_context(PmcCryptContextKind kind)
{
    return &s_contexts[kind];
}

void pmc_crypto_unload()
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    if (!s_bound.load(std::memory_order_relaxed))
        return;
    if (s_binding.crypt_available) {
        for (PmcCryptContext &ctx : s_contexts)
            pmc_crypt_drop(&s_binding.crypt, &ctx);
    }
    FreeLibrary(s_binding.module);
    s_binding = PmcAdvapiBinding{};
    s_bound.store(false, std::memory_order_release);
}

bool pmc_crypt_acquire(const PmcCryptEntries *crypt, PmcCryptContext *ctx, DWORD type, const char *name)
{
    if (!crypt->acquire_context(&ctx->provider, nullptr, name, type, 0) &&
        !crypt->acquire_context(&ctx->provider, nullptr, name, type, CRYPT_NEWKEYSET)) {
        ctx->provider = 0;
        return false;
    }
    ctx->acquired = true;
    return true;
}

void pmc_crypt_drop(const PmcCryptEntries *crypt, PmcCryptContext *ctx)
{
    if (ctx->exchange_key)
        crypt->destroy_key(ctx->exchange_key);
    if (ctx->imported_key)
        crypt->destroy_key(ctx->imported_key);
    if (ctx->hash)
        crypt->destroy_hash(ctx->hash);
    if (ctx->acquired)
        crypt->release_context(ctx->provider, 0);
    *ctx = PmcCryptContext{};
}

bool pmc_crypt_import_key(const PmcCryptEntries *crypt, PmcCryptContext *ctx, ALG_ID alg, const unsigned char *key,
                          DWORD key_length)
{
    if (ctx->imported_key) {
        crypt->destroy_key(ctx->imported_key);
        ctx->imported_key = 0;
    }
    if (!ctx->exchange_key && !crypt->get_user_key(ctx->provider, AT_KEYEXCHANGE, &ctx->exchange_key) &&
        !crypt->gen_key(ctx->provider, AT_KEYEXCHANGE, 0, &ctx->exchange_key)) {
        ctx->exchange_key = 0;
        return false;
    }
    /* {blob header, key exchange algorithm, wrapped key}; room for a 4096-bit wrap. */
    const DWORD head = sizeof(BLOBHEADER) + sizeof(ALG_ID);
    unsigned char blob[sizeof(BLOBHEADER) + sizeof(ALG_ID) + 512] = {};
    BLOBHEADER header = {SIMPLEBLOB, CUR_BLOB_VERSION, 0, alg};
    ALG_ID wrap_alg = CALG_RSA_KEYX;
    std::memcpy(blob, &header, sizeof header);
    std::memcpy(blob + sizeof header, &wrap_alg, sizeof wrap_alg);
    DWORD wrapped_length = key_length;
    std::memcpy(blob + head, key, key_length);
    if (!crypt->encrypt(ctx->exchange_key, 0, TRUE, 0, blob + head, &wrapped_length, sizeof blob - head))
        return false;
    HCRYPTKEY imported = 0;
    if (!crypt->import_key(ctx->provider, blob, head + wrapped_length, ctx->exchange_key, 0, &imported))
        return false;
    ctx->imported_key = imported;
    return true;
}
