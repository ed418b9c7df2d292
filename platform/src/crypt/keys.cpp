/*
 * CryptoAPI keys: the RSA key exchange key pair of a context (1024 bits, PKCS#1 v1.5 in
 * CryptoAPI's little-endian byte order), DES and AES-128 session keys made at random,
 * derived from a hash or imported from a SIMPLEBLOB wrapped with the key exchange key, and
 * encryption and decryption with them.
 */
#include "platform/src/crypt/crypt_private.h"

#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>
#include <string.h>

#include <algorithm>

namespace {

const unsigned kExchangeBits = 1024;

/* A new key record of the provider (takes a reference on it). */
qmc::Key *new_key(qmc::Provider *provider, ALG_ID alg)
{
    qmc::Key *key = new qmc::Key();
    key->kind = qmc::kKey;
    key->provider = provider;
    key->alg = alg;
    key->rsa = nullptr;
    key->mode = CRYPT_MODE_CBC;
    key->mode_bits = 8;
    ++provider->refs;
    return key;
}

/* A session key record with its secret and a zero IV. */
HCRYPTKEY new_session_key(qmc::Provider *provider, ALG_ID alg, const BYTE *secret)
{
    qmc::Key *key = new_key(provider, alg);
    key->secret.assign(secret, secret + qmc::CipherKeyLength(alg));
    key->iv.assign(qmc::CipherBlockLength(alg), 0);
    key->running_iv = key->iv;
    return qmc::AddObject(key);
}

/* A handle sharing the context's key exchange key pair. */
HCRYPTKEY exchange_handle(qmc::Provider *provider)
{
    qmc::Key *key = new_key(provider, CALG_RSA_KEYX);
    EVP_PKEY_up_ref(provider->exchange);
    key->rsa = provider->exchange;
    return qmc::AddObject(key);
}

/* RSA PKCS#1 v1.5 with the key pair, in big-endian byte order; false on failure. */
bool rsa_run(EVP_PKEY *rsa, bool encrypt, const BYTE *in, size_t in_length, std::vector<BYTE> *out)
{
    EVP_PKEY_CTX *ctx = EVP_PKEY_CTX_new_from_pkey(qmc::LibraryContext(), rsa, nullptr);
    size_t length = 0;
    bool ok = ctx && (encrypt ? EVP_PKEY_encrypt_init(ctx) : EVP_PKEY_decrypt_init(ctx)) == 1 &&
              EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) == 1 &&
              (encrypt ? EVP_PKEY_encrypt(ctx, nullptr, &length, in, in_length)
                       : EVP_PKEY_decrypt(ctx, nullptr, &length, in, in_length)) == 1;
    if (ok) {
        out->resize(length);
        ok = (encrypt ? EVP_PKEY_encrypt(ctx, out->data(), &length, in, in_length)
                      : EVP_PKEY_decrypt(ctx, out->data(), &length, in, in_length)) == 1;
        out->resize(length);
    }
    EVP_PKEY_CTX_free(ctx);
    return ok;
}

} // namespace

/*
 * CryptGenKey: AT_KEYEXCHANGE or CALG_RSA_KEYX makes the context's key exchange key pair
 * (replacing an earlier one); CALG_DES and CALG_AES_128 (where the provider offers it) make
 * a random session key. Only CRYPT_EXPORTABLE and a key length in the upper 16 bits are
 * accepted as flags; the length is not used. FALSE with ERROR_INVALID_HANDLE,
 * ERROR_INVALID_PARAMETER, NTE_BAD_ALGID or NTE_FAIL.
 */
extern "C" BOOL WINAPI CryptGenKey(HCRYPTPROV hProv, ALG_ID Algid, DWORD dwFlags, HCRYPTKEY *phKey)
{
    (void)dwFlags;
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!phKey)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phKey = 0;
    if (Algid == AT_KEYEXCHANGE || Algid == CALG_RSA_KEYX) {
        EVP_PKEY *rsa = EVP_PKEY_Q_keygen(qmc::LibraryContext(), nullptr, "RSA", (size_t)kExchangeBits);
        if (!rsa)
            return qmc::Fail(NTE_FAIL);
        if (provider->exchange)
            EVP_PKEY_free(provider->exchange);
        provider->exchange = rsa;
        *phKey = exchange_handle(provider);
        return TRUE;
    }
    if (!qmc::CipherKeyLength(Algid) || !qmc::ProviderSupports(provider->type, Algid))
        return qmc::Fail(NTE_BAD_ALGID);
    BYTE secret[16];
    if (RAND_bytes_ex(qmc::LibraryContext(), secret, sizeof secret, 0) != 1)
        return qmc::Fail(NTE_FAIL);
    *phKey = new_session_key(provider, Algid, secret);
    return TRUE;
}

/* CryptGetUserKey: a handle to the context's key exchange key pair. FALSE with
 * ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, NTE_BAD_KEY (another kind of key) or
 * NTE_NO_KEY (the context has none yet). */
