/*
 * CryptoAPI of the host: hashes, the key exchange key and SIMPLEBLOB import, session
 * ciphers with padding and chaining, the ANSI registry calls (the advapi32 exports and the
 * test controls: crypt_controls_test.cpp).
 */
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

struct Context {
    /* As Windows callers do: the default key container, made when it does not exist yet
     * (NTE_BAD_KEYSET), or found when another process made it meanwhile. */
    explicit Context(DWORD type = PROV_RSA_FULL, LPCSTR name = nullptr)
    {
        ok = CryptAcquireContextA(&prov, nullptr, name, type, 0) ||
             CryptAcquireContextA(&prov, nullptr, name, type, CRYPT_NEWKEYSET) ||
             CryptAcquireContextA(&prov, nullptr, name, type, 0);
    }
    ~Context()
    {
        if (ok)
            CryptReleaseContext(prov, 0);
    }
    HCRYPTPROV prov = 0;
    BOOL ok;
};

/* Imports raw key bytes as a session key through a SIMPLEBLOB wrapped with the context's
 * key exchange key, as callers without a plain-key import do. */
HCRYPTKEY import_raw(HCRYPTPROV prov, ALG_ID alg, const Bytes &raw)
{
    HCRYPTKEY exchange = 0;
    if (!CryptGetUserKey(prov, AT_KEYEXCHANGE, &exchange)) {
        EXPECT_EQ((DWORD)NTE_NO_KEY, GetLastError());
        EXPECT_TRUE(CryptGenKey(prov, AT_KEYEXCHANGE, 0, &exchange));
    }
    Bytes blob(sizeof(BLOBHEADER) + sizeof(ALG_ID) + 256);
    BLOBHEADER header = {SIMPLEBLOB, CUR_BLOB_VERSION, 0, alg};
    ALG_ID wrap = CALG_RSA_KEYX;
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, &wrap, sizeof wrap);
    BYTE *wrapped = blob.data() + sizeof header + sizeof wrap;
    std::memcpy(wrapped, raw.data(), raw.size());
    DWORD length = (DWORD)raw.size();
    EXPECT_TRUE(CryptEncrypt(exchange, 0, TRUE, 0, wrapped, &length, 256));
    EXPECT_EQ(128u, length);
    HCRYPTKEY key = 0;
    EXPECT_TRUE(CryptImportKey(prov, blob.data(), (DWORD)(sizeof header + sizeof wrap + length), exchange, 0, &key));
    /* A blob wrapped for another length, or of another type, is refused. */
    HCRYPTKEY bad = 0;
    blob[0] = PUBLICKEYBLOB;
    EXPECT_FALSE(CryptImportKey(prov, blob.data(), (DWORD)(sizeof header + sizeof wrap + length), exchange, 0, &bad));
    EXPECT_EQ((DWORD)NTE_BAD_TYPE, GetLastError());
    CryptDestroyKey(exchange);
    return key;
}

TEST(Crypt, HashMd5AndSha1)
{
    Context c;
    ASSERT_TRUE(c.ok);
    struct Case {
        ALG_ID alg;
        DWORD size;
        BYTE first;
    } cases[] = {{CALG_MD5, 16, 0x90}, {CALG_SHA1, 20, 0xa9}};
    for (const Case &k : cases) {
        HCRYPTHASH hash = 0;
        ASSERT_TRUE(CryptCreateHash(c.prov, k.alg, 0, 0, &hash));
        ASSERT_TRUE(CryptHashData(hash, (const BYTE *)"ab", 2, 0));
        ASSERT_TRUE(CryptHashData(hash, (const BYTE *)"c", 1, 0));
        DWORD size = 0, length = sizeof size;
        ASSERT_TRUE(CryptGetHashParam(hash, HP_HASHSIZE, (BYTE *)&size, &length, 0));
        EXPECT_EQ(k.size, size);
        BYTE value[20];
        length = 4;
        EXPECT_FALSE(CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0));
        EXPECT_EQ((DWORD)ERROR_MORE_DATA, GetLastError());
        EXPECT_EQ(k.size, length);
        ASSERT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, value, &length, 0));
        EXPECT_EQ(k.first, value[0]);
        EXPECT_FALSE(CryptHashData(hash, (const BYTE *)"d", 1, 0));
        EXPECT_EQ((DWORD)NTE_BAD_HASH_STATE, GetLastError());
        EXPECT_TRUE(CryptDestroyHash(hash));
        EXPECT_FALSE(CryptDestroyHash(hash));
    }
    HCRYPTHASH hash = 0;
    EXPECT_FALSE(CryptCreateHash(c.prov, CALG_DES, 0, 0, &hash));
    EXPECT_EQ((DWORD)NTE_BAD_ALGID, GetLastError());
}

