/*
 * The C runtime's low-level file input of the host build: _open, _read, _lseek and _close
 * over the kernel's files. A narrow path is taken in the ANSI code page and mapped under
 * the platform root as CreateFileW maps a wide one. Only reading is offered; text and
 * binary mode read the same bytes. The target build uses the C runtime's own io.h.
 */
#ifndef QM_IO_H
#define QM_IO_H

#include <fcntl.h>

#ifndef _O_RDONLY
#define _O_RDONLY 0x0000
#endif
#ifndef _O_BINARY
#define _O_BINARY 0x8000
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A descriptor (3 or above) for the file at path opened for reading, or -1 when it does
 * not exist or cannot be opened, or flags ask for anything but reading. */
int _open(const char *path, int flags, ...);
/* Bytes read into buffer (0 at the end of the file), or -1 on an error. */
int _read(int fd, void *buffer, unsigned int count);
/* The new position (SEEK_SET, SEEK_CUR, SEEK_END), or -1. */
long _lseek(int fd, long offset, int origin);
/* 0, or -1 for a descriptor not open (or a close the test controls make fail; the
 * descriptor is released all the same). */
int _close(int fd);

#ifdef __cplusplus
}
#endif

#endif /* QM_IO_H */
