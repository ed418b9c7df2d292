/*
 * SNMPv3 computations over the system's CryptoAPI: known-answer vectors, the MAC check,
 * the DES pad rule, the provider rows and a system without CryptoAPI.
 */
#include "management/snmpv3/pmc_crypto.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <wincrypt.h>

#include "platform/testing/qm_testing.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes from_hex(const char *hex)
{
    Bytes out;
    for (size_t i = 0; hex[i] && hex[i + 1]; i += 2)
        out.push_back((unsigned char)std::stoi(std::string(hex + i, 2), nullptr, 16));
    return out;
}

Bytes text(const char *s)
{
    return Bytes(s, s + std::strlen(s));
}

/* Every test starts from an unbound library with every provider and export offered. */
class CryptoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reset();
    }
    void TearDown() override
    {
        reset();
    }
    static void reset()
    {
        qmt_CryptHideExports(FALSE);
        qmt_CryptRefuseNone();
        pmc_crypto_unload();
    }
};

int encrypt(const PmcSnmpOid *protocol, const Bytes &key, const Bytes &iv, const Bytes &in, Bytes *out)
{
    out->assign(in.size() + 16, 0);
    size_t length = out->size();
    int rc = pmc_crypto_encrypt(
        protocol, 10, key.data(), key.size(), iv.data(), iv.size(), in.data(), in.size(), out->data(), &length);
    out->resize(rc == 0 ? length : 0);
    return rc;
}

int decrypt(const PmcSnmpOid *protocol, const Bytes &key, const Bytes &iv, const Bytes &in, Bytes *out)
{
    out->assign(in.size() + 16, 0);
    size_t length = out->size();
    int rc = pmc_crypto_decrypt(
        protocol, 10, key.data(), key.size(), iv.data(), iv.size(), in.data(), in.size(), out->data(), &length);
    out->resize(rc == 0 ? length : 0);
    return rc;
}

const Bytes kDesKey = from_hex("0123456789abcdef");
const Bytes kDesIv = from_hex("1234567890abcdef");

TEST_F(CryptoTest, ProperLengthByProtocol)
{
    const PmcSnmpOid other[10] = {1, 3, 6, 1, 6, 3, 10, 1, 1, 9};
    EXPECT_EQ(16, pmc_crypto_proper_length(PMC_OID_HMAC_MD5, 10));
    EXPECT_EQ(20, pmc_crypto_proper_length(PMC_OID_HMAC_SHA1, 10));
    EXPECT_EQ(-1, pmc_crypto_proper_length(other, 10));
    EXPECT_EQ(-1, pmc_crypto_proper_length(PMC_OID_HMAC_MD5, 9));
    EXPECT_EQ(-1, pmc_crypto_proper_length(PMC_OID_PRIV_DES, 10));
}

/* RFC 3414 A.3.1 and A.3.2. */
TEST_F(CryptoTest, PasswordToKeyVectors)
{
    const Bytes phrase = text("maplesyrup");
    struct Case {
        const PmcSnmpOid *protocol;
        const char *ku;
    } cases[] = {
        {PMC_OID_HMAC_MD5, "9faf3283884e92834ebc9847d8edd963"},
        {PMC_OID_HMAC_SHA1, "9fb5cc0381497b3793528939ff788d5d79145211"},
    };
    for (const Case &c : cases) {
        unsigned char key[32];
        size_t length = sizeof key;
        ASSERT_EQ(0, pmc_crypto_password_to_key(c.protocol, 10, phrase.data(), phrase.size(), key, &length));
        EXPECT_EQ(from_hex(c.ku), Bytes(key, key + length));
    }
    unsigned char key[32];
    size_t length = sizeof key;
    EXPECT_EQ(-1, pmc_crypto_password_to_key(PMC_OID_HMAC_MD5, 10, phrase.data(), 0, key, &length));
    EXPECT_EQ(-1, pmc_crypto_password_to_key(PMC_OID_PRIV_DES, 10, phrase.data(), phrase.size(), key, &length));
}

/* RFC 2202 cases 2 and 6 (a key longer than a block is hashed first); the hash itself by
 * RFC 1321 and FIPS 180 "abc". */
