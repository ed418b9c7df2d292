/*
 * SNMPv3 settings: defaults, reset and the load rules of the parameter record.
 */
#include "management/devices/psw_plugin_usm.h"

#include <cstring>

#include "management/base/pmc_status.h"

namespace {

/* The built-in SNMPv3 user and pass phrases. */
const char kDefaultUser[] = "Vdrivers";
const char kDefaultAuthPassPhrase[] = "Wq8rNz2kLp5vBt7yHd3m";
const char kDefaultPrivPassPhrase[] = "Fs6jKc1xQe9uGa4oPb0n";

const int32_t kDefaultVersion = -1;
const int32_t kDefaultSecurityLevel = 2;
const int32_t kDefaultAuthProtocol = 1;
const int32_t kDefaultPrivProtocol = 1;

/* Zero-fills a field of `size` bytes and copies text into it. */
template <size_t N> void set_field(char (&field)[N], const char *text)
{
    std::memset(field, 0, N);
    std::strncpy(field, text, N - 1);
}

/* Takes a caller's field when its text is not empty: up to its NUL, and a field without
 * one is cut to N - 1 characters so that ours stays terminated. */
template <size_t N> void take_field(char (&field)[N], const char (&from)[N])
{
    if (from[0] == '\0')
        return;
    std::memset(field, 0, N);
    std::memcpy(field, from, strnlen(from, N - 1));
}

/* The value when it is 0, 1 or 2, else the default. */
int32_t take_choice(int32_t value, int32_t fallback)
{
    return value >= 0 && value <= 2 ? value : fallback;
}

} // namespace

CPSWPluginUSM::CPSWPluginUSM()
{
    reset();
}

void CPSWPluginUSM::reset()
{
    m_version = kDefaultVersion;
    set_field(m_user_name, kDefaultUser);
    m_security_level = kDefaultSecurityLevel;
    m_auth_protocol = kDefaultAuthProtocol;
    m_priv_protocol = kDefaultPrivProtocol;
    set_field(m_auth_pass_phrase, kDefaultAuthPassPhrase);
    set_field(m_priv_pass_phrase, kDefaultPrivPassPhrase);
    set_field(m_extension, "");
}

void CPSWPluginUSM::load(int32_t version, PSWUSMParams params)
{
    reset();
    m_version = take_choice(version, kDefaultVersion);
    take_field(m_user_name, params.user_name);
    m_security_level = take_choice(params.security_level, kDefaultSecurityLevel);
    m_auth_protocol = take_choice(params.auth_protocol, kDefaultAuthProtocol);
    m_priv_protocol = take_choice(params.priv_protocol, kDefaultPrivProtocol);
    take_field(m_auth_pass_phrase, params.auth_pass_phrase);
    take_field(m_priv_pass_phrase, params.priv_pass_phrase);
    take_field(m_extension, params.extension);
}

void CPSWPluginUSM::release()
{
    delete this;
}

IPSWPluginUSM *pmc_create_plugin_usm(int *status)
{
    CPSWPluginUSM *usm = new CPSWPluginUSM();
    if (status)
        *status = usm ? PMC_OK : PMC_E_MEMORY;
    return usm;
}
