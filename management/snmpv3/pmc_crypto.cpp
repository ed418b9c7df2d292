/*
 * The SNMPv3 computations over CryptoAPI: hashes in the hashing context, HMAC built on
 * them, password-to-key, and DES-CBC / AES-128-CFB128 in the cipher contexts, which walk
 * their provider rows until one imports the key and processes the data.
 */
#include "management/snmpv3/pmc_crypto_private.h"

#include "management/base/pmc_memory.h"

#include <cstring>

namespace {

const size_t kHmacBlock = 64;
const size_t kMaxDigest = 20;
const size_t kKuInput = 0x100000; /* the pass phrase is repeated to this many bytes */
const size_t kCheckedMac = 12;

enum PmcAuth { AUTH_NONE, AUTH_MD5, AUTH_SHA1 };
enum PmcPriv { PRIV_NONE, PRIV_DES, PRIV_AES };

/* A provider row of the cipher contexts. */
struct PmcProviderRow {
    PmcCryptContextKind cipher;
    DWORD type;
    const char *name; /* null: the type's default */
};

const PmcProviderRow kProviderRows[] = {
    {PMC_CRYPT_DES, PROV_RSA_FULL, "Microsoft Enhanced Cryptographic Provider v1.0"},
    {PMC_CRYPT_DES, PROV_RSA_FULL, "Microsoft Base Cryptographic Provider v1.0"},
    {PMC_CRYPT_DES, PROV_RSA_FULL, nullptr},
    {PMC_CRYPT_DES, PROV_RSA_SCHANNEL, "Microsoft RSA SChannel Cryptographic Provider"},
    {PMC_CRYPT_DES, PROV_RSA_SCHANNEL, nullptr},
    {PMC_CRYPT_DES, PROV_DH_SCHANNEL, nullptr},
    {PMC_CRYPT_AES, PROV_RSA_AES, nullptr},
    {PMC_CRYPT_AES, PROV_RSA_AES, "Microsoft Enhanced RSA and AES Cryptographic Provider"},
};

bool same_oid(const PmcSnmpOid *a, size_t length, const PmcSnmpOid (&b)[10])
{
    return a && length == 10 && std::memcmp(a, b, sizeof b) == 0;
}

PmcAuth auth_of(const PmcSnmpOid *protocol, size_t length)
{
    if (same_oid(protocol, length, PMC_OID_HMAC_MD5))
        return AUTH_MD5;
    if (same_oid(protocol, length, PMC_OID_HMAC_SHA1))
        return AUTH_SHA1;
    return AUTH_NONE;
}

PmcPriv priv_of(const PmcSnmpOid *protocol, size_t length)
{
    if (same_oid(protocol, length, PMC_OID_PRIV_DES))
        return PRIV_DES;
    if (same_oid(protocol, length, PMC_OID_PRIV_AES))
        return PRIV_AES;
    return PRIV_NONE;
}

size_t digest_length(PmcAuth auth)
{
    return auth == AUTH_MD5 ? 16 : 20;
}

/* One piece of data to hash; with repeat_to the data is repeated to that many bytes. */
struct PmcPiece {
    const unsigned char *data;
    size_t length;
    size_t repeat_to;
};

/* Hashes one piece; a repeated one goes in 4 KB at a time, each chunk continuing where
 * the last ended. */
bool hash_piece(const PmcCryptEntries *crypt, HCRYPTHASH hash, const PmcPiece &piece)
{
    if (!piece.repeat_to)
        return !piece.length || crypt->hash_data(hash, piece.data, (DWORD)piece.length, 0);
    unsigned char chunk[4096];
    for (size_t done = 0; done < piece.repeat_to; done += sizeof chunk) {
        size_t n = piece.repeat_to - done < sizeof chunk ? piece.repeat_to - done : sizeof chunk;
        for (size_t i = 0; i < n; ++i)
            chunk[i] = piece.data[(done + i) % piece.length];
        if (!crypt->hash_data(hash, chunk, (DWORD)n, 0))
            return false;
    }
    return true;
}

/* The hashing context, acquired on first use; null on failure. */
PmcCryptContext *hashing_context(const PmcCryptEntries *crypt)
{
    PmcCryptContext *ctx = pmc_crypt_context(PMC_CRYPT_HASHING);
    if (!ctx->acquired && !pmc_crypt_acquire(crypt, ctx, PROV_RSA_FULL, nullptr))
        return nullptr;
    return ctx;
}

/*
 * Hashes the pieces in order. digest (out) receives the full digest. -1 on a CryptoAPI
 * failure. The caller holds the Net-SNMP lock.
 */
int digest_pieces(const PmcCryptEntries *crypt, PmcAuth auth, const PmcPiece *pieces, size_t count,
                  unsigned char *digest)
{
    PmcCryptContext *ctx = hashing_context(crypt);
    if (!ctx)
        return PMC_SC_FAILURE;
    if (!crypt->create_hash(ctx->provider, auth == AUTH_MD5 ? CALG_MD5 : CALG_SHA1, 0, 0, &ctx->hash)) {
        ctx->hash = 0;
        return PMC_SC_FAILURE;
    }
    bool ok = true;
    for (size_t i = 0; ok && i < count; ++i)
        ok = hash_piece(crypt, ctx->hash, pieces[i]);
    DWORD length = (DWORD)digest_length(auth);
    ok = ok && crypt->get_hash_param(ctx->hash, HP_HASHVAL, digest, &length, 0);
    crypt->destroy_hash(ctx->hash);
    ctx->hash = 0;
    return ok ? PMC_SC_OK : PMC_SC_FAILURE;
}

/* Copies a result cut to the caller's room and stores the length written. */
void copy_cut(const unsigned char *result, size_t result_length, unsigned char *out, size_t *out_length)
{
    size_t n = result_length < *out_length ? result_length : *out_length;
    std::memcpy(out, result, n);
    *out_length = n;
}

/* The full HMAC of message (the caller holds the lock and has checked the arguments). */
int hmac(const PmcCryptEntries *crypt, PmcAuth auth, const unsigned char *key, size_t key_length,
         const unsigned char *message, size_t message_length, unsigned char *mac)
{
    unsigned char short_key[kMaxDigest];
    if (key_length > kHmacBlock) {
        PmcPiece piece = {key, key_length, 0};
        int rc = digest_pieces(crypt, auth, &piece, 1, short_key);
        if (rc != PMC_SC_OK)
            return rc;
        key = short_key;
        key_length = digest_length(auth);
    }
    unsigned char inner_pad[kHmacBlock], outer_pad[kHmacBlock];
    for (size_t i = 0; i < kHmacBlock; ++i) {
        unsigned char k = i < key_length ? key[i] : 0;
        inner_pad[i] = (unsigned char)(k ^ 0x36);
        outer_pad[i] = (unsigned char)(k ^ 0x5c);
    }
    unsigned char inner[kMaxDigest];
    PmcPiece inner_pieces[] = {{inner_pad, kHmacBlock, 0}, {message, message_length, 0}};
    int rc = digest_pieces(crypt, auth, inner_pieces, 2, inner);
    if (rc != PMC_SC_OK)
        return rc;
    PmcPiece outer_pieces[] = {{outer_pad, kHmacBlock, 0}, {inner, digest_length(auth), 0}};
    return digest_pieces(crypt, auth, outer_pieces, 2, mac);
}

/* Sets the imported key up for the cipher and runs it in place over `length` bytes (whole
 * blocks). */
bool run_cipher(const PmcCryptEntries *crypt, PmcCryptContext *ctx, PmcPriv priv, const unsigned char *iv, bool encrypt,
                unsigned char *data, DWORD length, bool final)
{
    HCRYPTKEY key = ctx->imported_key;
    DWORD mode = priv == PRIV_DES ? CRYPT_MODE_CBC : CRYPT_MODE_CFB;
    DWORD mode_bits = 128;
    if (!crypt->set_key_param(key, KP_MODE, (const BYTE *)&mode, 0))
        return false;
    if (priv == PRIV_AES && !crypt->set_key_param(key, KP_MODE_BITS, (const BYTE *)&mode_bits, 0))
        return false;
    if (!crypt->set_key_param(key, KP_IV, iv, 0))
        return false;
    DWORD room = length + 16;
    DWORD n = length;
    return encrypt ? crypt->encrypt(key, 0, final, 0, data, &n, room) != FALSE
                   : crypt->decrypt(key, 0, final, 0, data, &n) != FALSE;
}

/*
 * The cipher work of encrypt and decrypt. DES: CBC, a last partial block padded by the
 * provider's final call (pad bytes of the pad count), whole blocks run without it so no pad
 * block is added. AES: CFB128 over the data zero-filled to whole blocks, the output cut
 * to the input's length (the keystream of a block does not depend on its own text).
 */
int cipher(PmcPriv priv, bool encrypt, const unsigned char *key, size_t key_length, const unsigned char *iv,
           size_t iv_length, const unsigned char *in, size_t in_length, unsigned char *out, size_t *out_length)
{
    size_t block = priv == PRIV_DES ? 8 : 16;
    if (priv == PRIV_NONE || !key || !iv || !out || !out_length || (!in && in_length) || key_length < block ||
        iv_length < block || in_length > 0x7FFFFF00)
        return PMC_SC_FAILURE;
    if (priv == PRIV_DES && !encrypt && in_length % block)
        return PMC_SC_FAILURE;
    size_t whole = (in_length + block - 1) / block * block;
    size_t produced = priv == PRIV_DES && encrypt ? whole : in_length;
    if (*out_length < produced)
        return PMC_SC_FAILURE;
    bool final = priv == PRIV_DES && encrypt && in_length % block != 0;

    CPmcLockHolder hold(pmc_netsnmp_lock());
    const PmcCryptEntries *crypt = pmc_crypt_entries();
    if (!crypt)
        return PMC_SC_UNAVAILABLE;
    PmcCryptContextKind kind = priv == PRIV_DES ? PMC_CRYPT_DES : PMC_CRYPT_AES;
    ALG_ID alg = priv == PRIV_DES ? CALG_DES : CALG_AES_128;
    PmcCryptContext *ctx = pmc_crypt_context(kind);
    unsigned char *work = (unsigned char *)pmc_alloc(whole + 16);
    if (!work)
        return PMC_SC_FAILURE;
    bool ok = false;
    /* The cached context first, then every row of the cipher in order. */
    for (size_t row = 0; !ok && row <= sizeof kProviderRows / sizeof kProviderRows[0]; ++row) {
        if (row > 0) {
            const PmcProviderRow &r = kProviderRows[row - 1];
            if (r.cipher != kind || !pmc_crypt_acquire(crypt, ctx, r.type, r.name))
                continue;
        } else if (!ctx->acquired) {
            continue;
        }
        std::memset(work, 0, whole + 16);
        if (in_length)
            std::memcpy(work, in, in_length);
        DWORD run_length = (DWORD)(final ? in_length : whole);
        ok = pmc_crypt_import_key(crypt, ctx, alg, key, (DWORD)block) &&
             run_cipher(crypt, ctx, priv, iv, encrypt, work, run_length, final);
        if (!ok)
            pmc_crypt_drop(crypt, ctx);
    }
    if (ok) {
        std::memcpy(out, work, produced);
        *out_length = produced;
    }
    pmc_free(work);
    return ok ? PMC_SC_OK : PMC_SC_FAILURE;
}

} // namespace