/* DES-CBC: a final call pads (a whole block for whole blocks), a chained pair of calls
 * equals one call, and decryption removes the padding. */
TEST(Crypt, DesCbcThroughSimpleBlob)
{
    Context c(PROV_RSA_FULL, "Microsoft Enhanced Cryptographic Provider v1.0");
    ASSERT_TRUE(c.ok);
    const Bytes raw = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
    const BYTE iv[8] = {0x12, 0x34, 0x56, 0x78, 0x90, 0xab, 0xcd, 0xef};
    HCRYPTKEY key = import_raw(c.prov, CALG_DES, raw);
    ASSERT_NE(0u, key);
    ASSERT_TRUE(CryptSetKeyParam(key, KP_IV, iv, 0));
    BYTE data[32] = "Now is the time for all ";
    DWORD length = 24;
    ASSERT_TRUE(CryptEncrypt(key, 0, TRUE, 0, data, &length, sizeof data));
    ASSERT_EQ(32u, length); /* a whole pad block */
    const BYTE expected[8] = {0xe5, 0xc7, 0xcd, 0xde, 0x87, 0x2b, 0xf2, 0x7c};
    EXPECT_EQ(0, std::memcmp(expected, data, 8));
    const BYTE last[8] = {0x68, 0x37, 0x88, 0x49, 0x9a, 0x7c, 0x05, 0xf6};
    EXPECT_EQ(0, std::memcmp(last, data + 16, 8));
    ASSERT_TRUE(CryptDecrypt(key, 0, TRUE, 0, data, &length));
    EXPECT_EQ(24u, length);
    EXPECT_EQ(0, std::memcmp(data, "Now is the time for all ", 24));

    BYTE split[24];
    std::memcpy(split, "Now is the time for all ", 24);
    DWORD first = 8, rest = 16;
    ASSERT_TRUE(CryptEncrypt(key, 0, FALSE, 0, split, &first, 8));
    ASSERT_TRUE(CryptEncrypt(key, 0, FALSE, 0, split + 8, &rest, 16));
    EXPECT_EQ(0, std::memcmp(last, split + 16, 8));
    DWORD odd = 5;
    EXPECT_FALSE(CryptEncrypt(key, 0, FALSE, 0, split, &odd, 8));
    EXPECT_EQ((DWORD)NTE_BAD_DATA, GetLastError());
    CryptDestroyKey(key);

    /* AES is only offered by the AES provider type. */
    HCRYPTKEY aes = 0;
    EXPECT_FALSE(CryptGenKey(c.prov, CALG_AES_128, 0, &aes));
    EXPECT_EQ((DWORD)NTE_BAD_ALGID, GetLastError());
}

