/*
 * File primitives under the output stream and the temporary files, the temporary file
 * name, and the making of an output folder. Every primitive treats INVALID_HANDLE_VALUE
 * as "no file" and fails on it.
 */
#ifndef QM_RENDER_STREAM_FILE_IO_H
#define QM_RENDER_STREAM_FILE_IO_H

#include <windows.h>

// Mode bits of file_Create.
#define FILE_MODE_CREATE_ALWAYS 0x1 // else open always
#define FILE_MODE_READ_ONLY 0x2     // else read and write

// file_Create: CreateFileW without sharing, normal attributes.
//   path  in  the file
//   mode  in  FILE_MODE_* bits
// Returns the handle, INVALID_HANDLE_VALUE on failure (last error set).
HANDLE file_Create(LPCWSTR path, DWORD mode);

// file_Close: closes the handle. TRUE / FALSE (also for INVALID_HANDLE_VALUE).
BOOL file_Close(HANDLE file);

// file_Read: reads up to length bytes into buffer. Returns the bytes read, -1 on failure.
LONG file_Read(HANDLE file, void *buffer, DWORD length);

// file_Write: writes length bytes.
//   done  out  bytes written, also on failure (optional)
// Returns TRUE when every byte was written, FALSE on failure or a short write.
BOOL file_Write(HANDLE file, const void *bytes, DWORD length, DWORD *done);

// file_SeekFromStart / file_SeekFromEnd: moves the file pointer to offset from the start
// or the end. Returns the new position, -1 on failure.
LONG file_SeekFromStart(HANDLE file, LONG offset);
LONG file_SeekFromEnd(HANDLE file, LONG offset);

// util_MakeTempFileName: a new temporary file name (the file is created empty) with the
// prefix in the first directory that can be used of: the temporary, the Windows, the
// system and the current directory; "c:\qmnqt.tmp" when all four fail.
//   path    out  MAX_PATH characters
//   prefix  in   up to 3 characters; NULL gives "QMP"
// Returns 0; -1 for a NULL path.
LONG util_MakeTempFileName(LPWSTR path, LPCWSTR prefix);

// util_CreateFolderPath: creates every level of a folder path (an existing level counts
// as made). A leading drive ("C:") and a leading server and share ("\\server\share") are
// skipped; "/", "\" and the yen sign separate levels; the last level is made unless the
// path ends with a separator. A level that cannot be made shows string 2 of the module
// with caption string 6 (OK / Cancel).
//   module  in  module of the message strings
//   path    in  the folder
// Returns 0 when the folder exists, -1 when the user chose OK (go on without the folder),
// -2 when the user chose Cancel (or the box failed); -2 for a NULL path.
LONG util_CreateFolderPath(HMODULE module, LPCWSTR path);

#endif /* QM_RENDER_STREAM_FILE_IO_H */
