/*
 * The two SNMP targets: the settings common to both (version, timeout, retries, maximum
 * message size, peer address and port) and the community and SNMPv3 kinds.
 */
#include "management/packets/pmc_packet_private.h"

#include <cstring>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_status.h"
#include "management/base/pmc_string.h"
#include "management/network/pmc_network_address.h"
#include "management/values/pmc_value.h"

/* The common part, shared by both kinds through the virtual interface base. */
class CPmsTargetBase : public CPmcHeapObject, public virtual IPmsSnmpTarget
{
public:
    CPmsTargetBase() = default;
    CPmsTargetBase(const CPmsTargetBase &) = delete;
    CPmsTargetBase &operator=(const CPmsTargetBase &) = delete;

    void release() override
    {
        delete this;
    }
    IPmsSnmpTarget *clone(int *code) override;
    void query(uint32_t id, void **out) override;
    void set_version(int32_t version) override
    {
        m_version = version;
    }
    void set_timeout(int32_t timeout) override
    {
        m_timeout = timeout;
    }
    void set_retry_count(int32_t count) override
    {
        m_retries = count;
    }
    void set_max_message_size(uint32_t size) override
    {
        m_max_size = size;
    }
    void set_port(uint16_t port) override
    {
        m_port = port;
    }
    int32_t get_version() override
    {
        return m_version;
    }
    int32_t get_timeout() override
    {
        return m_timeout;
    }
    int32_t get_retry_count() override
    {
        return m_retries;
    }
    uint32_t get_max_message_size() override
    {
        return m_max_size;
    }
    uint16_t get_port() override
    {
        return m_port;
    }
    int set_address(IPmcNetworkAddress *address) override;
    IPmcNetworkAddress *get_address() override
    {
        return m_address;
    }

protected:
    virtual ~CPmsTargetBase()
    {
        if (m_address)
            m_address->release();
    }
    /* assign_common: the address first (its failure returns before anything else). */
    int assign_common(IPmsSnmpTarget *other);
    /* own_object: this kind's object for query identifiers 2 to 5, or null. */
    virtual void *own_object(uint32_t id) = 0;
    /* make_empty: a new target of the same kind at its creation values, or null. */
    virtual CPmsTargetBase *make_empty() = 0;

private:
    int32_t m_version = -1;
    int32_t m_timeout = -1;
    int32_t m_retries = 0;
    uint32_t m_max_size = 0;
    IPmcNetworkAddress *m_address = nullptr;
    uint16_t m_port = 0;
};

void CPmsTargetBase::query(uint32_t id, void **out)
{
    if (!out)
        return;
    if (id == PMS_QUERY_TARGET || id == PMS_QUERY_TARGET_2)
        *out = static_cast<IPmsSnmpTarget *>(this);
    else
        *out = own_object(id);
}

/* clone: a new target of the same kind assigned from this one. */
IPmsSnmpTarget *CPmsTargetBase::clone(int *code)
{
    CPmsTargetBase *copy = make_empty();
    int status = copy ? copy->assign(this) : PMC_E_MEMORY;
    return pms_finish<IPmsSnmpTarget>(copy, status, code);
}

int CPmsTargetBase::set_address(IPmcNetworkAddress *address)
{
    IPmcNetworkAddress *copy = nullptr;
    int code = address ? address->copy(&copy) : PMC_OK;
    if (code != PMC_OK)
        return code;
    if (m_address)
        m_address->release();
    m_address = copy;
    return PMC_OK;
}

int CPmsTargetBase::assign_common(IPmsSnmpTarget *other)
{
    if (other == this)
        return PMC_OK;
    int code = set_address(other->get_address());
    if (code != PMC_OK)
        return code;
    m_version = other->get_version();
    m_timeout = other->get_timeout();
    m_retries = other->get_retry_count();
    m_max_size = other->get_max_message_size();
    m_port = other->get_port();
    return PMC_OK;
}

/* ---- community target ---- */