extern "C" BOOL WINAPI CryptGetUserKey(HCRYPTPROV hProv, DWORD dwKeySpec, HCRYPTKEY *phUserKey)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!phUserKey)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phUserKey = 0;
    if (dwKeySpec != AT_KEYEXCHANGE)
        return qmc::Fail(NTE_BAD_KEY);
    if (!provider->exchange)
        return qmc::Fail(NTE_NO_KEY);
    *phUserKey = exchange_handle(provider);
    return TRUE;
}

/*
 * CryptDeriveKey: a session key from a hash value. This layer takes the key's bytes from
 * the start of the hash value, so only keys no longer than the hash are offered (DES and
 * AES-128 from MD5 or SHA-1). FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER,
 * NTE_BAD_HASH or NTE_BAD_ALGID.
 */
extern "C" BOOL WINAPI CryptDeriveKey(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTHASH hBaseData, DWORD dwFlags,
                                      HCRYPTKEY *phKey)
{
    (void)dwFlags;
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!phKey)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phKey = 0;
    qmc::Hash *hash = (qmc::Hash *)qmc::FindObject(hBaseData, qmc::kHash);
    if (!hash)
        return qmc::Fail(NTE_BAD_HASH);
    if (!qmc::CipherKeyLength(Algid) || !qmc::ProviderSupports(provider->type, Algid))
        return qmc::Fail(NTE_BAD_ALGID);
    std::vector<BYTE> value;
    if (!qmc::HashValue(hash, &value))
        return qmc::Fail(NTE_FAIL);
    *phKey = new_session_key(provider, Algid, value.data());
    return TRUE;
}

/*
 * CryptImportKey: a session key from a SIMPLEBLOB {blob header of type SIMPLEBLOB, version
 * 2, the cipher's ALG_ID; CALG_RSA_KEYX; the key wrapped with hPubKey in little-endian
 * byte order}. FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, NTE_BAD_TYPE (other
 * blob type), NTE_BAD_ALGID, NTE_BAD_KEY (no unwrapping key pair) or NTE_BAD_DATA (another
 * version, or a blob that does not unwrap to a key of the cipher's length).
 */
extern "C" BOOL WINAPI CryptImportKey(HCRYPTPROV hProv, const BYTE *pbData, DWORD dwDataLen, HCRYPTKEY hPubKey,
                                      DWORD dwFlags, HCRYPTKEY *phKey)
{
    (void)dwFlags;
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Provider *provider = (qmc::Provider *)qmc::FindObject(hProv, qmc::kProvider);
    if (!provider)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!phKey || !pbData)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    *phKey = 0;
    const DWORD head = sizeof(BLOBHEADER) + sizeof(ALG_ID);
    if (dwDataLen < head)
        return qmc::Fail(NTE_BAD_DATA);
    BLOBHEADER header;
    ALG_ID wrap_alg;
    memcpy(&header, pbData, sizeof header);
    memcpy(&wrap_alg, pbData + sizeof header, sizeof wrap_alg);
    if (header.bType != SIMPLEBLOB)
        return qmc::Fail(NTE_BAD_TYPE);
    if (header.bVersion != CUR_BLOB_VERSION || wrap_alg != CALG_RSA_KEYX)
        return qmc::Fail(NTE_BAD_DATA);
    if (!qmc::CipherKeyLength(header.aiKeyAlg) || !qmc::ProviderSupports(provider->type, header.aiKeyAlg))
        return qmc::Fail(NTE_BAD_ALGID);
    qmc::Key *wrapper = (qmc::Key *)qmc::FindObject(hPubKey, qmc::kKey);
    if (!wrapper || !wrapper->rsa)
        return qmc::Fail(NTE_BAD_KEY);
    std::vector<BYTE> wrapped(pbData + head, pbData + dwDataLen);
    std::reverse(wrapped.begin(), wrapped.end());
    std::vector<BYTE> secret;
    if (!rsa_run(wrapper->rsa, false, wrapped.data(), wrapped.size(), &secret) ||
        secret.size() != qmc::CipherKeyLength(header.aiKeyAlg))
        return qmc::Fail(NTE_BAD_DATA);
    *phKey = new_session_key(provider, header.aiKeyAlg, secret.data());
    return TRUE;
}

/*
 * CryptSetKeyParam: KP_IV (one block), KP_MODE (CRYPT_MODE_CBC or CRYPT_MODE_CFB),
 * KP_MODE_BITS (8 or the block in bits, for CFB) or KP_PADDING (PKCS5_PADDING only) of a
 * session key. Setting the IV or mode starts a new chain. FALSE with ERROR_INVALID_HANDLE,
 * ERROR_INVALID_PARAMETER, NTE_BAD_FLAGS, NTE_BAD_KEY (the key pair), NTE_BAD_DATA (a value
 * not offered) or NTE_BAD_TYPE (other parameter).
 */
