/*
 * Wide text in tests that build for both the host, where WCHAR is char16_t, and Windows,
 * where it is wchar_t: QMW("text") is a WCHAR literal and qm_wstring a string of WCHARs.
 */
#ifndef QM_WIDE_H
#define QM_WIDE_H

#include <windows.h>

#ifdef __cplusplus
#include <string>
typedef std::basic_string<WCHAR> qm_wstring;
#endif

#ifdef _WIN32
#define QMW(s) L##s
#else
#define QMW(s) u##s
#endif

#endif /* QM_WIDE_H */
