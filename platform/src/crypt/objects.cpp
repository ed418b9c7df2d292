/*
 * Handles of the crypt area and its OpenSSL library context. A handle is the address of
 * its record; a table of live records tells a live handle from a stale or foreign one.
 */
#include "platform/src/crypt/crypt_private.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <set>

namespace {

std::set<qmc::Object *> g_objects;
OSSL_LIB_CTX *g_context;
bool g_context_tried;

} // namespace

std::mutex &qmc::CryptLock()
{
    static std::mutex lock;
    return lock;
}

/* The "default" provider gives hashes, AES, RSA and random numbers; "legacy" gives DES.
 * Loaded once into a context of our own so that the process default is left as it is. */
OSSL_LIB_CTX *qmc::LibraryContext()
{
    if (g_context_tried)
        return g_context;
    g_context_tried = true;
    OSSL_LIB_CTX *context = OSSL_LIB_CTX_new();
    if (!context)
        return nullptr;
    if (!OSSL_PROVIDER_load(context, "default") || !OSSL_PROVIDER_load(context, "legacy")) {
        OSSL_LIB_CTX_free(context);
        return nullptr;
    }
    g_context = context;
    return g_context;
}

ULONG_PTR qmc::AddObject(Object *object)
{
    g_objects.insert(object);
    return (ULONG_PTR)object;
}

qmc::Object *qmc::FindObject(ULONG_PTR h, DWORD kind)
{
    Object *object = (Object *)h;
    if (!h || !g_objects.count(object) || object->kind != kind)
        return nullptr;
    return object;
}

void qmc::RemoveObject(Object *object)
{
    g_objects.erase(object);
}

void qmc::ReleaseProvider(Provider *provider)
{
    if (--provider->refs > 0)
        return;
    RemoveObject(provider);
    if (provider->exchange)
        EVP_PKEY_free(provider->exchange);
    delete provider;
}

void qmc::FreeKey(Key *key)
{
    RemoveObject(key);
    if (key->rsa)
        EVP_PKEY_free(key->rsa);
    Provider *provider = key->provider;
    delete key;
    ReleaseProvider(provider);
}

BOOL qmc::Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}
