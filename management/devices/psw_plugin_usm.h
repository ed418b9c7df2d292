/*
 * SNMPv3 settings of one PSW handle: the SNMP version choice and the user-based security
 * values (user, level, protocols, pass phrases, extension text), with built-in defaults
 * that every load starts from.
 */
#ifndef MANAGEMENT_DEVICES_PSW_PLUGIN_USM_H
#define MANAGEMENT_DEVICES_PSW_PLUGIN_USM_H

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/include/psw.h"

/* The SNMPv3 settings as the option, status, finder and request objects read them. */
class IPSWPluginUSM
{
public:
    /* load: resets to the defaults, then takes the version and the record's valid values. */
    virtual void load(int32_t version, PSWUSMParams params) = 0;
    /* release: destroys the object. */
    virtual void release() = 0;
    /* version: -1 (default), 0, 1 or 2 (SNMPv3 with the user-based security model). */
    virtual int32_t version() = 0;
    /* Texts: pointers to the object's own fields, valid for its life; a load changes them. */
    virtual const char *user_name() = 0;
    virtual int32_t security_level() = 0;
    virtual int32_t auth_protocol() = 0;
    virtual int32_t priv_protocol() = 0;
    virtual const char *auth_pass_phrase() = 0;
    virtual const char *priv_pass_phrase() = 0;
    virtual const char *extension_text() = 0;
    virtual ~IPSWPluginUSM() = default;
};

/* The settings object. */
class CPSWPluginUSM final : public IPSWPluginUSM, public CPmcHeapObject
{
public:
    CPSWPluginUSM();
    CPSWPluginUSM(const CPSWPluginUSM &) = delete;
    CPSWPluginUSM &operator=(const CPSWPluginUSM &) = delete;

    void load(int32_t version, PSWUSMParams params) override;
    void release() override;
    int32_t version() override
    {
        return m_version;
    }
    const char *user_name() override
    {
        return m_user_name;
    }
    int32_t security_level() override
    {
        return m_security_level;
    }
    int32_t auth_protocol() override
    {
        return m_auth_protocol;
    }
    int32_t priv_protocol() override
    {
        return m_priv_protocol;
    }
    const char *auth_pass_phrase() override
    {
        return m_auth_pass_phrase;
    }
    const char *priv_pass_phrase() override
    {
        return m_priv_pass_phrase;
    }
    const char *extension_text() override
    {
        return m_extension;
    }

private:
    void reset();

    int32_t m_version;
    char m_user_name[64];
    int32_t m_security_level;
    int32_t m_auth_protocol;
    int32_t m_priv_protocol;
    char m_auth_pass_phrase[64];
    char m_priv_pass_phrase[64];
    char m_extension[512];
};

/* pmc_create_plugin_usm: new settings with the defaults; null and -3 without memory, else
 * status 0. status (out) may be null. */
IPSWPluginUSM *pmc_create_plugin_usm(int *status);

#endif /* MANAGEMENT_DEVICES_PSW_PLUGIN_USM_H */
