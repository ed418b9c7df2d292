/*
 * The driver configuration file: an INI file next to the driver's modules, read through the
 * wide private-profile functions. Section blocks are the text of one whole section as
 * GetPrivateProfileSectionW gives it: "key=value" lines, each ended by a zero, the block
 * ended by an empty line. Every string and block handed out is a new global-heap block.
 */
#ifndef QM_CORE_CONFIG_CONFIG_FILE_H
#define QM_CORE_CONFIG_CONFIG_FILE_H

#include <windows.h>

/* The section read when the model has none of its own. */
#define CFG_DEFAULT_SECTION TEXT("default")
/* Characters of a model section name, terminator included. */
#define CFG_SECTION_NAME_CHARS 260

#ifdef __cplusplus
extern "C" {
#endif

/* cfg_GetFileSize: the file's size in bytes; 0 when it cannot be opened (read access,
 * shared read, existing files only). */
DWORD WINAPI cfg_GetFileSize(LPCWSTR path);

/* cfg_SectionExists: 1 when the file has a section of that name (compared without case). */
BOOL WINAPI cfg_SectionExists(LPCWSTR path, LPCWSTR section);

/* cfg_ReadSection: the section block in a buffer of 2 x (file size) + 2 bytes; NULL when the
 * file is empty or missing, the section is empty or missing, or memory runs out. */
WCHAR *WINAPI cfg_ReadSection(LPCWSTR path, LPCWSTR section);

/*
 * cfg_FindKey: finds key (its text includes the "=") at the start of a line, without case,
 * in lines numbered from 1 at or after startLine; a line matches only when it is longer
 * than the key. With last FALSE the first match counts, with last TRUE the last one.
 * value: out, a new string with the rest of the matching line; it must be NULL on entry.
 * Returns the matching line's number; 0 when none matches (value stays NULL), and for a
 * NULL or non-NULL-on-entry value, a NULL block or key, a start line of 0, or out of memory.
 */
WORD WINAPI cfg_FindKey(WORD startLine, BOOL last, const WCHAR *block, const WCHAR *key, WCHAR **value);

/*
 * cfg_ResolveModelSection: the model name (cut to capacity - 1 characters, capacity at most
 * CFG_SECTION_NAME_CHARS) with blanks, '-' and '/' made '_', when the file has such a section
 * (without case); else "default". A new string; NULL when out of memory (also while looking
 * for the section, so that a model never reads "default" for lack of memory).
 */
WCHAR *WINAPI cfg_ResolveModelSection(LPCWSTR modelName, LPCWSTR path, DWORD capacity);

/* cfg_ReadModelSection: the block of the model's section, or of "default"; NULL as
 * cfg_ReadSection. */
WCHAR *WINAPI cfg_ReadModelSection(LPCWSTR path, LPCWSTR modelName);

/* cfg_GetModelValue: the value of key (without "=") in the model's section (or "default")
 * as a new string; NULL when the key is empty or missing. */
WCHAR *WINAPI cfg_GetModelValue(LPCWSTR modelName, LPCWSTR path, LPCWSTR key);

/* util_ReadConfigComment: the value of "COMMENT" in the model's section; new string or NULL. */
WCHAR *WINAPI util_ReadConfigComment(LPCWSTR modelName, LPCWSTR path);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_CONFIG_CONFIG_FILE_H */
