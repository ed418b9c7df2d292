/* Stands in for the security-marking binding: the component is absent, so marking is never offered. */
#include "core/security_marking/security_marking.h"

int WINAPI ext_VqbIsAvailable(const ModelCapabilities *capabilities, const WCHAR *typeName)
{
    if (!capabilities || !typeName) {
        return -1;
    }
    return 0;
}