int pmc_crypto_proper_length(const PmcSnmpOid *protocol, size_t protocol_length)
{
    PmcAuth auth = auth_of(protocol, protocol_length);
    return auth == AUTH_NONE ? -1 : (int)digest_length(auth);
}

int pmc_crypto_random(unsigned char *buffer, size_t length)
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    const PmcCryptEntries *crypt = pmc_crypt_entries();
    if (!crypt)
        return PMC_SC_UNAVAILABLE;
    if (!buffer && length)
        return PMC_SC_FAILURE;
    PmcCryptContext *ctx = hashing_context(crypt);
    if (!ctx || !crypt->gen_random(ctx->provider, (DWORD)length, buffer))
        return PMC_SC_FAILURE;
    return PMC_SC_OK;
}

int pmc_crypto_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *data, size_t data_length,
                    unsigned char *digest, size_t *digest_length)
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    const PmcCryptEntries *crypt = pmc_crypt_entries();
    if (!crypt)
        return PMC_SC_UNAVAILABLE;
    PmcAuth auth = auth_of(protocol, protocol_length);
    if (auth == AUTH_NONE || (!data && data_length) || !digest || !digest_length)
        return PMC_SC_FAILURE;
    unsigned char full[kMaxDigest];
    PmcPiece piece = {data, data_length, 0};
    int rc = digest_pieces(crypt, auth, &piece, 1, full);
    if (rc == PMC_SC_OK)
        copy_cut(full, ::digest_length(auth), digest, digest_length);
    return rc;
}

