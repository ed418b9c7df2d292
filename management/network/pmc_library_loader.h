/*
 * The library's small loader of system libraries, with the load and free modes the
 * bindings use.
 */
#ifndef MANAGEMENT_NETWORK_PMC_LIBRARY_LOADER_H
#define MANAGEMENT_NETWORK_PMC_LIBRARY_LOADER_H

#include <windows.h>

/* Load modes. */
enum PmcLoadMode {
    PMC_LOAD_PLAIN = 1,   /* LoadLibraryA only */
    PMC_LOAD_ALTERED = 2, /* LoadLibraryExA with LOAD_WITH_ALTERED_SEARCH_PATH only */
    PMC_LOAD_EITHER = 0   /* any other value: LoadLibraryA, then LoadLibraryExA altered */
};

/* Free modes. */
enum PmcFreeMode {
    PMC_FREE_ALWAYS = 0, /* FreeLibrary */
    PMC_FREE_NT_ONLY = 1 /* FreeLibrary on the NT platform only */
};

/*
 * pmc_load_library: loads `file_name` in `mode`. Returns the module, or null (also for a
 * null file name).
 */
HMODULE pmc_load_library(const char *file_name, int mode);

/*
 * pmc_free_library: frees `module` in `mode`. Mode 0: the result of FreeLibrary. Mode 1:
 * FreeLibrary's result when GetVersionExA reports the NT platform (id 2); 1 without
 * freeing on other platforms; 0 when the version cannot be read. Other modes: 0.
 */
BOOL pmc_free_library(HMODULE module, int mode);

#endif /* MANAGEMENT_NETWORK_PMC_LIBRARY_LOADER_H */
