/*
 * Private records of the crypt area: CryptoAPI providers, hashes and keys played over
 * OpenSSL's libcrypto in a library context of the area's own (the "default" provider and
 * the "legacy" one for DES), never the process default.
 */
#ifndef QM_CRYPT_PRIVATE_H
#define QM_CRYPT_PRIVATE_H

#include <windows.h>
#include <wincrypt.h>

#include <mutex>
#include <vector>

typedef struct ossl_lib_ctx_st OSSL_LIB_CTX;
typedef struct evp_pkey_st EVP_PKEY;

namespace qmc {

enum ObjectKind : DWORD { kProvider = 1, kHash = 2, kKey = 3 };

/* Common head of every handle's record. */
struct Object {
    DWORD kind;
};

struct Key;

/* One acquired provider context. */
struct Provider : Object {
    DWORD type;         /* PROV_* */
    EVP_PKEY *exchange; /* key pair of AT_KEYEXCHANGE, or NULL; handles to it share it */
    LONG refs;          /* the context and every hash and key made from it */
};

/* One hash object. */
struct Hash : Object {
    Provider *provider;
    ALG_ID alg;
    void *md_ctx;            /* EVP_MD_CTX; NULL once finished */
    std::vector<BYTE> value; /* the value once finished */
};

/* One key: the RSA key exchange key or a session key. */
struct Key : Object {
    Provider *provider;
    ALG_ID alg;
    EVP_PKEY *rsa;                /* CALG_RSA_KEYX */
    std::vector<BYTE> secret;     /* session keys */
    DWORD mode;                   /* CRYPT_MODE_CBC or CRYPT_MODE_CFB */
    DWORD mode_bits;              /* feedback bits in CFB mode */
    std::vector<BYTE> iv;         /* as set (zero by default) */
    std::vector<BYTE> running_iv; /* chained between calls until a final one */
};

/* The area's lock: guards the object table and every record. */
std::mutex &CryptLock();

/* The area's OpenSSL library context, made on first use; NULL when it cannot be made. */
OSSL_LIB_CTX *LibraryContext();

/* Registers a new record as a live handle. */
ULONG_PTR AddObject(Object *object);
/* The live record of kind behind handle h, or NULL (caller holds CryptLock()). */
Object *FindObject(ULONG_PTR h, DWORD kind);
/* Forgets the handle of a record (caller holds CryptLock()). */
void RemoveObject(Object *object);

/* Drops one reference on a provider, freeing it at the last (caller holds CryptLock()). */
void ReleaseProvider(Provider *provider);
/* Frees a key record and its OpenSSL objects (caller holds CryptLock()). */
void FreeKey(Key *key);

/* Whether the provider type offers the algorithm. */
bool ProviderSupports(DWORD type, ALG_ID alg);

/* Session key length in bytes of a cipher, 0 for none. */
DWORD CipherKeyLength(ALG_ID alg);

/* Runs the session cipher over data in place (length a multiple of the block unless
 * `final`), chaining the IV; false with the last error set. */
bool RunCipher(Key *key, bool encrypt, bool final, BYTE *data, DWORD length);

/* Block length of a session cipher. */
DWORD CipherBlockLength(ALG_ID alg);

/* The value of a hash, finishing it first (caller holds CryptLock()). */
bool HashValue(Hash *hash, std::vector<BYTE> *value);

/* Fails a CryptoAPI call with the error. */
BOOL Fail(DWORD error);

} // namespace qmc

#endif /* QM_CRYPT_PRIVATE_H */
