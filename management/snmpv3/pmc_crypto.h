/*
 * SNMPv3 security computations of the library, taken from the system's CryptoAPI in
 * "advapi32.dll" (bound at run time): hashes, keyed hashes, password-to-key, DES-CBC,
 * AES-128-CFB128 and random numbers, offered to Net-SNMP in place of its own. Protocols are
 * named by their OIDs (10 sub-identifiers): 1.3.6.1.6.3.10.1.1.2 HMAC-MD5,
 * 1.3.6.1.6.3.10.1.1.3 HMAC-SHA-1, 1.3.6.1.6.3.10.1.2.2 DES, 1.3.6.1.6.3.10.1.2.4 AES.
 * All but pmc_crypto_proper_length hold the process-wide Net-SNMP lock while they work.
 */
#ifndef MANAGEMENT_SNMPV3_PMC_CRYPTO_H
#define MANAGEMENT_SNMPV3_PMC_CRYPTO_H

#include <cstddef>

/* A sub-identifier as Net-SNMP keeps it. */
typedef unsigned long PmcSnmpOid;

/* Results of the computations, in Net-SNMP's numbers. */
enum {
    PMC_SC_OK = 0,
    PMC_SC_FAILURE = -1,       /* an unknown protocol or a CryptoAPI failure */
    PMC_SC_MAC_MISMATCH = -38, /* a MAC that does not check */
    PMC_SC_UNAVAILABLE = -66   /* the system has no CryptoAPI */
};

/* The protocol OIDs. */
extern const PmcSnmpOid PMC_OID_HMAC_MD5[10];
extern const PmcSnmpOid PMC_OID_HMAC_SHA1[10];
extern const PmcSnmpOid PMC_OID_PRIV_DES[10];
extern const PmcSnmpOid PMC_OID_PRIV_AES[10];

/*
 * pmc_crypto_bind: binds "advapi32.dll" once (double-checked under the Net-SNMP lock): its
 * 25 required names and 15 optional Crypt* names. Returns 0 when bound (cryptography may
 * still be unavailable when a Crypt* name is missing), -10 when the library or a required
 * name is missing or an optional one fails otherwise.
 */
int pmc_crypto_bind();

/* pmc_crypto_available: whether bound with every Crypt* name (binds first). */
bool pmc_crypto_available();

/*
 * pmc_crypto_unload: releases the three cached provider contexts (keys, hash, then the
 * provider) and frees the bound library; the next use binds again. Run at unload.
 */
void pmc_crypto_unload();

/* pmc_crypto_proper_length: 16 for HMAC-MD5, 20 for HMAC-SHA-1, -1 otherwise. */
int pmc_crypto_proper_length(const PmcSnmpOid *protocol, size_t protocol_length);

/* pmc_crypto_random: fills buffer (out) with length random bytes. 0, -66 or -1. */
int pmc_crypto_random(unsigned char *buffer, size_t length);

/*
 * pmc_crypto_hash: MD5 or SHA-1 (by the authentication protocol) of data.
 * digest (out), digest_length (in: room; out: bytes written, the digest cut to the room).
 * Returns 0, -1 (unknown protocol, null arguments, CryptoAPI failure) or -66.
 */
int pmc_crypto_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *data, size_t data_length,
                    unsigned char *digest, size_t *digest_length);

/*
 * pmc_crypto_keyed_hash: HMAC (64-byte blocks; a key longer than 64 bytes is hashed
 * first) of message with key. mac (out), mac_length (in: room; out: bytes written, the
 * MAC cut to the room). Returns 0, -1 or -66.
 */
int pmc_crypto_keyed_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key,
                          size_t key_length, const unsigned char *message, size_t message_length, unsigned char *mac,
                          size_t *mac_length);

/*
 * pmc_crypto_check_keyed_hash: whether mac is the first 12 bytes of the HMAC of message.
 * Needs a protocol OID of 10 sub-identifiers, a MAC of exactly 12 bytes and a message
 * longer than 11 bytes. Returns 0, -38 (no match or arguments not so) or -66.
 */
int pmc_crypto_check_keyed_hash(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key,
                                size_t key_length, const unsigned char *message, size_t message_length,
                                const unsigned char *mac, size_t mac_length);

/*
 * pmc_crypto_password_to_key: the localisable key Ku of a pass phrase: the phrase repeated
 * to 1,048,576 bytes and hashed once. key (out), key_length (in: room; out: bytes written,
 * cut to the room). Returns 0, -1 (also for an empty phrase) or -66.
 */
int pmc_crypto_password_to_key(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *phrase,
                               size_t phrase_length, unsigned char *key, size_t *key_length);

/*
 * pmc_crypto_encrypt / pmc_crypto_decrypt: DES-CBC (8-byte key and IV; encryption pads a
 * last partial block with bytes of the pad count and adds no block to whole blocks;
 * decryption needs whole blocks and keeps the padding) or AES-128-CFB128 (16-byte key and
 * IV; output as long as the input). Longer keys and IVs use their first bytes.
 * out (out), out_length (in: room; out: bytes written). Returns 0, -1 (unknown protocol,
 * short key, IV or room, no provider row works) or -66.
 */
int pmc_crypto_encrypt(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key, size_t key_length,
                       const unsigned char *iv, size_t iv_length, const unsigned char *in, size_t in_length,
                       unsigned char *out, size_t *out_length);
int pmc_crypto_decrypt(const PmcSnmpOid *protocol, size_t protocol_length, const unsigned char *key, size_t key_length,
                       const unsigned char *iv, size_t iv_length, const unsigned char *in, size_t in_length,
                       unsigned char *out, size_t *out_length);

#endif /* MANAGEMENT_SNMPV3_PMC_CRYPTO_H */
