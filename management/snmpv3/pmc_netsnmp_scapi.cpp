/*
 * The security computations Net-SNMP calls (its sc_* entry points), supplied by the
 * library's own CryptoAPI computations in the Windows build, whose cross-built Net-SNMP has
 * none of its own: HMAC-MD5 and HMAC-SHA-1 authentication, DES and AES-128 privacy and
 * random numbers. The algorithm tables answer Net-SNMP's look-ups by type, OID and index.
 */
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/scapi.h>
#include <net-snmp/library/snmpusm.h>
#include <net-snmp/library/transform_oids.h>

#include "management/snmpv3/pmc_crypto.h"

namespace {

const netsnmp_auth_alg_info kAuthAlgorithms[] = {
    {NETSNMP_USMAUTH_NOAUTH, "usmNoAuthProtocol", usmNoAuthProtocol, 10, 0, 0},
    {NETSNMP_USMAUTH_HMACMD5, "usmHMACMD5AuthProtocol", (oid *)PMC_OID_HMAC_MD5, 10, 16, USM_MD5_AND_SHA_AUTH_LEN},
    {NETSNMP_USMAUTH_HMACSHA1, "usmHMACSHA1AuthProtocol", (oid *)PMC_OID_HMAC_SHA1, 10, 20, USM_MD5_AND_SHA_AUTH_LEN},
    {-1, "unknown", nullptr, 0, 0, 0},
};

/* {type, name, OID, OID length, key length, IV length, pad block} */
const netsnmp_priv_alg_info kPrivAlgorithms[] = {
    {USM_CREATE_USER_PRIV_NONE, "usmNoPrivProtocol", usmNoPrivProtocol, 10, 0, 0, 0},
    {USM_CREATE_USER_PRIV_DES, "usmDESPrivProtocol", (oid *)PMC_OID_PRIV_DES, 10, 16, 8, 8},
    {USM_CREATE_USER_PRIV_AES, "usmAESPrivProtocol", (oid *)PMC_OID_PRIV_AES, 10, 16, 16, 0},
    {-1, nullptr, nullptr, 0, 0, 0, 0},
};

template <typename Row> const Row *row_by_oid(const Row *rows, const oid *alg, u_int length)
{
    if (!alg || !length)
        return nullptr;
    for (; rows->type != -1; ++rows) {
        if (snmp_oid_compare(rows->alg_oid, rows->oid_len, alg, length) == 0)
            return rows;
    }
    return nullptr;
}

template <typename Row> const Row *row_by_type(const Row *rows, u_int type)
{
    for (; rows->type != -1; ++rows) {
        if (rows->type == (int)type)
            return rows;
    }
    return nullptr;
}

template <typename Row> const Row *row_by_index(const Row *rows, size_t count, u_int index)
{
    return index < count - 1 ? &rows[index] : nullptr;
}

const size_t kAuthCount = sizeof kAuthAlgorithms / sizeof kAuthAlgorithms[0];
const size_t kPrivCount = sizeof kPrivAlgorithms / sizeof kPrivAlgorithms[0];

/* Net-SNMP's code of a computation's result: -66 and -38 pass, other failures -1. */
int netsnmp_code(int rc)
{
    return rc == PMC_SC_OK || rc == PMC_SC_UNAVAILABLE || rc == PMC_SC_MAC_MISMATCH ? rc : SNMPERR_GENERR;
}

} // namespace