int pmc_crypto_keyed_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key,
                          size_t key_length, const unsigned char *message, size_t message_length, unsigned char *mac,
                          size_t *mac_length)
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    const PmcCryptEntries *crypt = pmc_crypt_entries();
    if (!crypt)
        return PMC_SC_UNAVAILABLE;
    PmcAuth auth = auth_of(protocol, protocol_length);
    if (auth == AUTH_NONE || (!key && key_length) || (!message && message_length) || !mac || !mac_length)
        return PMC_SC_FAILURE;
    unsigned char full[kMaxDigest];
    int rc = hmac(crypt, auth, key, key_length, message, message_length, full);
    if (rc == PMC_SC_OK)
        copy_cut(full, digest_length(auth), mac, mac_length);
    return rc;
}

int pmc_crypto_check_keyed_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key,
                                size_t key_length, const unsigned char *message, size_t message_length,
                                const unsigned char *mac, size_t mac_length)
{
    if (protocol_length != 10 || mac_length != kCheckedMac || message_length <= 11 || !mac)
        return PMC_SC_MAC_MISMATCH;
    unsigned char full[kMaxDigest];
    size_t full_length = sizeof full;
    int rc =
        pmc_crypto_keyed_hash(protocol, protocol_length, key, key_length, message, message_length, full, &full_length);
    if (rc == PMC_SC_UNAVAILABLE)
        return rc;
    if (rc != PMC_SC_OK || std::memcmp(full, mac, kCheckedMac) != 0)
        return PMC_SC_MAC_MISMATCH;
    return PMC_SC_OK;
}