TEST_F(CryptoTest, HashAndKeyedHashVectors)
{
    const Bytes message = text("what do ya want for nothing?");
    const Bytes jefe = text("Jefe");
    const Bytes long_key(80, 0xaa);
    const Bytes long_message = text("Test Using Larger Than Block-Size Key - Hash Key First");
    struct Case {
        const PmcSnmpOid *protocol;
        const Bytes &key;
        const Bytes &message;
        const char *mac;
    } cases[] = {
        {PMC_OID_HMAC_MD5, jefe, message, "750c783e6ab0b503eaa86e310a5db738"},
        {PMC_OID_HMAC_SHA1, jefe, message, "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {PMC_OID_HMAC_MD5, long_key, long_message, "6b1ab7fe4bd7bf8f0b62e6ce61b9d0cd"},
        {PMC_OID_HMAC_SHA1, long_key, long_message, "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
    };
    for (const Case &c : cases) {
        unsigned char mac[32];
        size_t length = sizeof mac;
        ASSERT_EQ(0,
                  pmc_crypto_keyed_hash(
                      c.protocol, 10, c.key.data(), c.key.size(), c.message.data(), c.message.size(), mac, &length));
        EXPECT_EQ(from_hex(c.mac), Bytes(mac, mac + length));
    }
    unsigned char mac[12];
    size_t length = sizeof mac;
    ASSERT_EQ(0,
              pmc_crypto_keyed_hash(
                  PMC_OID_HMAC_MD5, 10, jefe.data(), jefe.size(), message.data(), message.size(), mac, &length));
    EXPECT_EQ(12u, length); /* cut to the room */

    const Bytes abc = text("abc");
    unsigned char digest[20];
    length = sizeof digest;
    ASSERT_EQ(0, pmc_crypto_hash(PMC_OID_HMAC_SHA1, 10, abc.data(), abc.size(), digest, &length));
    EXPECT_EQ(from_hex("a9993e364706816aba3e25717850c26c9cd0d89d"), Bytes(digest, digest + length));
    length = sizeof digest;
    ASSERT_EQ(0, pmc_crypto_hash(PMC_OID_HMAC_MD5, 10, abc.data(), abc.size(), digest, &length));
    EXPECT_EQ(from_hex("900150983cd24fb0d6963f7d28e17f72"), Bytes(digest, digest + length));
}

TEST_F(CryptoTest, MacCheckNeedsTwelveBytes)
{
    const Bytes key(16, 0x11);
    const Bytes message = text("a message of some length");
    unsigned char mac[16];
    size_t length = sizeof mac;
    ASSERT_EQ(0,
              pmc_crypto_keyed_hash(
                  PMC_OID_HMAC_MD5, 10, key.data(), key.size(), message.data(), message.size(), mac, &length));
    EXPECT_EQ(0,
              pmc_crypto_check_keyed_hash(
                  PMC_OID_HMAC_MD5, 10, key.data(), key.size(), message.data(), message.size(), mac, 12));
    for (size_t mac_length : {11u, 13u})
        EXPECT_EQ(-38,
                  pmc_crypto_check_keyed_hash(
                      PMC_OID_HMAC_MD5, 10, key.data(), key.size(), message.data(), message.size(), mac, mac_length));
    EXPECT_EQ(-38,
              pmc_crypto_check_keyed_hash(PMC_OID_HMAC_MD5, 10, key.data(), key.size(), message.data(), 11, mac, 12));
    EXPECT_EQ(-38,
              pmc_crypto_check_keyed_hash(
                  PMC_OID_HMAC_MD5, 9, key.data(), key.size(), message.data(), message.size(), mac, 12));
    mac[3] ^= 1;
    EXPECT_EQ(-38,
              pmc_crypto_check_keyed_hash(
                  PMC_OID_HMAC_MD5, 10, key.data(), key.size(), message.data(), message.size(), mac, 12));
}

TEST_F(CryptoTest, DesCbcVectorAndPadRule)
{
    const Bytes plain = text("Now is the time for all ");
    Bytes cipher, back;
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, plain, &cipher));
    EXPECT_EQ(from_hex("e5c7cdde872bf27c43e934008c389c0f683788499a7c05f6"), cipher); /* 24 give 24 */
    ASSERT_EQ(0, decrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, cipher, &back));
    EXPECT_EQ(plain, back);

    const Bytes twenty(plain.begin(), plain.begin() + 20);
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, twenty, &cipher));
    ASSERT_EQ(24u, cipher.size());
    ASSERT_EQ(0, decrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, cipher, &back));
    EXPECT_EQ(twenty, Bytes(back.begin(), back.begin() + 20));
    EXPECT_EQ(Bytes(4, 4), Bytes(back.begin() + 20, back.end()));

    /* A cipher text of partial blocks does not decrypt; short room, key or IV fail. */
    EXPECT_EQ(-1, decrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, twenty, &back));
    EXPECT_EQ(-1, encrypt(PMC_OID_PRIV_DES, Bytes(7, 1), kDesIv, plain, &cipher));
    EXPECT_EQ(-1, encrypt(PMC_OID_PRIV_DES, kDesKey, Bytes(7, 1), plain, &cipher));
    unsigned char small[16];
    size_t length = sizeof small;
    EXPECT_EQ(-1,
              pmc_crypto_encrypt(
                  PMC_OID_PRIV_DES, 10, kDesKey.data(), 8, kDesIv.data(), 8, twenty.data(), 20, small, &length));
    EXPECT_EQ(-1, encrypt(PMC_OID_HMAC_MD5, kDesKey, kDesIv, plain, &cipher));
}

