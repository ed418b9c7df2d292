/* Configuration files for the tests: written under the platform root in ANSI or UTF-16. */
#ifndef QM_CORE_CONFIG_TESTS_CONFIG_TEST_SUPPORT_H
#define QM_CORE_CONFIG_TESTS_CONFIG_TEST_SUPPORT_H

#include <windows.h>

#include <string>

/* Writes text to path (its directory created when missing): as bytes of code page 1252, or as UTF-16 LE with
 * its byte-order mark. An empty text makes an empty file. */
inline void write_config(LPCWSTR path, const std::u16string &text, bool utf16)
{
    std::string bytes;
    if (utf16 && !text.empty()) {
        bytes = "\xFF\xFE";
        for (char16_t c : text) {
            bytes.push_back((char)(c & 0xFF));
            bytes.push_back((char)(c >> 8));
        }
    } else {
        for (char16_t c : text)
            bytes.push_back((char)c);
    }
    std::u16string directory(path);
    directory.resize(directory.find_last_of(u'\\'));
    CreateDirectoryW((LPCWSTR)directory.c_str(), nullptr);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

#endif
