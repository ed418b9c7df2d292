/*
 * A profile file read whole and checked: header and tag table within the file. Used by
 * the profile loader only.
 */
#ifndef QM_CORE_COLOUR_PROFILE_FILE_H
#define QM_CORE_COLOUR_PROFILE_FILE_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The header and the tag count that follows it. */
#define PF_HEADER_SIZE 132

typedef struct ProfileFile {
    BYTE *bytes;
    DWORD size;
    DWORD deviceClass;
    DWORD connection;
    DWORD tagCount; /* at most (size - 132) / 12, every tag inside the file */
} ProfileFile;

/* pf_Read32: the big-endian 32-bit number at at. */
DWORD WINAPI pf_Read32(const BYTE *at);

/* pf_ReadProfile: the whole file at path, its header accepted and its tag table checked.
 * 0, or the codes of clr_LoadProfile (-1, -2, -3, -4, -5, -6, -7, -8); on failure file
 * holds nothing. */
LONG WINAPI pf_ReadProfile(const char *path, ProfileFile *file);

/* pf_FindTag: the first tag of signature: its data and size (inside the file). */
BOOL WINAPI pf_FindTag(const ProfileFile *file, DWORD signature, const BYTE **data, DWORD *size);

void WINAPI pf_FreeProfileFile(ProfileFile *file);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_COLOUR_PROFILE_FILE_H */