/* SP 800-38A F.3.13, and a length that is no multiple of the block. */
TEST_F(CryptoTest, AesCfb128Vector)
{
    const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
    const Bytes iv = from_hex("000102030405060708090a0b0c0d0e0f");
    const Bytes plain = from_hex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51");
    Bytes cipher, back;
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_AES, key, iv, plain, &cipher));
    EXPECT_EQ(from_hex("3b3fd92eb72dad20333449f8e83cfb4ac8a64537a0b3a93fcde3cdad9f1ce58b"), cipher);
    ASSERT_EQ(0, decrypt(PMC_OID_PRIV_AES, key, iv, cipher, &back));
    EXPECT_EQ(plain, back);

    const Bytes odd(plain.begin(), plain.begin() + 21);
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_AES, key, iv, odd, &cipher));
    EXPECT_EQ(Bytes(from_hex("3b3fd92eb72dad20333449f8e83cfb4ac8a64537a0")), cipher);
    ASSERT_EQ(0, decrypt(PMC_OID_PRIV_AES, key, iv, cipher, &back));
    EXPECT_EQ(odd, back);
}

TEST_F(CryptoTest, RandomFillsTheBuffer)
{
    unsigned char a[32] = {}, b[32] = {};
    ASSERT_EQ(0, pmc_crypto_random(a, sizeof a));
    ASSERT_EQ(0, pmc_crypto_random(b, sizeof b));
    EXPECT_NE(0, std::memcmp(a, b, sizeof a));
}

/* The DES rows are walked in order: with the first two refused the third gives the same
 * output; with all six refused the cipher fails. AES has rows of its own. */
TEST_F(CryptoTest, ProviderRowsAreWalked)
{
    const Bytes plain = text("Now is the time for all ");
    Bytes expected, cipher;
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, plain, &expected));
    pmc_crypto_unload();
    qmt_CryptRefuseProvider(PROV_RSA_FULL, "Microsoft Enhanced Cryptographic Provider v1.0");
    qmt_CryptRefuseProvider(PROV_RSA_FULL, "Microsoft Base Cryptographic Provider v1.0");
    ASSERT_EQ(0, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, plain, &cipher));
    EXPECT_EQ(expected, cipher);

    pmc_crypto_unload();
    qmt_CryptRefuseProvider(PROV_RSA_FULL, nullptr);
    qmt_CryptRefuseProvider(PROV_RSA_SCHANNEL, "Microsoft RSA SChannel Cryptographic Provider");
    qmt_CryptRefuseProvider(PROV_RSA_SCHANNEL, nullptr);
    qmt_CryptRefuseProvider(PROV_DH_SCHANNEL, nullptr);
    EXPECT_EQ(-1, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, plain, &cipher));
    EXPECT_EQ(0, encrypt(PMC_OID_PRIV_AES, Bytes(16, 1), Bytes(16, 2), plain, &cipher));
}

TEST_F(CryptoTest, WithoutCryptoApiEveryComputationIsUnavailable)
{
    qmt_CryptHideExports(TRUE);
    EXPECT_EQ(0, pmc_crypto_bind());
    EXPECT_FALSE(pmc_crypto_available());
    const Bytes data = text("some data of a message");
    unsigned char out[64];
    size_t length = sizeof out;
    EXPECT_EQ(-66, pmc_crypto_random(out, 8));
    EXPECT_EQ(-66, pmc_crypto_hash(PMC_OID_HMAC_MD5, 10, data.data(), data.size(), out, &length));
    EXPECT_EQ(-66, pmc_crypto_keyed_hash(PMC_OID_HMAC_MD5, 10, data.data(), 8, data.data(), data.size(), out, &length));
    EXPECT_EQ(-66,
              pmc_crypto_check_keyed_hash(PMC_OID_HMAC_MD5, 10, data.data(), 8, data.data(), data.size(), out, 12));
    EXPECT_EQ(-66, pmc_crypto_password_to_key(PMC_OID_HMAC_SHA1, 10, data.data(), data.size(), out, &length));
    Bytes cipher;
    EXPECT_EQ(-66, encrypt(PMC_OID_PRIV_DES, kDesKey, kDesIv, data, &cipher));
    EXPECT_EQ(16, pmc_crypto_proper_length(PMC_OID_HMAC_MD5, 10));
}

TEST_F(CryptoTest, MissingLibraryFailsTheBinding)
{
    qmt_FailModuleLoad(TEXT("advapi32.dll"));
    EXPECT_EQ(-10, pmc_crypto_bind());
    qmt_FailModuleLoad(nullptr);
    EXPECT_EQ(0, pmc_crypto_bind());
    EXPECT_TRUE(pmc_crypto_available());
}

} // namespace