class CPmsCommunityTarget : public CPmsTargetBase, public IPmsCommunityTarget
{
public:
    int accept(IPmsTargetVisitor *visitor) override;
    void clear() override;
    int assign(IPmsSnmpTarget *other) override;
    bool equals(IPmsSnmpTarget *other) override;
    int kind() override
    {
        return PMS_TARGET_COMMUNITY;
    }
    int set_community(const char *text) override;
    int set_community_bytes(const void *bytes, uint32_t count) override;
    const char *get_community() override
    {
        return m_community;
    }

protected:
    ~CPmsCommunityTarget() override
    {
        clear();
    }
    void *own_object(uint32_t id) override;
    CPmsTargetBase *make_empty() override
    {
        return new CPmsCommunityTarget();
    }

private:
    char *m_community = nullptr;
};

IPmsCommunityTarget *pms_create_community_target(int *code)
{
    CPmsCommunityTarget *target = new CPmsCommunityTarget();
    pms_set_code(code, target ? PMC_OK : PMC_E_MEMORY);
    return target;
}

IPmsCommunityTarget *pms_create_community_target(void *reserved, int *code)
{
    if (reserved) {
        pms_set_code(code, PMC_E_ARG);
        return nullptr;
    }
    return pms_create_community_target(code);
}

void *CPmsCommunityTarget::own_object(uint32_t id)
{
    if (id == PMS_QUERY_COMMUNITY || id == PMS_QUERY_COMMUNITY_2)
        return static_cast<IPmsCommunityTarget *>(this);
    return nullptr;
}

int CPmsCommunityTarget::accept(IPmsTargetVisitor *visitor)
{
    return visitor ? visitor->visit_community(this) : PMC_E_ARG;
}

void CPmsCommunityTarget::clear()
{
    pmc_free(m_community);
    m_community = nullptr;
}

int CPmsCommunityTarget::assign(IPmsSnmpTarget *other)
{
    if (!other)
        return PMC_E_ARG;
    int code = assign_common(other);
    if (code != PMC_OK)
        return code;
    IPmsCommunityTarget *source = nullptr;
    other->query(PMS_QUERY_COMMUNITY, (void **)&source);
    if (!source)
        return PMC_E_ARG;
    return source == this ? PMC_OK : set_community(source->get_community());
}

bool CPmsCommunityTarget::equals(IPmsSnmpTarget *other)
{
    IPmsCommunityTarget *source = nullptr;
    if (other)
        other->query(PMS_QUERY_COMMUNITY, (void **)&source);
    if (!source)
        return false;
    const char *text = source->get_community();
    if (!m_community || !text)
        return !m_community && !text;
    return std::strcmp(m_community, text) == 0;
}

int CPmsCommunityTarget::set_community(const char *text)
{
    if (!text) {
        clear();
        return PMC_OK;
    }
    return set_community_bytes(text, (uint32_t)std::strlen(text));
}

int CPmsCommunityTarget::set_community_bytes(const void *bytes, uint32_t count)
{
    char *text = (char *)pmc_alloc((size_t)count + 1);
    if (!text)
        return PMC_E_MEMORY;
    if (count)
        std::memcpy(text, bytes, count);
    text[count] = '\0';
    clear();
    m_community = text;
    return PMC_OK;
}

/* ---- SNMPv3 target ---- */

/* The engine identifier lives inside the target, so it has a public destructor. */
class CPmsEmbeddedBytes : public CPmcByteString
{
public:
    ~CPmsEmbeddedBytes() override = default;
};

