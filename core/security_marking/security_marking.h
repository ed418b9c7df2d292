/*
 * The call into the security-marking binding that the constraint engine makes; the
 * binding is core/outside/security_marking_binding.h.
 */
#ifndef QM_CORE_SECURITY_MARKING_SECURITY_MARKING_H
#define QM_CORE_SECURITY_MARKING_SECURITY_MARKING_H

#include "core/ddd/ddd_access.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ext_VqbIsAvailable: 1 when security marking is offered for the printer type (capability
 * bit 36, module installed, type registered); 0 otherwise; -1 for NULL. */
int WINAPI ext_VqbIsAvailable(const ModelCapabilities *capabilities, const WCHAR *typeName);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SECURITY_MARKING_SECURITY_MARKING_H */
