/*
 * The description data reader over the sample model (QM50C1.DDD and its base file), each
 * case beside a peer ("_Peer", paired by scripts/bench) doing the least the same work
 * needs. Operations per second.
 *
 * - Open: ddd_OpenFilePair and ddd_CloseFilePair. Peer: the bytes of the same two files
 *   read into memory with open/read/close and freed. The difference is what opening adds
 *   to reading: the calls through the platform layer, the copy out of the mapping, the
 *   header checks and the base file's name.
 * - Locate: the list entry of every definition of the model (types 3 and 4) by key, one
 *   lookup each. Peer: a plain linear scan for the same keys over the same raw list bytes,
 *   whose start is found once before the loop: no entry walk to the directory, no checks.
 * - Fetch: the parsed record behind each of those FunctionIDs (ddd_GetFunctionRecord),
 *   freed again. Peer: the same scan, then a copy of the record's bytes. The difference is
 *   what a lookup adds to finding the bytes: the directory walk, parsing, text decoding
 *   and the record's allocations.
 */
#include "core/ddd/ddd_access.h"
#include "core/ddd/ddd_private.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kModelPath[] = QM_MODELS_DIR "/QM50C1.DDD";
const char kBasePath[] = QM_MODELS_DIR "/QM50BASE.DDD";
const WORD kDefinitionTypes[] = {3, 4};
constexpr DWORD kListEntryBytes = 7;

/* The host path as the platform layer names it: "Z:" and backslashes. */
std::u16string WindowsPath(const char *path)
{
    std::u16string text = u"Z:";
    for (const char *p = path; *p; ++p)
        text.push_back(*p == '/' ? u'\\' : (char16_t)*p);
    return text;
}

/* One definition: its FunctionID (= key) and type, where its list lies in the model file. */
struct Definition {
    WORD functionId;
    WORD type;
    DWORD listAt;
};

/* The sample model opened once, with the definitions its lists name. */
struct OpenModel {
    DddFile model{};
    DddFile base{};
    DddStatus status = DDD_ERROR;
    std::vector<Definition> definitions;

    OpenModel()
    {
        std::u16string path = WindowsPath(kModelPath);
        status = ddd_OpenFilePair((LPCWSTR)path.c_str(), &model, &base);
        if (status != DDD_OK)
            return;
        for (WORD type : kDefinitionTypes) {
            if (ddd_SeekTypeList(&model, type) != DDD_OK)
                continue;
            DWORD at = model.position;
            WORD count = ddd_Word(model.bytes + at);
            for (WORD i = 0; i < count; ++i) {
                WORD key = ddd_Word(model.bytes + at + 2 + i * kListEntryBytes + 1);
                WORD mappedType = 0, mappedKey = 0;
                ddd_MapFunctionIdToRecord(key, &mappedType, &mappedKey);
                if (mappedType == type && mappedKey == key)
                    definitions.push_back(Definition{key, type, at});
            }
        }
    }
    ~OpenModel()
    {
        if (status == DDD_OK)
            ddd_CloseFilePair(&model, &base);
    }
};

/* Reads a whole file with the plain system calls; empty on failure. */
std::vector<BYTE> ReadPlain(const char *path)
{
    std::vector<BYTE> bytes;
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return bytes;
    struct stat info;
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.resize((size_t)info.st_size);
        if (read(fd, bytes.data(), bytes.size()) != (ssize_t)bytes.size())
            bytes.clear();
    }
    close(fd);
    return bytes;
}

/* The peers' scan: the list entry with this key in the list at `at`, or NULL. */
const BYTE *ScanList(const BYTE *bytes, DWORD at, WORD key)
{
    WORD count = ddd_Word(bytes + at);
    const BYTE *entry = bytes + at + 2;
    for (WORD i = 0; i < count; ++i, entry += kListEntryBytes) {
        if (ddd_Word(entry + 1) == key)
            return entry;
    }
    return nullptr;
}

