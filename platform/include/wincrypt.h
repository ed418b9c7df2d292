/*
 * CryptoAPI for the host build: provider contexts, hashes, session keys, key blobs and
 * random numbers, as far as this system uses them. The providers are played by the crypt
 * area of the platform library.
 */
#ifndef QM_WINCRYPT_H
#define QM_WINCRYPT_H

#include <windef.h>
#include <winbase.h>

typedef unsigned int ALG_ID;
typedef ULONG_PTR HCRYPTPROV;
typedef ULONG_PTR HCRYPTKEY;
typedef ULONG_PTR HCRYPTHASH;

/* Provider types. */
#define PROV_RSA_FULL 1
#define PROV_RSA_SCHANNEL 12
#define PROV_DH_SCHANNEL 18
#define PROV_RSA_AES 24

/* CryptAcquireContext flags. */
#define CRYPT_VERIFYCONTEXT 0xF0000000UL
#define CRYPT_NEWKEYSET 0x00000008UL
#define CRYPT_DELETEKEYSET 0x00000010UL

/* Algorithm identifiers. */
#define CALG_MD5 0x00008003U
#define CALG_SHA1 0x00008004U
#define CALG_DES 0x00006601U
#define CALG_AES_128 0x0000660EU
#define CALG_RSA_KEYX 0x0000A400U

/* Key specifications and key flags. */
#define AT_KEYEXCHANGE 1
#define AT_SIGNATURE 2
#define CRYPT_EXPORTABLE 0x00000001UL

/* Hash parameters. */
#define HP_ALGID 0x0001
#define HP_HASHVAL 0x0002
#define HP_HASHSIZE 0x0004

/* Key parameters, cipher modes and padding. */
#define KP_IV 1
#define KP_PADDING 3
#define KP_MODE 4
#define KP_MODE_BITS 5
#define KP_ALGID 7
#define KP_KEYLEN 9
#define PKCS5_PADDING 1
#define CRYPT_MODE_CBC 1
#define CRYPT_MODE_ECB 2
#define CRYPT_MODE_OFB 3
#define CRYPT_MODE_CFB 4

/* Key blobs. */
#define SIMPLEBLOB 0x1
#define PUBLICKEYBLOB 0x6
#define CUR_BLOB_VERSION 2

typedef struct _PUBLICKEYSTRUC {
    BYTE bType;
    BYTE bVersion;
    WORD reserved;
    ALG_ID aiKeyAlg;
} BLOBHEADER, PUBLICKEYSTRUC;

#ifdef __cplusplus
extern "C" {
#endif

/* Failures set the last error (NTE_* codes, ERROR_INVALID_HANDLE, ERROR_MORE_DATA, ...). */
BOOL WINAPI CryptAcquireContextA(HCRYPTPROV *phProv, LPCSTR szContainer, LPCSTR szProvider, DWORD dwProvType,
                                 DWORD dwFlags);
BOOL WINAPI CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags);
BOOL WINAPI CryptGenRandom(HCRYPTPROV hProv, DWORD dwLen, BYTE *pbBuffer);
BOOL WINAPI CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags, HCRYPTHASH *phHash);
BOOL WINAPI CryptHashData(HCRYPTHASH hHash, const BYTE *pbData, DWORD dwDataLen, DWORD dwFlags);
BOOL WINAPI CryptGetHashParam(HCRYPTHASH hHash, DWORD dwParam, BYTE *pbData, DWORD *pdwDataLen, DWORD dwFlags);
BOOL WINAPI CryptDestroyHash(HCRYPTHASH hHash);
BOOL WINAPI CryptGenKey(HCRYPTPROV hProv, ALG_ID Algid, DWORD dwFlags, HCRYPTKEY *phKey);
BOOL WINAPI CryptGetUserKey(HCRYPTPROV hProv, DWORD dwKeySpec, HCRYPTKEY *phUserKey);
BOOL WINAPI CryptDeriveKey(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTHASH hBaseData, DWORD dwFlags, HCRYPTKEY *phKey);
BOOL WINAPI CryptImportKey(HCRYPTPROV hProv, const BYTE *pbData, DWORD dwDataLen, HCRYPTKEY hPubKey, DWORD dwFlags,
                           HCRYPTKEY *phKey);
BOOL WINAPI CryptSetKeyParam(HCRYPTKEY hKey, DWORD dwParam, const BYTE *pbData, DWORD dwFlags);
BOOL WINAPI CryptEncrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen,
                         DWORD dwBufLen);
BOOL WINAPI CryptDecrypt(HCRYPTKEY hKey, HCRYPTHASH hHash, BOOL Final, DWORD dwFlags, BYTE *pbData, DWORD *pdwDataLen);
BOOL WINAPI CryptDestroyKey(HCRYPTKEY hKey);

#ifdef __cplusplus
}
#endif

#endif /* QM_WINCRYPT_H */