TEST(Crypt, Aes128Cfb128)
{
    Context c(PROV_RSA_AES);
    ASSERT_TRUE(c.ok);
    const Bytes raw = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6, 0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
    BYTE iv[16];
    for (int i = 0; i < 16; ++i)
        iv[i] = (BYTE)i;
    HCRYPTKEY key = import_raw(c.prov, CALG_AES_128, raw);
    DWORD mode = CRYPT_MODE_CFB, bits = 128;
    ASSERT_TRUE(CryptSetKeyParam(key, KP_MODE, (const BYTE *)&mode, 0));
    ASSERT_TRUE(CryptSetKeyParam(key, KP_MODE_BITS, (const BYTE *)&bits, 0));
    ASSERT_TRUE(CryptSetKeyParam(key, KP_IV, iv, 0));
    BYTE data[16] = {0x6b, 0xc1, 0xbe, 0xe2, 0x2e, 0x40, 0x9f, 0x96, 0xe9, 0x3d, 0x7e, 0x11, 0x73, 0x93, 0x17, 0x2a};
    DWORD length = 16;
    ASSERT_TRUE(CryptEncrypt(key, 0, FALSE, 0, data, &length, 16));
    const BYTE expected[16] = {
        0x3b, 0x3f, 0xd9, 0x2e, 0xb7, 0x2d, 0xad, 0x20, 0x33, 0x34, 0x49, 0xf8, 0xe8, 0x3c, 0xfb, 0x4a};
    EXPECT_EQ(0, std::memcmp(expected, data, 16));
    bits = 64;
    EXPECT_FALSE(CryptSetKeyParam(key, KP_MODE_BITS, (const BYTE *)&bits, 0));
    CryptDestroyKey(key);
}

TEST(Crypt, RandomAndBadHandles)
{
    Context c;
    BYTE a[16] = {}, b[16] = {};
    ASSERT_TRUE(CryptGenRandom(c.prov, sizeof a, a));
    ASSERT_TRUE(CryptGenRandom(c.prov, sizeof b, b));
    EXPECT_NE(0, std::memcmp(a, b, sizeof a));
    EXPECT_FALSE(CryptGenRandom(0, sizeof a, a));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    HCRYPTPROV prov = 0;
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, "No Such Provider", PROV_RSA_FULL, 0));
    EXPECT_EQ((DWORD)NTE_KEYSET_NOT_DEF, GetLastError());
    EXPECT_FALSE(CryptAcquireContextA(&prov, nullptr, nullptr, 99, 0));
    EXPECT_EQ((DWORD)NTE_PROV_TYPE_NOT_DEF, GetLastError());
    /* A context released under a live hash: the hash keeps working until destroyed. */
    HCRYPTPROV other = 0;
    ASSERT_TRUE(CryptAcquireContextA(&other, nullptr, nullptr, PROV_RSA_FULL, CRYPT_NEWKEYSET));
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptCreateHash(other, CALG_MD5, 0, 0, &hash));
    ASSERT_TRUE(CryptReleaseContext(other, 0));
    EXPECT_FALSE(CryptReleaseContext(other, 0));
    EXPECT_TRUE(CryptHashData(hash, a, 4, 0));
    EXPECT_TRUE(CryptDestroyHash(hash));
}

/* The ANSI registry calls convert names and string data around the wide ones. */
TEST(Crypt, AnsiRegistryCalls)
{
    HKEY key = nullptr;
    ASSERT_EQ(
        ERROR_SUCCESS,
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QmAnsi", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Name", 0, REG_SZ, (const BYTE *)"value", 6));
    DWORD number = 7;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Number", 0, REG_DWORD, (const BYTE *)&number, 4));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QmAnsi", 0, KEY_READ, &key));
    char text[16];
    DWORD type = 0, size = 3;
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(key, "Name", nullptr, &type, (BYTE *)text, &size));
    EXPECT_EQ(6u, size);
    size = sizeof text;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Name", nullptr, &type, (BYTE *)text, &size));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ("value", text);
    number = 0;
    size = 4;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "Number", nullptr, &type, (BYTE *)&number, &size));
    EXPECT_EQ(7u, number);
    DWORD values = 0;
    ASSERT_EQ(
        ERROR_SUCCESS,
        RegQueryInfoKeyA(
            key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(2u, values);
    RegCloseKey(key);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QmAnsi"));
}

} // namespace