void BM_DddOpen(benchmark::State &state)
{
    std::u16string path = WindowsPath(kModelPath);
    for (auto _ : state) {
        DddFile model, base;
        if (ddd_OpenFilePair((LPCWSTR)path.c_str(), &model, &base) != DDD_OK) {
            state.SkipWithError("the sample model did not open");
            break;
        }
        ddd_CloseFilePair(&model, &base);
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_DddOpen);

void BM_DddOpen_Peer(benchmark::State &state)
{
    for (auto _ : state) {
        std::vector<BYTE> model = ReadPlain(kModelPath);
        std::vector<BYTE> base = ReadPlain(kBasePath);
        if (model.empty() || base.empty()) {
            state.SkipWithError("the sample model could not be read");
            break;
        }
        benchmark::DoNotOptimize(model.data());
        benchmark::DoNotOptimize(base.data());
    }
    state.SetItemsProcessed((int64_t)state.iterations());
}
BENCHMARK(BM_DddOpen_Peer);

void BM_DddLocate(benchmark::State &state)
{
    OpenModel open;
    if (open.status != DDD_OK || open.definitions.empty())
        state.SkipWithError("the sample model did not open");
    for (auto _ : state) {
        for (const Definition &d : open.definitions) {
            DddFile *holder = nullptr;
            WORD level = 0;
            if (ddd_LocateRecord(
                    DDD_BY_KEY, &open.model, &open.base, DDD_LEVEL_MODEL, d.type, d.functionId, &holder, &level) !=
                DDD_OK) {
                state.SkipWithError("a definition was not found");
                break;
            }
            benchmark::DoNotOptimize(holder->position);
        }
    }
    state.SetItemsProcessed((int64_t)(state.iterations() * open.definitions.size()));
    state.SetLabel(std::to_string(open.definitions.size()) + " definitions");
}
BENCHMARK(BM_DddLocate);

void BM_DddLocate_Peer(benchmark::State &state)
{
    OpenModel open;
    if (open.status != DDD_OK || open.definitions.empty())
        state.SkipWithError("the sample model did not open");
    for (auto _ : state) {
        for (const Definition &d : open.definitions) {
            const BYTE *entry = ScanList(open.model.bytes, d.listAt, d.functionId);
            benchmark::DoNotOptimize(entry);
        }
    }
    state.SetItemsProcessed((int64_t)(state.iterations() * open.definitions.size()));
    state.SetLabel(std::to_string(open.definitions.size()) + " definitions");
}
BENCHMARK(BM_DddLocate_Peer);

void BM_DddFetch(benchmark::State &state)
{
    OpenModel open;
    if (open.status != DDD_OK || open.definitions.empty())
        state.SkipWithError("the sample model did not open");
    for (auto _ : state) {
        for (const Definition &d : open.definitions) {
            DddFunctionRequest request = {
                DDD_LEVEL_MODEL, &open.model, &open.base, d.functionId, nullptr, 0, 0, nullptr};
            if (ddd_GetFunctionRecord(&request) != DDD_OK) {
                state.SkipWithError("a definition did not parse");
                break;
            }
            ddd_FreeRecord(&request.record, DDD_FREE_OWN_TYPE);
        }
    }
    state.SetItemsProcessed((int64_t)(state.iterations() * open.definitions.size()));
    state.SetLabel(std::to_string(open.definitions.size()) + " definitions");
}
BENCHMARK(BM_DddFetch);

void BM_DddFetch_Peer(benchmark::State &state)
{
    OpenModel open;
    if (open.status != DDD_OK || open.definitions.empty())
        state.SkipWithError("the sample model did not open");
    std::vector<BYTE> copy;
    for (auto _ : state) {
        for (const Definition &d : open.definitions) {
            const BYTE *entry = ScanList(open.model.bytes, d.listAt, d.functionId);
            const DddFile &holder = entry != nullptr && entry[0] == DDD_LEVEL_MODEL ? open.model : open.base;
            DWORD offset = entry != nullptr ? ddd_Dword(entry + 3) : holder.size;
            DWORD length = offset + 4 <= holder.size ? ddd_Dword(holder.bytes + offset) : 0;
            if (length < 4 || length > holder.size - offset) {
                state.SkipWithError("a definition was not found");
                break;
            }
            copy.assign(holder.bytes + offset, holder.bytes + offset + length);
            benchmark::DoNotOptimize(copy.data());
        }
    }
    state.SetItemsProcessed((int64_t)(state.iterations() * open.definitions.size()));
    state.SetLabel(std::to_string(open.definitions.size()) + " definitions");
}
BENCHMARK(BM_DddFetch_Peer);

} // namespace

BENCHMARK_MAIN();
