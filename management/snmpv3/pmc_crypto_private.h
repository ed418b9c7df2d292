/*
 * The advapi32 binding and the cached CryptoAPI provider contexts behind pmc_crypto.h.
 */
#ifndef MANAGEMENT_SNMPV3_PMC_CRYPTO_PRIVATE_H
#define MANAGEMENT_SNMPV3_PMC_CRYPTO_PRIVATE_H

#include <windows.h>
#include <wincrypt.h>

#include "management/snmpv3/pmc_crypto.h"
#include "management/snmpv3/pmc_snmpv3_locks.h"

typedef BOOL(WINAPI *PmcCryptAcquireContextA)(HCRYPTPROV *, LPCSTR, LPCSTR, DWORD, DWORD);
typedef BOOL(WINAPI *PmcCryptCreateHash)(HCRYPTPROV, ALG_ID, HCRYPTKEY, DWORD, HCRYPTHASH *);
typedef BOOL(WINAPI *PmcCryptHashData)(HCRYPTHASH, const BYTE *, DWORD, DWORD);
typedef BOOL(WINAPI *PmcCryptGetHashParam)(HCRYPTHASH, DWORD, BYTE *, DWORD *, DWORD);
typedef BOOL(WINAPI *PmcCryptGetUserKey)(HCRYPTPROV, DWORD, HCRYPTKEY *);
typedef BOOL(WINAPI *PmcCryptGenKey)(HCRYPTPROV, ALG_ID, DWORD, HCRYPTKEY *);
typedef BOOL(WINAPI *PmcCryptEncrypt)(HCRYPTKEY, HCRYPTHASH, BOOL, DWORD, BYTE *, DWORD *, DWORD);
typedef BOOL(WINAPI *PmcCryptImportKey)(HCRYPTPROV, const BYTE *, DWORD, HCRYPTKEY, DWORD, HCRYPTKEY *);
typedef BOOL(WINAPI *PmcCryptSetKeyParam)(HCRYPTKEY, DWORD, const BYTE *, DWORD);
typedef BOOL(WINAPI *PmcCryptDecrypt)(HCRYPTKEY, HCRYPTHASH, BOOL, DWORD, BYTE *, DWORD *);
typedef BOOL(WINAPI *PmcCryptGenRandom)(HCRYPTPROV, DWORD, BYTE *);
typedef BOOL(WINAPI *PmcCryptDestroyKey)(HCRYPTKEY);
typedef BOOL(WINAPI *PmcCryptDestroyHash)(HCRYPTHASH);
typedef BOOL(WINAPI *PmcCryptReleaseContext)(HCRYPTPROV, DWORD);

/* The Crypt* entry points, in the order of the optional name table. */
struct PmcCryptEntries {
    PmcCryptAcquireContextA acquire_context;
    PmcCryptCreateHash create_hash;
    PmcCryptHashData hash_data;
    PmcCryptGetHashParam get_hash_param;
    FARPROC derive_key;
    PmcCryptGetUserKey get_user_key;
    PmcCryptGenKey gen_key;
    PmcCryptEncrypt encrypt;
    PmcCryptImportKey import_key;
    PmcCryptSetKeyParam set_key_param;
    PmcCryptDecrypt decrypt;
    PmcCryptGenRandom gen_random;
    PmcCryptDestroyKey destroy_key;
    PmcCryptDestroyHash destroy_hash;
    PmcCryptReleaseContext release_context;
};

/* One cached provider context. */
struct PmcCryptContext {
    HCRYPTPROV provider;
    HCRYPTKEY exchange_key;
    HCRYPTKEY imported_key;
    HCRYPTHASH hash;
    bool acquired;
};

/* Which cached context. */
enum PmcCryptContextKind { PMC_CRYPT_HASHING, PMC_CRYPT_DES, PMC_CRYPT_AES };

/*
 * pmc_crypt_entries: the bound Crypt* entry points, binding first; null when cryptography
 * is not available. The caller holds the Net-SNMP lock.
 */
const PmcCryptEntries *pmc_crypt_entries();

/* pmc_crypt_context: the cached context of that kind (the caller holds the lock). */
PmcCryptContext *pmc_crypt_context(PmcCryptContextKind kind);

/* pmc_crypt_acquire: acquires ctx from the provider of type and name (null = the type's
 * default), once more with CRYPT_NEWKEYSET when refused; true on success. */
bool pmc_crypt_acquire(const PmcCryptEntries *crypt, PmcCryptContext *ctx, DWORD type, const char *name);

/* pmc_crypt_drop: releases a context's keys, hash and provider and clears it. */
void pmc_crypt_drop(const PmcCryptEntries *crypt, PmcCryptContext *ctx);

/*
 * pmc_crypt_import_key: wraps the raw key with the context's key exchange key (taken
 * from the context, else generated) into a SIMPLEBLOB and imports it as the context's
 * imported key (replacing an earlier one). true on success.
 */
bool pmc_crypt_import_key(const PmcCryptEntries *crypt, PmcCryptContext *ctx, ALG_ID alg, const unsigned char *key,
                          DWORD key_length);

#endif /* MANAGEMENT_SNMPV3_PMC_CRYPTO_PRIVATE_H */
