/*
 * dddc command line:
 *   dddc compile <source.yaml> -o <file.DDD> [--base <base.DDD>]
 *   dddc dump <file.DDD>
 * A refusal prints one line naming the record and the reason and exits with 1.
 */
#include "tools/dddc/dddc.h"

#include <stdio.h>
#include <string.h>

#include <fstream>
#include <iterator>
#include <sstream>

static bool ReadFile(const char *path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

static int Usage(void)
{
    fprintf(stderr,
            "usage: dddc compile <source.yaml> -o <file.DDD> [--base <base.DDD>]\n"
            "       dddc dump <file.DDD>\n");
    return 2;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        return Usage();
    }
    std::string input;
    if (!ReadFile(argv[2], input)) {
        fprintf(stderr, "dddc: cannot read %s\n", argv[2]);
        return 1;
    }
    std::string error;
    if (strcmp(argv[1], "dump") == 0 && argc == 3) {
        std::string yaml;
        if (!dddc::Dump(dddc::Bytes(input.begin(), input.end()), yaml, error)) {
            fprintf(stderr, "dddc: %s: %s\n", argv[2], error.c_str());
            return 1;
        }
        fwrite(yaml.data(), 1, yaml.size(), stdout);
        return 0;
    }
    if (strcmp(argv[1], "compile") != 0) {
        return Usage();
    }
    const char *output = nullptr;
    const char *basePath = nullptr;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "-o") == 0) {
            output = argv[i + 1];
        } else if (strcmp(argv[i], "--base") == 0) {
            basePath = argv[i + 1];
        } else {
            return Usage();
        }
    }
    if (!output) {
        return Usage();
    }
    dddc::Bytes base;
    if (basePath) {
        std::string text;
        if (!ReadFile(basePath, text)) {
            fprintf(stderr, "dddc: cannot read %s\n", basePath);
            return 1;
        }
        base.assign(text.begin(), text.end());
    }
    dddc::Bytes bytes;
    if (!dddc::Compile(input, basePath ? &base : nullptr, bytes, error)) {
        fprintf(stderr, "dddc: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    std::ofstream out(output, std::ios::binary);
    out.write((const char *)bytes.data(), (std::streamsize)bytes.size());
    if (!out) {
        fprintf(stderr, "dddc: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
