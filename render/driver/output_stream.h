// The PDEV's output stream: every byte of the print stream leaves the render driver
// through it. Only what the command encoder needs is declared here so far; the stream
// itself, its sinks and the page store are completed with the job pipeline.
#pragma once

#include <windows.h>

struct OutputStream;

// spl_WriteStream: appends bytes to the stream (buffered up to 2048 bytes, larger
// blocks go straight to the sink).
//   stream  in/out  the stream; NULL or a closed stream fails
//   length  in      number of bytes; 0 writes nothing and answers 0
//   bytes   in      the bytes; NULL with a length above 0 fails
// Returns length, or -1 when the stream or its sink failed.
LONG spl_WriteStream(OutputStream *stream, DWORD length, const BYTE *bytes);