extern "C" {

const netsnmp_auth_alg_info *sc_find_auth_alg_byoid(const oid *alg, u_int length)
{
    return row_by_oid(kAuthAlgorithms, alg, length);
}

const netsnmp_auth_alg_info *sc_find_auth_alg_bytype(u_int type)
{
    return row_by_type(kAuthAlgorithms, type);
}

const netsnmp_auth_alg_info *sc_get_auth_alg_byindex(u_int index)
{
    return row_by_index(kAuthAlgorithms, kAuthCount, index);
}

int sc_get_authtype(const oid *alg, u_int length)
{
    const netsnmp_auth_alg_info *row = sc_find_auth_alg_byoid(alg, length);
    return row ? row->type : SNMPERR_GENERR;
}

int sc_get_proper_auth_length_bytype(int type)
{
    const netsnmp_auth_alg_info *row = sc_find_auth_alg_bytype(type);
    return row ? row->proper_length : SNMPERR_GENERR;
}

int sc_get_auth_maclen(int type)
{
    const netsnmp_auth_alg_info *row = sc_find_auth_alg_bytype(type);
    return row ? row->mac_length : 0;
}

const char *sc_get_auth_name(int type)
{
    const netsnmp_auth_alg_info *row = sc_find_auth_alg_bytype(type);
    return row ? row->name : nullptr;
}

oid *sc_get_auth_oid(int type, size_t *length)
{
    const netsnmp_auth_alg_info *row = sc_find_auth_alg_bytype(type);
    if (!row)
        return nullptr;
    if (length)
        *length = row->oid_len;
    return row->alg_oid;
}

int sc_get_properlength(const oid *alg, u_int length)
{
    return pmc_crypto_proper_length(alg, length);
}

const netsnmp_priv_alg_info *sc_get_priv_alg_byoid(const oid *alg, u_int length)
{
    return row_by_oid(kPrivAlgorithms, alg, length);
}

const netsnmp_priv_alg_info *sc_get_priv_alg_bytype(u_int type)
{
    return row_by_type(kPrivAlgorithms, type);
}

const netsnmp_priv_alg_info *sc_get_priv_alg_byindex(u_int index)
{
    return row_by_index(kPrivAlgorithms, kPrivCount, index);
}

int sc_get_privtype(const oid *alg, u_int length)
{
    const netsnmp_priv_alg_info *row = sc_get_priv_alg_byoid(alg, length);
    return row ? row->type : SNMPERR_GENERR;
}

oid *sc_get_priv_oid(int type, size_t *length)
{
    const netsnmp_priv_alg_info *row = sc_get_priv_alg_bytype(type);
    if (!row)
        return nullptr;
    if (length)
        *length = row->oid_len;
    return row->alg_oid;
}

int sc_get_proper_priv_length(const oid *alg, u_int length)
{
    const netsnmp_priv_alg_info *row = sc_get_priv_alg_byoid(alg, length);
    return row ? row->proper_length : 0;
}

int sc_get_proper_priv_length_bytype(int type)
{
    const netsnmp_priv_alg_info *row = sc_get_priv_alg_bytype(type);
    return row ? row->proper_length : 0;
}

int sc_init(void)
{
    return SNMPERR_SUCCESS;
}

int sc_shutdown(int, int, void *, void *)
{
    return SNMPERR_SUCCESS;
}

int sc_random(u_char *buffer, size_t *length)
{
    return length ? netsnmp_code(pmc_crypto_random(buffer, *length)) : SNMPERR_GENERR;
}

int sc_hash(const oid *alg, size_t alg_length, const u_char *data, size_t data_length, u_char *digest,
            size_t *digest_length)
{
    return netsnmp_code(pmc_crypto_hash(alg, alg_length, data, data_length, digest, digest_length));
}

int sc_hash_type(int type, const u_char *data, size_t data_length, u_char *digest, size_t *digest_length)
{
    size_t length = 0;
    const oid *alg = sc_get_auth_oid(type, &length);
    return alg ? sc_hash(alg, length, data, data_length, digest, digest_length) : SNMPERR_GENERR;
}

int sc_generate_keyed_hash(const oid *alg, size_t alg_length, const u_char *key, u_int key_length,
                           const u_char *message, u_int message_length, u_char *mac, size_t *mac_length)
{
    return netsnmp_code(
        pmc_crypto_keyed_hash(alg, alg_length, key, key_length, message, message_length, mac, mac_length));
}

int sc_check_keyed_hash(const oid *alg, size_t alg_length, const u_char *key, u_int key_length, const u_char *message,
                        u_int message_length, const u_char *mac, u_int mac_length)
{
    return netsnmp_code(
        pmc_crypto_check_keyed_hash(alg, alg_length, key, key_length, message, message_length, mac, mac_length));
}

int sc_encrypt(const oid *alg, size_t alg_length, u_char *key, u_int key_length, u_char *iv, u_int iv_length,
               const u_char *plain, u_int plain_length, u_char *cipher, size_t *cipher_length)
{
    return netsnmp_code(pmc_crypto_encrypt(
        alg, alg_length, key, key_length, iv, iv_length, plain, plain_length, cipher, cipher_length));
}

int sc_decrypt(const oid *alg, size_t alg_length, u_char *key, u_int key_length, u_char *iv, u_int iv_length,
               u_char *cipher, u_int cipher_length, u_char *plain, size_t *plain_length)
{
    return netsnmp_code(pmc_crypto_decrypt(
        alg, alg_length, key, key_length, iv, iv_length, cipher, cipher_length, plain, plain_length));
}

} // extern "C"
