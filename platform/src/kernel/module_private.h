/* Module records shared by the module and resource files of the kernel. */
#ifndef QM_KERNEL_MODULE_PRIVATE_H
#define QM_KERNEL_MODULE_PRIVATE_H

#include <windows.h>

#include <mutex>
#include <string>

struct link_map;

namespace qmk {

struct ResourceTable;

/* One module. HMODULE is the address of its record. */
struct Module {
    DWORD magic;
    std::string host;         /* canonical host path of its file */
    std::u16string file_name; /* its file name, for lookups by name */
    void *dl;                 /* dynamic-linker handle; NULL for a data file */
    struct link_map *link;    /* the dynamic linker's record of it; NULL for a data file */
    LONG refs;                /* LoadLibrary references */
    bool datafile;            /* mapped for its resources only */
    bool pinned;              /* main program, platform or linked-in library: never freed */
    ResourceTable *resources; /* read on first use (resource.cpp) */
};

/* The loader lock: held while modules are loaded, freed or looked at. Recursive, since a
 * module's DllMain may load further modules. */
std::recursive_mutex &LoaderLock();

/* The record of h (NULL = the main program), or NULL when h is no live module. The caller
 * holds the loader lock. */
Module *ResolveModule(HMODULE h);

/* Frees the resource table of a module being unloaded (resource.cpp). */
void FreeResourceTable(ResourceTable *table);

} // namespace qmk

#endif
