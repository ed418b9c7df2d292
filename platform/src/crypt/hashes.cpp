/*
 * CryptoAPI hash objects: MD5 and SHA-1. Data is hashed until the value is first read;
 * after that the hash takes no more data.
 */
#include "platform/src/crypt/crypt_private.h"

#include <openssl/evp.h>
#include <string.h>

namespace {

const char *digest_name(ALG_ID alg)
{
    switch (alg) {
    case CALG_MD5: return "MD5";
    case CALG_SHA1: return "SHA1";
    default: return nullptr;
    }
}

/* Finishes the hash once: the value is kept for later reads. */
bool finish(qmc::Hash *hash)
{
    if (!hash->md_ctx)
        return true;
    EVP_MD_CTX *ctx = (EVP_MD_CTX *)hash->md_ctx;
    unsigned char value[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    bool ok = EVP_DigestFinal_ex(ctx, value, &length) == 1;
    EVP_MD_CTX_free(ctx);
    hash->md_ctx = nullptr;
    if (ok)
        hash->value.assign(value, value + length);
    return ok;
}

/* Copies a parameter out: size query with no buffer, ERROR_MORE_DATA when too small. */
BOOL copy_out(const void *data, DWORD size, BYTE *out, DWORD *out_length)
{
    DWORD room = *out_length;
    *out_length = size;
    if (!out)
        return TRUE;
    if (room < size)
        return qmc::Fail(ERROR_MORE_DATA);
    memcpy(out, data, size);
    return TRUE;
}

} // namespace

/*
 * CryptCreateHash: a new MD5 or SHA-1 hash of the context (keyed hashes are not
 * offered). FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER (no out pointer),
 * NTE_BAD_FLAGS, NTE_BAD_KEY (a key given) or NTE_BAD_ALGID.
 */
extern "C" BOOL WINAPI CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags,
                                       HCRYPTHASH *phHash)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!phHash)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phHash = 0;
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    if (hKey)
        return qmc::Fail(NTE_BAD_KEY);
    const char *name = digest_name(Algid);
    if (!name)
        return qmc::Fail(NTE_BAD_ALGID);
    EVP_MD *md = EVP_MD_fetch(qmc::LibraryContext(), name, nullptr);
    EVP_MD_CTX *ctx = md ? EVP_MD_CTX_new() : nullptr;
    bool ok = ctx && EVP_DigestInit_ex2(ctx, md, nullptr) == 1;
    EVP_MD_free(md);
    if (!ok) {
        EVP_MD_CTX_free(ctx);
        return qmc::Fail(NTE_FAIL);
    }
    qmc::Hash *hash = new qmc::Hash();
    hash->kind = qmc::kHash;
    hash->provider = provider;
    hash->alg = Algid;
    hash->md_ctx = ctx;
    ++provider->refs;
    *phHash = qmc::AddObject(hash);
    return TRUE;
}

/*
 * CryptHashData: adds data to the hash. FALSE with ERROR_INVALID_HANDLE, NTE_BAD_FLAGS,
 * ERROR_INVALID_PARAMETER (no data with a length) or NTE_BAD_HASH_STATE (value read).
 */
extern "C" BOOL WINAPI CryptHashData(HCRYPTHASH hHash, const BYTE *pbData, DWORD dwDataLen, DWORD dwFlags)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Hash *hash = (qmc::Hash *)qmc::FindObject(hHash, qmc::kHash);
    if (!hash)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    if (!pbData && dwDataLen)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (!hash->md_ctx)
        return qmc::Fail(NTE_BAD_HASH_STATE);
    if (dwDataLen && EVP_DigestUpdate((EVP_MD_CTX *)hash->md_ctx, pbData, dwDataLen) != 1)
        return qmc::Fail(NTE_FAIL);
    return TRUE;
}

/*
 * CryptGetHashParam: HP_ALGID, HP_HASHSIZE (DWORD) or HP_HASHVAL (finishes the hash).
 * A NULL buffer asks for the size. FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER
 * (no length), NTE_BAD_FLAGS, NTE_BAD_TYPE (other parameter) or ERROR_MORE_DATA (the
 * buffer too small; the size needed is stored).
 */
extern "C" BOOL WINAPI CryptGetHashParam(HCRYPTHASH hHash, DWORD dwParam, BYTE *pbData, DWORD *pdwDataLen,
                                         DWORD dwFlags)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Hash *hash = (qmc::Hash *)qmc::FindObject(hHash, qmc::kHash);
    if (!hash)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!pdwDataLen)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    DWORD size = hash->alg == CALG_MD5 ? 16 : 20;
    switch (dwParam) {
    case HP_ALGID: return copy_out(&hash->alg, sizeof hash->alg, pbData, pdwDataLen);
    case HP_HASHSIZE: return copy_out(&size, sizeof size, pbData, pdwDataLen);
    case HP_HASHVAL:
        if (!pbData || *pdwDataLen < size)
            return copy_out(&size, size, pbData, pdwDataLen);
        if (!finish(hash))
            return qmc::Fail(NTE_FAIL);
        return copy_out(hash->value.data(), size, pbData, pdwDataLen);
    default: return qmc::Fail(NTE_BAD_TYPE);
    }
}

/* CryptDestroyHash: frees the hash. FALSE with ERROR_INVALID_HANDLE. */
extern "C" BOOL WINAPI CryptDestroyHash(HCRYPTHASH hHash)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Hash *hash = (qmc::Hash *)qmc::FindObject(hHash, qmc::kHash);
    if (!hash)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    qmc::RemoveObject(hash);
    if (hash->md_ctx)
        EVP_MD_CTX_free((EVP_MD_CTX *)hash->md_ctx);
    qmc::Provider *provider = hash->provider;
    delete hash;
    qmc::ReleaseProvider(provider);
    return TRUE;
}

bool qmc::HashValue(Hash *hash, std::vector<BYTE> *value)
{
    if (!finish(hash))
        return false;
    *value = hash->value;
    return true;
}
