/* Private declarations shared by the files of the registry area. */
#ifndef QM_REGISTRY_PRIVATE_H
#define QM_REGISTRY_PRIVATE_H

#include <windows.h>

#include <string>
#include <vector>

namespace qmreg {

/* What a key handle (open or predefined) stands for. */
struct KeyRef {
    std::string dir; /* the key's directory */
    REGSAM access;   /* rights the handle was opened with */
    bool machine;    /* under HKEY_LOCAL_MACHINE */
};

/* The registry store's lock file. */
std::string LockPath();

/* Resolves a handle (predefined or opened) into *out; ERROR_INVALID_HANDLE when it is
 * neither. Predefined roots are created on first use. */
LONG ResolveKey(HKEY key, KeyRef *out);

/* True when the key's directory still exists. */
bool KeyExists(const KeyRef &key);

/* True when the test switch denies this process writes under HKEY_LOCAL_MACHINE. */
bool MachineWritesDenied();

/* The sub keys of a key directory: their directories and stored names, sorted without case. */
struct SubKey {
    std::string dir;
    std::u16string name;
};
std::vector<SubKey> ListSubKeys(const std::string &dir);

} // namespace qmreg

#endif