int pmc_crypto_password_to_key(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *phrase,
                               size_t phrase_length, unsigned char *key, size_t *key_length)
{
    CPmcLockHolder hold(pmc_netsnmp_lock());
    const PmcCryptEntries *crypt = pmc_crypt_entries();
    if (!crypt)
        return PMC_SC_UNAVAILABLE;
    PmcAuth auth = auth_of(protocol, protocol_length);
    if (auth == AUTH_NONE || !phrase || phrase_length == 0 || !key || !key_length)
        return PMC_SC_FAILURE;
    unsigned char full[kMaxDigest];
    PmcPiece repeated = {phrase, phrase_length, kKuInput};
    int rc = digest_pieces(crypt, auth, &repeated, 1, full);
    if (rc != PMC_SC_OK)
        return rc;
    copy_cut(full, digest_length(auth), key, key_length);
    return PMC_SC_OK;
}

int pmc_crypto_encrypt(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key, size_t key_length,
                       const unsigned char *iv, size_t iv_length, const unsigned char *in, size_t in_length,
                       unsigned char *out, size_t *out_length)
{
    return cipher(
        priv_of(protocol, protocol_length), true, key, key_length, iv, iv_length, in, in_length, out, out_length);
}

int pmc_crypto_decrypt(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key, size_t key_length,
                       const unsigned char *iv, size_t iv_length, const unsigned char *in, size_t in_length,
                       unsigned char *out, size_t *out_length)
{
    return cipher(
        priv_of(protocol, protocol_length), false, key, key_length, iv, iv_length, in, in_length, out, out_length);
}
