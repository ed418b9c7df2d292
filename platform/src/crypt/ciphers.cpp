/*
 * Session ciphers of the crypt area: DES and AES-128 in CBC mode (PKCS#5 padding on the
 * final call) or CFB mode (8-bit or full-block feedback, no padding). Between calls that are
 * not final the IV chains on; a final call sets it back to the key's IV.
 */
#include "platform/src/crypt/crypt_private.h"

#include <openssl/evp.h>
#include <string.h>

namespace {

/* OpenSSL's name of the cipher in the key's mode, or NULL. */
const char *cipher_name(const qmc::Key *key)
{
    bool des = key->alg == CALG_DES;
    if (key->mode == CRYPT_MODE_CBC)
        return des ? "DES-CBC" : "AES-128-CBC";
    if (key->mode != CRYPT_MODE_CFB)
        return nullptr;
    if (key->mode_bits == 8)
        return des ? "DES-CFB8" : "AES-128-CFB8";
    if (key->mode_bits == qmc::CipherBlockLength(key->alg) * 8)
        return des ? "DES-CFB" : "AES-128-CFB";
    return nullptr;
}

} // namespace

DWORD qmc::CipherKeyLength(ALG_ID alg)
{
    switch (alg) {
    case CALG_DES: return 8;
    case CALG_AES_128: return 16;
    default: return 0;
    }
}

DWORD qmc::CipherBlockLength(ALG_ID alg)
{
    return alg == CALG_DES ? 8 : 16;
}

bool qmc::RunCipher(Key *key, bool encrypt, bool final, BYTE *data, DWORD length)
{
    const char *name = cipher_name(key);
    if (!name)
        return Fail(NTE_BAD_ALGID);
    DWORD block = CipherBlockLength(key->alg);
    if (!final && length % block != 0)
        return Fail(NTE_BAD_DATA);
    if (key->mode == CRYPT_MODE_CBC && length % block != 0)
        return Fail(NTE_BAD_DATA);
    EVP_CIPHER *cipher = EVP_CIPHER_fetch(LibraryContext(), name, nullptr);
    EVP_CIPHER_CTX *ctx = cipher ? EVP_CIPHER_CTX_new() : nullptr;
    std::vector<BYTE> out(length + block);
    int written = 0, tail = 0;
    bool ok =
        ctx &&
        EVP_CipherInit_ex2(ctx, cipher, key->secret.data(), key->running_iv.data(), encrypt ? 1 : 0, nullptr) == 1 &&
        EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
        EVP_CipherUpdate(ctx, out.data(), &written, data, (int)length) == 1 &&
        EVP_CipherFinal_ex(ctx, out.data() + written, &tail) == 1;
    EVP_CIPHER_CTX_free(ctx);
    EVP_CIPHER_free(cipher);
    if (!ok || (DWORD)(written + tail) != length)
        return Fail(NTE_FAIL);
    /* The next IV: the last block of IV and cipher text (CBC and CFB alike). */
    std::vector<BYTE> chain = key->running_iv;
    const BYTE *cipher_text = encrypt ? out.data() : data;
    chain.insert(chain.end(), cipher_text, cipher_text + length);
    memcpy(data, out.data(), length);
    if (final)
        key->running_iv = key->iv;
    else
        key->running_iv.assign(chain.end() - block, chain.end());
    return true;
}
