/*
 * The printer fixture of the SNMP agent tests: a pass_persist program of snmpd that serves
 * the objects of one subtree from a fixture file, so that each test sets up its own
 * printer.
 *
 * Usage: snmp_fixture_agent <subtree> <fixture file> <set record file>
 *
 * Fixture file: one object a line, "OID TYPE VALUE" (the value is the rest of the line),
 * TYPE one of integer, gauge, counter, timeticks, ipaddress, objectid, string, octet (the
 * value as hexadecimal octets, "00 80"). A type may carry a refusal, "integer/not-writable"
 * or "integer/wrong-type": a SET of that object is answered with that error word. Every
 * other SET is accepted, appended to the set record file as "OID TYPE VALUE" and the
 * served value takes the new text. Blank lines and lines starting with '#' are ignored.
 * The file is read again whenever it changed; objects outside the subtree are ignored.
 *
 * Protocol on standard input and output: PING -> PONG; "get" and "getnext" followed by an
 * OID line -> three lines OID, TYPE, VALUE or NONE; "set" followed by an OID line and a
 * "TYPE VALUE" line -> DONE or the error word. snmpd follows every set with an empty line,
 * which is read and never answered.
 */
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint32_t> Oid;

struct FixtureObject {
    std::string type;
    std::string refusal;
    std::string value;
};

struct Fixture {
    Oid subtree;
    std::string path;
    std::string record_path;
    std::map<Oid, FixtureObject> objects; /* numeric order */
    struct timespec mtime {
    };
    off_t size = -1;
    ino_t inode = 0;
};

/* Parses ".1.3.6" or "1.3.6"; false for anything else. */
bool parse_oid(const std::string &text, Oid *out)
{
    out->clear();
    size_t i = (!text.empty() && text[0] == '.') ? 1 : 0;
    if (i >= text.size())
        return false;
    while (i < text.size()) {
        uint64_t number = 0;
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            number = number * 10 + (uint64_t)(text[i] - '0');
            if (number > 0xFFFFFFFFull)
                return false;
            ++i;
        }
        if (i == start)
            return false;
        out->push_back((uint32_t)number);
        if (i < text.size()) {
            if (text[i] != '.')
                return false;
            ++i;
            if (i == text.size())
                return false;
        }
    }
    return true;
}

std::string oid_text(const Oid &oid)
{
    std::string text;
    for (uint32_t n : oid)
        text += "." + std::to_string(n);
    return text;
}

bool inside(const Oid &oid, const Oid &root)
{
    if (oid.size() < root.size())
        return false;
    for (size_t i = 0; i < root.size(); ++i) {
        if (oid[i] != root[i])
            return false;
    }
    return true;
}

/* Reads the fixture file again when its time, size or inode changed. */
void refresh(Fixture &fixture)
{
    struct stat st {
    };
    if (stat(fixture.path.c_str(), &st) != 0) {
        fixture.objects.clear();
        fixture.size = -1;
        return;
    }
    if (st.st_size == fixture.size && st.st_ino == fixture.inode && st.st_mtim.tv_sec == fixture.mtime.tv_sec &&
        st.st_mtim.tv_nsec == fixture.mtime.tv_nsec)
        return;
    fixture.size = st.st_size;
    fixture.inode = st.st_ino;
    fixture.mtime = st.st_mtim;
    fixture.objects.clear();
    std::ifstream in(fixture.path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string name, type;
        words >> name >> type;
        Oid oid;
        if (!parse_oid(name, &oid) || type.empty() || !inside(oid, fixture.subtree))
            continue;
        FixtureObject object;
        size_t slash = type.find('/');
        object.type = type.substr(0, slash);
        if (slash != std::string::npos)
            object.refusal = type.substr(slash + 1);
        std::string rest;
        std::getline(words, rest);
        size_t first = rest.find_first_not_of(' ');
        object.value = first == std::string::npos ? std::string() : rest.substr(first);
        fixture.objects[oid] = object;
    }
}

void answer(const Oid &oid, const FixtureObject &object)
{
    std::cout << oid_text(oid) << '\n' << object.type << '\n' << object.value << '\n';
}

void handle_get(Fixture &fixture, const std::string &name, bool next)
{
    refresh(fixture);
    Oid oid;
    if (!parse_oid(name, &oid)) {
        std::cout << "NONE\n";
        return;
    }
    auto it = next ? fixture.objects.upper_bound(oid) : fixture.objects.find(oid);
    if (it == fixture.objects.end()) {
        std::cout << "NONE\n";
        return;
    }
    answer(it->first, it->second);
}

void handle_set(Fixture &fixture, const std::string &name, const std::string &typed_value)
{
    refresh(fixture);
    Oid oid;
    auto it = parse_oid(name, &oid) ? fixture.objects.find(oid) : fixture.objects.end();
    if (it == fixture.objects.end()) {
        std::cout << "not-writable\n";
        return;
    }
    if (!it->second.refusal.empty()) {
        std::cout << it->second.refusal << '\n';
        return;
    }
    std::ofstream record(fixture.record_path, std::ios::app);
    record << oid_text(oid) << ' ' << typed_value << '\n';
    record.close();
    size_t space = typed_value.find(' ');
    it->second.value = space == std::string::npos ? std::string() : typed_value.substr(space + 1);
    std::cout << "DONE\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <subtree> <fixture file> <set record file>\n", argv[0]);
        return 2;
    }
    Fixture fixture;
    if (!parse_oid(argv[1], &fixture.subtree)) {
        std::fprintf(stderr, "bad subtree %s\n", argv[1]);
        return 2;
    }
    fixture.path = argv[2];
    fixture.record_path = argv[3];
    std::string command;
    while (std::getline(std::cin, command)) {
        std::string name, value;
        if (command == "PING") {
            std::cout << "PONG\n";
        } else if (command == "get" || command == "getnext") {
            if (!std::getline(std::cin, name))
                break;
            handle_get(fixture, name, command == "getnext");
        } else if (command == "set") {
            if (!std::getline(std::cin, name) || !std::getline(std::cin, value))
                break;
            handle_set(fixture, name, value);
        } else {
            continue; /* the empty line after a set, or anything unknown: no answer */
        }
        std::cout.flush();
    }
    return 0;
}