extern "C" BOOL WINAPI CryptSetKeyParam(HCRYPTKEY hKey, DWORD dwParam, const BYTE *pbData, DWORD dwFlags)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Key *key = (qmc::Key *)qmc::FindObject(hKey, qmc::kKey);
    if (!key)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!pbData)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    if (key->rsa)
        return qmc::Fail(NTE_BAD_KEY);
    DWORD value = 0;
    if (dwParam != KP_IV)
        memcpy(&value, pbData, sizeof value);
    switch (dwParam) {
    case KP_IV: key->iv.assign(pbData, pbData + qmc::CipherBlockLength(key->alg)); break;
    case KP_MODE:
        if (value != CRYPT_MODE_CBC && value != CRYPT_MODE_CFB)
            return qmc::Fail(NTE_BAD_DATA);
        key->mode = value;
        break;
    case KP_MODE_BITS:
        if (value != 8 && value != qmc::CipherBlockLength(key->alg) * 8)
            return qmc::Fail(NTE_BAD_DATA);
        key->mode_bits = value;
        break;
    case KP_PADDING:
        if (value != PKCS5_PADDING)
            return qmc::Fail(NTE_BAD_DATA);
        break;
    default: return qmc::Fail(NTE_BAD_TYPE);
    }
    key->running_iv = key->iv;
    return TRUE;
}

/*
 * CryptEncrypt: with the key pair, PKCS#1 v1.5 of the data (final only), the result in
 * little-endian byte order; with a session key, the cipher in its mode, a final CBC call
 * adding PKCS#5 padding (a whole block when the data fills its blocks). A NULL buffer
 * asks for the length. FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER,
 * NTE_BAD_FLAGS, NTE_BAD_HASH (a hash given), NTE_BAD_DATA, NTE_BAD_LEN or ERROR_MORE_DATA
 * (buffer of dwBufLen too small; the length needed is stored).
 */
extern "C" BOOL WINAPI CryptEncrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData,
                                    DWORD *pdwDataLen, DWORD dwBufLen)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Key *key = (qmc::Key *)qmc::FindObject(hKey, qmc::kKey);
    if (!key)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!pdwDataLen)
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    if (hHash)
        return qmc::Fail(NTE_BAD_HASH);
    DWORD length = *pdwDataLen;
    if (key->rsa) {
        DWORD needed = (DWORD)EVP_PKEY_get_size(key->rsa);
        if (!Final)
            return qmc::Fail(NTE_BAD_DATA);
        if (length + 11 > needed)
            return qmc::Fail(NTE_BAD_LEN);
        *pdwDataLen = needed;
        if (!pbData)
            return TRUE;
        if (dwBufLen < needed)
            return qmc::Fail(ERROR_MORE_DATA);
        std::vector<BYTE> out;
        if (!rsa_run(key->rsa, true, pbData, length, &out) || out.size() != needed)
            return qmc::Fail(NTE_FAIL);
        std::reverse(out.begin(), out.end());
        memcpy(pbData, out.data(), needed);
        return TRUE;
    }
    DWORD block = qmc::CipherBlockLength(key->alg);
    DWORD pad = Final && key->mode == CRYPT_MODE_CBC ? block - length % block : 0;
    *pdwDataLen = length + pad;
    if (!pbData)
        return TRUE;
    if (dwBufLen < length + pad)
        return qmc::Fail(ERROR_MORE_DATA);
    memset(pbData + length, (int)pad, pad);
    if (!qmc::RunCipher(key, true, Final != FALSE, pbData, length + pad)) {
        *pdwDataLen = length;
        return FALSE;
    }
    return TRUE;
}

/*
 * CryptDecrypt: the session cipher in its mode; a final CBC call checks and removes the
 * PKCS#5 padding. FALSE with ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER, NTE_BAD_FLAGS,
 * NTE_BAD_HASH, NTE_BAD_KEY (the key pair) or NTE_BAD_DATA (length or padding wrong).
 */
extern "C" BOOL WINAPI CryptDecrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData,
                                    DWORD *pdwDataLen)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Key *key = (qmc::Key *)qmc::FindObject(hKey, qmc::kKey);
    if (!key)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    if (!pdwDataLen || (!pbData && *pdwDataLen))
        return qmc::Fail(ERROR_INVALID_PARAMETER);
    if (dwFlags)
        return qmc::Fail(NTE_BAD_FLAGS);
    if (hHash)
        return qmc::Fail(NTE_BAD_HASH);
    if (key->rsa)
        return qmc::Fail(NTE_BAD_KEY);
    DWORD length = *pdwDataLen;
    if (!qmc::RunCipher(key, false, Final != FALSE, pbData, length))
        return FALSE;
    if (Final && key->mode == CRYPT_MODE_CBC) {
        DWORD pad = length ? pbData[length - 1] : 0;
        if (pad == 0 || pad > qmc::CipherBlockLength(key->alg) || pad > length)
            return qmc::Fail(NTE_BAD_DATA);
        *pdwDataLen = length - pad;
    }
    return TRUE;
}

/* CryptDestroyKey: frees the key handle (the context keeps its key pair). FALSE with
 * ERROR_INVALID_HANDLE. */
extern "C" BOOL WINAPI CryptDestroyKey(HCRYPTKEY hKey)
{
    std::lock_guard<std::mutex> guard(qmc::CryptLock());
    qmc::Key *key = (qmc::Key *)qmc::FindObject(hKey, qmc::kKey);
    if (!key)
        return qmc::Fail(ERROR_INVALID_HANDLE);
    qmc::FreeKey(key);
    return TRUE;
}
