/*
 * CPmcLogGroup: the group logger "All". Its settings and outputs are stored and passed
 * on to every member; a joining logger receives them all.
 */
#include "management/logging/pmc_log_private.h"

#include "management/base/pmc_status.h"

static const char kGroupName[] = "All";

CPmcLogGroup::CPmcLogGroup()
{
    m_kind = PMC_LOG_KIND_GROUP;
}

CPmcLogGroup::~CPmcLogGroup()
{
    empty();
}

int CPmcLogGroup::init()
{
    return m_name.assign(kGroupName);
}

/* release: the group lives inside the manager; it is never freed on its own. */
void CPmcLogGroup::release() {}

/*
 * join: a member already joined is not added again. The new member receives the level
 * mask, header flags, radix and indent count, then each output; the first failure ends
 * the join.
 */
int CPmcLogGroup::join(IPmcLogger *member)
{
    EnterCriticalSection(&m_lock);
    bool joined = false;
    for (uint32_t i = 0; i < m_members.count(); ++i)
        if (m_members.at(i) == member)
            joined = true;
    if (joined) {
        LeaveCriticalSection(&m_lock);
        return PMC_OK;
    }
    int code = member->set_level_mask(m_level_mask);
    if (code == PMC_OK)
        code = member->set_header_flags(m_header_flags);
    if (code == PMC_OK)
        code = member->set_radix(m_radix);
    if (code == PMC_OK)
        code = member->set_indent(m_indent);
    for (uint32_t i = 0; code == PMC_OK && i < m_outputs.count(); ++i)
        code = member->add_output((IPmcLogOutput *)m_outputs.at(i));
    if (code == PMC_OK)
        code = m_members.append(member);
    LeaveCriticalSection(&m_lock);
    return code;
}

void CPmcLogGroup::leave(IPmcLogger *member)
{
    EnterCriticalSection(&m_lock);
    m_members.remove(member);
    LeaveCriticalSection(&m_lock);
}

void CPmcLogGroup::empty()
{
    EnterCriticalSection(&m_lock);
    m_members.clear();
    LeaveCriticalSection(&m_lock);
    release_outputs();
}

/* add_output: the last non-zero result of a member, else 0. */
int CPmcLogGroup::add_output(IPmcLogOutput *output)
{
    if (!output)
        return PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    int code = PMC_OK;
    if (!pmc_output_attached(m_outputs, output)) {
        code = m_outputs.append(output);
        if (code == PMC_OK) {
            output->add_ref();
            for (uint32_t i = 0; i < m_members.count(); ++i) {
                int result = ((IPmcLogger *)m_members.at(i))->add_output(output);
                if (result != PMC_OK)
                    code = result;
            }
        }
    }
    LeaveCriticalSection(&m_lock);
    return code;
}

int CPmcLogGroup::set_level_mask(uint32_t mask)
{
    EnterCriticalSection(&m_lock);
    m_level_mask = mask;
    for (uint32_t i = 0; i < m_members.count(); ++i)
        ((IPmcLogger *)m_members.at(i))->set_level_mask(mask);
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

int CPmcLogGroup::set_indent(uint32_t count)
{
    EnterCriticalSection(&m_lock);
    m_indent = count;
    for (uint32_t i = 0; i < m_members.count(); ++i)
        ((IPmcLogger *)m_members.at(i))->set_indent(count);
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

int CPmcLogGroup::set_header_flags(uint32_t flags)
{
    EnterCriticalSection(&m_lock);
    m_header_flags = flags;
    for (uint32_t i = 0; i < m_members.count(); ++i)
        ((IPmcLogger *)m_members.at(i))->set_header_flags(flags);
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}

int CPmcLogGroup::set_radix(uint32_t radix)
{
    if (radix != 10 && radix != 16)
        return PMC_E_ARG;
    EnterCriticalSection(&m_lock);
    m_radix = radix;
    for (uint32_t i = 0; i < m_members.count(); ++i)
        ((IPmcLogger *)m_members.at(i))->set_radix(radix);
    LeaveCriticalSection(&m_lock);
    return PMC_OK;
}
