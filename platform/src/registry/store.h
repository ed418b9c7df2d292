/*
 * The on-disk value store shared by the registry and the spooler's printer data.
 *
 * A key is a directory; its values live together in one key file ("key.dat") holding the
 * key's own name (case kept) and its values in creation order. Every change rewrites the
 * key file through a temporary file and a rename, so a change is atomic per value: a crash
 * or a failed write leaves the old file whole. Sub keys are sub directories named from the
 * case-folded key name, so lookups ignore case while enumeration shows the stored case.
 * Each store (registry, spooler) has one lock file; readers take it shared, writers
 * exclusive, which orders concurrent processes on the same root.
 */
#ifndef QM_REGISTRY_STORE_H
#define QM_REGISTRY_STORE_H

#include <windows.h>

#include <string>
#include <vector>

namespace qmr {

/* One stored value: its name as written, registry type, creation number and bytes. */
struct StoredValue {
    std::u16string name;
    DWORD type;
    DWORD seq;
    std::string data;
};

/* The contents of one key file. */
struct KeyFile {
    std::u16string name;
    DWORD next_seq;
    std::vector<StoredValue> values; /* in creation order */
};

/* Holds a store's lock file locked (shared or exclusive) for its lifetime. */
class StoreLock
{
public:
    StoreLock(const std::string &lock_path, bool exclusive);
    ~StoreLock();
    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;

private:
    int fd_;
};

/* Length of a zero-terminated UTF-16 string; 0 for NULL. */
size_t WideLength(const char16_t *s);

/* A copy of a zero-terminated UTF-16 string; empty for NULL. */
std::u16string WideString(const char16_t *s);

/* Upper-case fold of one UTF-16 unit (ASCII, Latin-1, Greek, Cyrillic, full-width Latin). */
char16_t FoldUnit(char16_t c);

/* The folded copy of a name. */
std::u16string Fold(const std::u16string &name);

/* Case-insensitive comparison of two names: <0, 0, >0 (order of the folded units). */
int CompareNoCase(const std::u16string &a, const std::u16string &b);

/* UTF-8 form of a UTF-16 string (unpaired surrogates become U+FFFD). */
std::string ToUtf8(const std::u16string &s);

/* UTF-16 form of a UTF-8 string (bytes that do not decode become U+FFFD). */
std::u16string FromUtf8(const std::string &s);

/* A file-system name for a name, the same for every spelling that differs only in case:
 * "k_" + the folded name with characters outside [A-Z0-9_-] written as %XXXX; names whose
 * form would be long end in "~" and a hash of the whole folded name. */
std::string EncodeName(const std::u16string &name);

/* Reads a whole file; false when it cannot be opened or read. */
bool ReadWholeFile(const std::string &path, std::string *out);

/* Writes a file through a temporary file in the same directory and a rename; false (old
 * file untouched) on failure. */
bool WriteFileAtomic(const std::string &path, const std::string &bytes);

/* Loads the key file of a key directory. A missing file gives an empty key and true;
 * a file that cannot be read or parsed gives false (*out unspecified). */
bool LoadKeyFile(const std::string &key_dir, KeyFile *out);

/* Stores the key file of a key directory atomically; false on failure. */
bool SaveKeyFile(const std::string &key_dir, const KeyFile &key);

/* The value of that name (case-insensitive; NULL and "" name the default value), or NULL. */
StoredValue *FindValue(KeyFile *key, const char16_t *name);

/* Sets a value: a new name takes the next creation number, an existing one keeps its place
 * and its stored case. */
void PutValue(KeyFile *key, const char16_t *name, DWORD type, const BYTE *data, DWORD size);

/* Removes a value; false when there is none of that name. */
bool RemoveValue(KeyFile *key, const char16_t *name);

/* Little-endian serialisation helpers used by the store files. */
void Put32(std::string *out, DWORD v);
void PutWide(std::string *out, const std::u16string &s);
void PutBytes(std::string *out, const std::string &bytes);

/* A bounded reader over a stored file: every Get fails (and the reader stays failed) rather
 * than reading past the end. */
struct Reader {
    const std::string *src;
    size_t pos;
    bool ok;
};
Reader MakeReader(const std::string &src);
DWORD Get32(Reader *r);
std::u16string GetWide(Reader *r);
std::string GetBytes(Reader *r);

} // namespace qmr

#endif
