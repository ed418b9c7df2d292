/* Shared state of the winsock area's Windows side. */
#ifndef QM_WINSOCK_PRIVATE_H
#define QM_WINSOCK_PRIVATE_H

#include <winsock2.h>

namespace qmws {

/* Whether WSAStartup is in effect; FALSE sets WSANOTINITIALISED. */
bool Started();

/* Maps a host-side result: negative -> the error is set and SOCKET_ERROR returned. */
int Answer(int result);

} // namespace qmws

#endif
