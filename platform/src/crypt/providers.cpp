/*
 * CryptoAPI provider contexts. The providers known are the usual ones of each type; a
 * context holds its key exchange key for its life only (no key containers are kept on
 * disk). A test can make a provider refuse to be acquired.
 */
#include "platform/src/crypt/crypt_private.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <string.h>

#include <string>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

struct ProviderName {
    DWORD type;
    const char *name;
};

/* Providers by type and name; the first row of a type is its default. */
const ProviderName kProviders[] = {
    {PROV_RSA_FULL, "Microsoft Strong Cryptographic Provider"},
    {PROV_RSA_FULL, "Microsoft Enhanced Cryptographic Provider v1.0"},
    {PROV_RSA_FULL, "Microsoft Base Cryptographic Provider v1.0"},
    {PROV_RSA_SCHANNEL, "Microsoft RSA SChannel Cryptographic Provider"},
    {PROV_DH_SCHANNEL, "Microsoft DH SChannel Cryptographic Provider"},
    {PROV_RSA_AES, "Microsoft Enhanced RSA and AES Cryptographic Provider"},
};

struct Refusal {
    DWORD type;
    std::string name; /* empty: the type's default */
};

std::vector<Refusal> g_refused;

bool known_provider(DWORD type, const char *name)
{
    for (const ProviderName &row : kProviders) {
        if (row.type == type && (!name || strcmp(row.name, name) == 0))
            return true;
    }
    return false;
}

bool refused(DWORD type, const char *name)
{
    for (const Refusal &r : g_refused) {
        if (r.type == type && r.name == (name ? name : ""))
            return true;
    }
    return false;
}

} // namespace

bool qmc::ProviderSupports(DWORD type, ALG_ID alg)
{
    switch (alg) {
    case CALG_MD5:
    case CALG_SHA1:
    case CALG_RSA_KEYX: return true;
    case CALG_DES: return type != PROV_RSA_AES;
    case CALG_AES_128: return type == PROV_RSA_AES;
    default: return false;
    }
}

/*
 * CryptAcquireContextA: acquires a context of the provider named (NULL = the type's
 * default). Only contexts without a named container are offered; CRYPT_NEWKEYSET and
 * CRYPT_VERIFYCONTEXT are accepted. FALSE with ERROR_INVALID_PARAMETER (no out pointer),
 * NTE_BAD_FLAGS, NTE_PROV_TYPE_NOT_DEF (unknown type), NTE_KEYSET_NOT_DEF (unknown name
 * or refused by a test), NTE_BAD_KEYSET (a named container) or NTE_FAIL (no libcrypto).
 */
extern "C" BOOL WINAPI CryptAcquireContextA(HCRYPTPROV *phProv, LPCSTR szContainer, LPCSTR szProvider, DWORD dwProvType,
                                            DWORD dwFlags)
{
    if (!phProv)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phProv = 0;
    if (dwFlags & ~(CRYPT_NEWKEYSET | CRYPT_VERIFYCONTEXT))
        return qmc::Fail(NTE_BAD_FLAGS);
    if (szContainer && *szContainer)
        return qmc::Fail(NTE_BAD_KEYSET);
    if (!known_provider(dwProvType, nullptr))
        return qmc::Fail(NTE_PROV_TYPE_NOT_DEF);
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    if (!known_provider(dwProvType, szProvider) || refused(dwProvType, szProvider))
        return qmc::Fail(NTE_KEYSET_NOT_DEF);
    if (!qmc::LibraryContext())
        return qmc::Fail(NTE_FAIL);
    qmc::Provider *provider = new qmc::Provider();
    provider->kind = qmc::kProvider;
    provider->type = dwProvType;
    provider->exchange = nullptr;
    provider->refs = 1;
    *phProv = qmc::AddObject(provider);
    return TRUE;
}

/*
 * CryptReleaseContext: releases the context; its key exchange key pair, hashes and keys
 * made from it stay usable until destroyed. FALSE with ERROR_INVALID_HANDLE or
 * NTE_BAD_FLAGS (flags not 0).
 */
extern "C" BOOL WINAPI CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    provider->kind = 0; /* the handle is gone; the record lives while keys or hashes use it */
    qmc::RemoveObject(provider);
    qmc::ReleaseProvider(provider);
    return TRUE;
}

/* CryptGenRandom: fills the buffer with random bytes. FALSE with ERROR_INVALID_HANDLE,
 * ERROR_INVALID_PARAMETER (no buffer) or NTE_FAIL (the random source failed). */
extern "C" BOOL WINAPI CryptGenRandom(HCRYPTPROV hProv, DWORD dwLen, BYTE *pbBuffer)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    if (!qmc::FindObject(hProv, qmc::kProvider))
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (dwLen == 0)
        return TRUE;
    if (!pbBuffer)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (RAND_bytes_ex(qmc::LibraryContext(), pbBuffer, dwLen, 0) != 1)
        return qmc::Fail(NTE_FAIL);
    return TRUE;
}

extern "C" void qmt_CryptHideExports(BOOL hide)
{
    qmk::HideExports("Crypt", hide != FALSE);
}

extern "C" void qmt_CryptRefuseProvider(DWORD type, LPCSTR name)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    g_refused.push_back({type, name ? name : ""});
}

extern "C" void qmt_CryptRefuseNone(void)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    g_refused.clear();
}