class CPmsUsmTarget : public CPmsTargetBase, public IPmsUsmTarget
{
public:
    int accept(IPmsTargetVisitor *visitor) override;
    void clear() override {}
    int assign(IPmsSnmpTarget *other) override;
    bool equals(IPmsSnmpTarget *other) override;
    int kind() override
    {
        return PMS_TARGET_USM;
    }
    int set_user_name(const char *text) override;
    const CPmcString &get_user_name() override
    {
        return m_user;
    }
    void set_security_level(int32_t level) override
    {
        m_security_level = level;
    }
    int32_t get_security_level() override
    {
        return m_security_level;
    }
    void set_auth_protocol(int32_t protocol) override
    {
        m_auth_protocol = protocol;
    }
    int32_t get_auth_protocol() override
    {
        return m_auth_protocol;
    }
    void set_priv_protocol(int32_t protocol) override
    {
        m_priv_protocol = protocol;
    }
    int32_t get_priv_protocol() override
    {
        return m_priv_protocol;
    }
    int set_auth_passphrase(const char *text) override
    {
        return m_auth_phrase.assign(text);
    }
    const CPmcString &get_auth_passphrase() override
    {
        return m_auth_phrase;
    }
    int set_priv_passphrase(const char *text) override
    {
        return m_priv_phrase.assign(text);
    }
    const CPmcString &get_priv_passphrase() override
    {
        return m_priv_phrase;
    }
    int set_context_name(const char *text) override
    {
        return m_context.assign(text);
    }
    const CPmcString &get_context_name() override
    {
        return m_context;
    }
    int set_engine_id(const void *data, uint32_t length) override;
    const CPmcByteString &get_engine_id() override
    {
        return m_engine_id;
    }

protected:
    ~CPmsUsmTarget() override = default;
    void *own_object(uint32_t id) override;
    CPmsTargetBase *make_empty() override
    {
        return new CPmsUsmTarget();
    }

private:
    CPmcString m_user;
    int32_t m_security_level = 0;
    int32_t m_auth_protocol = 0;
    int32_t m_priv_protocol = 0;
    CPmcString m_auth_phrase;
    CPmcString m_priv_phrase;
    CPmcString m_context;
    CPmsEmbeddedBytes m_engine_id;
};

IPmsUsmTarget *pms_create_usm_target(int *code)
{
    CPmsUsmTarget *target = new CPmsUsmTarget();
    pms_set_code(code, target ? PMC_OK : PMC_E_MEMORY);
    return target;
}

void *CPmsUsmTarget::own_object(uint32_t id)
{
    if (id == PMS_QUERY_USM || id == PMS_QUERY_USM_2)
        return static_cast<IPmsUsmTarget *>(this);
    return nullptr;
}

int CPmsUsmTarget::accept(IPmsTargetVisitor *visitor)
{
    return visitor ? visitor->visit_usm(this) : PMC_E_ARG;
}

int CPmsUsmTarget::assign(IPmsSnmpTarget *other)
{
    if (!other)
        return PMC_E_ARG;
    int code = assign_common(other);
    if (code != PMC_OK)
        return code;
    IPmsUsmTarget *source = nullptr;
    other->query(PMS_QUERY_USM, (void **)&source);
    if (!source)
        return PMC_E_ARG;
    if (source == this)
        return PMC_OK;
    const CPmcByteString &engine_id = source->get_engine_id();
    if (m_user.assign(source->get_user_name()) != PMC_OK ||
        m_auth_phrase.assign(source->get_auth_passphrase()) != PMC_OK ||
        m_priv_phrase.assign(source->get_priv_passphrase()) != PMC_OK ||
        m_context.assign(source->get_context_name()) != PMC_OK ||
        m_engine_id.assign(engine_id.data(), engine_id.length()) != PMC_OK)
        return PMC_E_MEMORY;
    m_security_level = source->get_security_level();
    m_auth_protocol = source->get_auth_protocol();
    m_priv_protocol = source->get_priv_protocol();
    return PMC_OK;
}

bool CPmsUsmTarget::equals(IPmsSnmpTarget *other)
{
    IPmsUsmTarget *source = nullptr;
    if (other)
        other->query(PMS_QUERY_USM, (void **)&source);
    return source && m_user.equals(source->get_user_name()) && m_security_level == source->get_security_level() &&
           m_auth_protocol == source->get_auth_protocol() && m_priv_protocol == source->get_priv_protocol() &&
           m_auth_phrase.equals(source->get_auth_passphrase()) && m_priv_phrase.equals(source->get_priv_passphrase()) &&
           m_context.equals(source->get_context_name());
}

int CPmsUsmTarget::set_user_name(const char *text)
{
    if (text && std::strlen(text) > PMS_USM_USER_MAX)
        return PMC_E_ARG;
    return m_user.assign(text);
}

int CPmsUsmTarget::set_engine_id(const void *data, uint32_t length)
{
    if (!data || !length)
        return m_engine_id.assign(nullptr, 0);
    return m_engine_id.assign(data, length);
}
