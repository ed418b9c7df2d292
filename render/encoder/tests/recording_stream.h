/*
 * Recording stand-in of the output stream for the encoder tests: spl_WriteStream appends
 * to one process-wide record and can be told to fail its Nth call.
 */
#ifndef QM_RENDER_ENCODER_TESTS_RECORDING_STREAM_H
#define QM_RENDER_ENCODER_TESTS_RECORDING_STREAM_H

#include <windows.h>

#include <string>
#include <vector>

#include "render/stream/output_stream.h"

struct RecordedWrites {
    std::vector<BYTE> bytes;    // every byte of the successful writes
    std::vector<DWORD> lengths; // length of each successful write
    int calls = 0;              // calls of spl_WriteStream, failed ones included
    int failAt = 0;             // the call (1 = first) that answers -1; 0: none
};

// lmqt_Record: the record of the stand-in.
RecordedWrites &lmqt_Record();
// lmqt_Reset: empties the record; failAt as above.
void lmqt_Reset(int failAt = 0);
// lmqt_Stream: the stream handle the stand-in accepts (any other fails the test).
OutputStream *lmqt_Stream();
// lmqt_Allocations: operator new calls of the process so far.
unsigned long lmqt_Allocations();
// lmqt_Hex: the recorded bytes as lowercase hex without spaces.
std::string lmqt_Hex();
// lmqt_Unspaced: hex text with its spaces removed (golden bytes are typed with spaces).
std::string lmqt_Unspaced(const char *hex);

#endif /* QM_RENDER_ENCODER_TESTS_RECORDING_STREAM_H */
