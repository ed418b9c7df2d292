/*
 * Reading ICC profile files: the header check, and the checked read of a whole profile
 * with its tag table. A profile is unsafe input: every count is bounded by the file's
 * size before anything is read or allocated from it, and every tag must lie in the file.
 */
#include "core/colour/profile_file.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/colour/colour_tables.h"

static const DWORD kSigAcsp = 0x61637370, kSigNicc = 0x6E696363;
static const DWORD kSpaceRgb = 0x52474220, kClassMonitor = 0x6D6E7472, kClassScanner = 0x73636E72;
static const DWORD kPcsXyz = 0x58595A20, kPcsLab = 0x4C616220;
static const DWORD kLargestProfile = 64u * 1024u * 1024u;

DWORD WINAPI clr_SwapBytes32(DWORD value)
{
    return (value >> 24) | ((value >> 8) & 0xFF00) | ((value << 8) & 0xFF0000) | (value << 24);
}

DWORD WINAPI pf_Read32(const BYTE *at)
{
    DWORD v;
    memcpy(&v, at, 4);
    return clr_SwapBytes32(v);
}

/* The header's checks in order, on the 132 bytes read; 1, 2 or -5..-7. */
static LONG pf_CheckHeader(const BYTE *header)
{
    DWORD signature = pf_Read32(header + 36);
    if (signature != kSigAcsp && signature != kSigNicc)
        return -5;
    DWORD cls = pf_Read32(header + 12);
    if (pf_Read32(header + 16) != kSpaceRgb || (cls != kClassMonitor && cls != kClassScanner))
        return -6;
    DWORD pcs = pf_Read32(header + 20);
    if (pcs != kPcsXyz && pcs != kPcsLab)
        return -7;
    return signature == kSigAcsp ? 1 : 2;
}

static int pf_Open(const char *path)
{
    return _open(path, _O_RDONLY | _O_BINARY);
}

/* Reads count bytes at the file's position; TRUE only when all came. */
static BOOL pf_ReadAll(int fd, BYTE *buffer, DWORD count)
{
    DWORD done = 0;
    while (done < count) {
        int got = _read(fd, buffer + done, count - done);
        if (got <= 0)
            return FALSE;
        done += (DWORD)got;
    }
    return TRUE;
}

LONG WINAPI clr_CheckProfileHeader(const char *path)
{
    if (path == NULL)
        return -1;
    int fd = pf_Open(path);
    if (fd < 0)
        return -2;
    BYTE header[PF_HEADER_SIZE];
    LONG result = pf_ReadAll(fd, header, sizeof header) ? pf_CheckHeader(header) : -3;
    if (_close(fd) != 0 && result > 0)
        result = -4;
    return result;
}

LONG WINAPI pf_ReadProfile(const char *path, ProfileFile *file)
{
    memset(file, 0, sizeof *file);
    if (path == NULL)
        return -1;
    int fd = pf_Open(path);
    if (fd < 0)
        return -2;
    LONG result = 0;
    long size = _lseek(fd, 0, SEEK_END);
    if (size < (long)PF_HEADER_SIZE || (unsigned long)size > kLargestProfile || _lseek(fd, 0, SEEK_SET) != 0)
        result = -3;
    if (result == 0) {
        file->bytes = (BYTE *)malloc((size_t)size);
        if (file->bytes == NULL)
            result = -8;
        else if (!pf_ReadAll(fd, file->bytes, (DWORD)size))
            result = -3;
        else
            file->size = (DWORD)size;
    }
    if (_close(fd) != 0 && result == 0)
        result = -4;
    if (result == 0) {
        result = pf_CheckHeader(file->bytes);
        if (result > 0)
            result = 0;
    }
    if (result == 0) {
        file->deviceClass = pf_Read32(file->bytes + 12);
        file->connection = pf_Read32(file->bytes + 20);
        file->tagCount = pf_Read32(file->bytes + 128);
        if (file->tagCount > (file->size - PF_HEADER_SIZE) / 12)
            result = -3;
    }
    for (DWORD i = 0; result == 0 && i < file->tagCount; i++) {
        const BYTE *entry = file->bytes + PF_HEADER_SIZE + (size_t)i * 12;
        unsigned long long end = (unsigned long long)pf_Read32(entry + 4) + pf_Read32(entry + 8);
        if (end > file->size)
            result = -3;
    }
    if (result != 0)
        pf_FreeProfileFile(file);
    return result;
}

BOOL WINAPI pf_FindTag(const ProfileFile *file, DWORD signature, const BYTE **data, DWORD *size)
{
    for (DWORD i = 0; i < file->tagCount; i++) {
        const BYTE *entry = file->bytes + PF_HEADER_SIZE + (size_t)i * 12;
        if (pf_Read32(entry) == signature) {
            *data = file->bytes + pf_Read32(entry + 4);
            *size = pf_Read32(entry + 8);
            return TRUE;
        }
    }
    return FALSE;
}

void WINAPI pf_FreeProfileFile(ProfileFile *file)
{
    free(file->bytes);
    memset(file, 0, sizeof *file);
}
