/*
 * dddc: the description data compiler. Compiles a YAML source into a description data
 * file (".DDD") and dumps such a file back to that YAML. Used by the command-line tool and,
 * as a library, by tests that build small files in memory.
 */
#ifndef QM_TOOLS_DDDC_DDDC_H
#define QM_TOOLS_DDDC_DDDC_H

#include <stdint.h>

#include <string>
#include <vector>

namespace dddc {

using Bytes = std::vector<uint8_t>;

/*
 * Compile: yaml is the source text; base is the compiled base file the source's header
 * names (nullptr when it names none). out: the file's bytes. Returns true, or false with
 * error set to one line naming the record (or header/entry) and the reason.
 */
bool Compile(const std::string &yaml, const Bytes *base, Bytes &out, std::string &error);

/*
 * Dump: the YAML source of a compiled file (its own records only; a model's base records
 * come from its base file when compiled again). Returns false with error for a file
 * that cannot be decoded.
 */
bool Dump(const Bytes &file, std::string &yaml, std::string &error);

} // namespace dddc

#endif /* QM_TOOLS_DDDC_DDDC_H */
