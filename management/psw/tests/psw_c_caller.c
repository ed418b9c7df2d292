/*
 * A C11 program using the printer-management library as outside programs do: it includes
 * only the public header, links the library and lives one whole life against the agent of
 * its network namespace (discovery, a device session with SNMPv3 settings passed by value,
 * every option, status table, job and character set, a job cancel), then checks the cases
 * that need a session: indexes and kinds out of range, a later discovery with other
 * settings leaving the session's credentials alone, and a printer of another model. The
 * life runs twice; the heap, socket and module counts stay where the second life found
 * them (the first life makes the library's process-wide bindings, kept until unload).
 *
 * Exit code 0 when every check holds, 1 otherwise. It always runs under
 * testing/netns/run-in-netns.sh, which skips the test where no namespace can be made; a
 * missing agent here is a broken run, never a skip.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "management/include/psw.h"

#ifdef QM_CALLER_COUNTERS
#include <windows.h>

#include "platform/testing/qm_testing_files.h"
#include "platform/testing/qm_testing_net.h"

/* The heap counter of the test controls (their main header pulls in C++ ones). */
DWORD qmt_LiveHeapBlocks(HANDLE hHeap);
#endif

static int g_failures;

#define CHECK(condition) check((condition), #condition, __LINE__)
#define CHECK_EQ(expected, actual) check_eq((long)(expected), (long)(actual), #actual, __LINE__)

static void check(int condition, const char *text, int line)
{
    if (!condition) {
        printf("line %d: %s\n", line, text);
        g_failures++;
    }
}

static void check_eq(long expected, long actual, const char *text, int line)
{
    if (expected != actual) {
        printf("line %d: %s is %ld, expected %ld\n", line, text, actual, expected);
        g_failures++;
    }
}

/* The agent's directory; the fixture the library's printer serves lives there. */
static const char *g_agent_dir;

/* write_fixture: the caller's printer, with `extra` lines after it (a later line of the
 * same object replaces an earlier one). A new file, so the agent reads it again. */
static void write_fixture(const char *extra)
{
    char path[512], temporary[512];
    snprintf(path, sizeof path, "%s/fixture.txt", g_agent_dir);
    snprintf(temporary, sizeof temporary, "%s/fixture.new", g_agent_dir);
    FILE *in = fopen(QM_PRINTER_FIXTURE, "rb");
    FILE *out = fopen(temporary, "wb");
    CHECK(in != NULL && out != NULL);
    if (in == NULL || out == NULL)
        exit(1);
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0)
        fwrite(buffer, 1, n, out);
    fputs(extra, out);
    fclose(in);
    fclose(out);
    CHECK(rename(temporary, path) == 0);
}

/* The settings of the agent's SHA/AES user. */
static PSWUSMParams shaaes(void)
{
    PSWUSMParams usm;
    memset(&usm, 0, sizeof usm);
    strcpy(usm.user_name, "shaaes");
    usm.security_level = 2;
    usm.auth_protocol = 2;
    usm.priv_protocol = 2;
    strcpy(usm.auth_pass_phrase, "authpass123");
    strcpy(usm.priv_pass_phrase, "privpass123");
    return usm;
}

static const char kModelPrefix[] = "1.3.6.1.4.1.99953.1.11.93.1.33.5";

/* Discovery: filters, a broadcast, the results until the end, reset and again. */
static void discover(CPSWHandle *handle)
{
    char address[64], model[64], reserved[64], oid[64];
    char filter[80];
    int32_t count = -1;
    /* The 51st filter is not kept: only the first 50 (none of them matching) decide. */
    PSWFindClearFilter(handle);
    for (int i = 0; i < 50; ++i) {
        snprintf(filter, sizeof filter, "9.%d", i);
        CHECK_EQ(0, PSWFindAddFilter(handle, filter));
    }
    CHECK_EQ(0, PSWFindAddFilter(handle, kModelPrefix));
    CHECK_EQ(0, PSWFindDeviceSNMP(handle, NULL, PSW_TRANSPORT_IPV4, 1000, 0, &count));
    CHECK_EQ(0, count);
    CHECK_EQ(0, PSWGetDeviceNext(handle, address, model, reserved, oid));
    /* An over-long filter is refused and changes nothing. */
    PSWFindClearFilter(handle);
    memset(filter, '1', 64);
    filter[64] = '\0';
    CHECK_EQ(-2, PSWFindAddFilter(handle, filter));
    CHECK_EQ(0, PSWFindDeviceSNMP(handle, NULL, PSW_TRANSPORT_IPV4, 1000, 0, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWFindAddFilter(handle, "1.3.6.1.4.1.99953"));
    CHECK_EQ(0, PSWFindAddFilter(handle, kModelPrefix));
    count = -1;
    CHECK_EQ(0, PSWFindDeviceSNMP(handle, NULL, PSW_TRANSPORT_IPV4, 1000, 0, &count));
    CHECK_EQ(1, count);
    /* The same printer answers the IPv6 multicast (transport 5), once per link it
     * listens on. */
    count = -1;
    CHECK_EQ(0, PSWFindDeviceSNMP(handle, NULL, PSW_TRANSPORT_IPV6, 1000, 0, &count));
    CHECK(count >= 1);
    CHECK_EQ(1, PSWGetDeviceNext(handle, address, model, reserved, oid));
    CHECK(strcmp(oid, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1") == 0);
    count = -1;
    CHECK_EQ(0, PSWFindDeviceSNMP(handle, NULL, PSW_TRANSPORT_IPV4, 1000, 0, &count));
    CHECK_EQ(1, count);
    for (int round = 0; round < 2; ++round) {
        memset(reserved, 'r', sizeof reserved);
        CHECK_EQ(1, PSWGetDeviceNext(handle, address, model, reserved, oid));
        CHECK(strcmp(address, "127.0.0.1") == 0);
        CHECK(strcmp(model, "") != 0);
        CHECK(strcmp(reserved, "") == 0);
        CHECK(strcmp(oid, "1.3.6.1.4.1.99953.1.11.93.1.33.5.1") == 0);
        CHECK_EQ(0, PSWGetDeviceNext(handle, address, model, reserved, oid));
        CHECK_EQ(0, PSWGetDeviceNext(handle, address, model, reserved, oid));
        PSWFindResetPosition(handle);
    }
}

/* The option names and the values of the caller's printer. */
typedef struct BooleanOption {
    const char *name;
    int16_t value;
} BooleanOption;

static const BooleanOption kBooleans[] = {
    {"Scanner", 1},
    {"Copier", 0},
    {"HardDisk", 1},
    {"DuplexModule", 1},
    {"InTrayMSI", 1},
    {"InTrayHCF2", 1},
    {"InTrayHCFA3", 0},
    {"InTrayHCFA3_2", 0},
    {"OutTrayHCS", 0},
    {"Finisher", 1},
    {"FinisherStaple", 1},
    {"FinisherPunch", 1},
    {"FinisherPunchHole2_4", 1},
    {"FinisherPunchHole2_3", 0},
    {"FinisherPunchHole3", 0},
    {"FinisherPunchHole4", 0},
    {"FinisherBooklet", 1},
    {"FinisherFolder", 0},
    {"TrimmerSquareFold", 0},
};

typedef struct IntegerOption {
    const char *name;
    uint16_t index;
    int32_t value;
} IntegerOption;

static const IntegerOption kIntegers[] = {
    {"MemorySizeInKByte", 0, 524288},
    {"MemorySizeInMByte", 0, 512},
    {"NumberOfInputTray", 0, 2},
    {"InputTrayIndex", 0, 1},
    {"InputTrayType", 0, 4},
    {"InputTrayMediaSize", 0, 25},
    {"InputTrayMediaDirection", 0, 3},
    {"InputTrayMaxCapacityInSheets", 0, 500},
    {"InputTrayCurrentLevelInPercent", 0, 50},
    {"InputTrayMediaDimFeedDirChosen", 0, 297000},
    {"InputTrayMediaDimXFeedDirChosen", 0, 210000},
    {"InputTrayIndex", 1, 2},
    {"InputTrayType", 1, 5},
    {"InputTrayMediaSize", 1, 1},
    {"InputTrayMediaDirection", 1, 3},
    {"InputTrayMaxCapacityInSheets", 1, 100},
    {"InputTrayCurrentLevelInPercent", 1, -1},
    {"PrinterRomVersionMajor", 0, 1},
    {"PrinterRomVersionMinor", 0, 2},
    {"PrinterRomVersionRevision", 0, 3},
    {"PaperSizeGroupSetting", 0, 2},
    {"PaperSize8KSetting", 0, 1},
    {"FinisherBookletImpression", 0, 50},
    {"FinisherType", 0, 5},
    {"UserPromptSetting", 0, 1},
    {"MinPasswordLength", 0, 8},
    {"PrintLimitedOffCoating1", 0, 0},
    {"TrimmingShiftValueStationaryPaper", 0, 0},
    {"TrimmingShiftValueThickPaper", 0, 0},
};

typedef struct TextOption {
    const char *name;
    uint16_t index;
    const char *value;
} TextOption;

static const TextOption kTexts[] = {
    {"PrinterRomVersion", 0, "Printer Controller v1.2.3 - Processor"},
    {"SysName", 0, "caller-printer"},
    {"NetWareSAPUnitName", 0, "NW-CALLER"},
    {"InputTrayName", 0, "Tray 1"},
    {"InputTrayDescription", 0, "Main tray"},
    {"InputTrayMediaType", 0, "stationery"},
    {"InputTrayName", 1, "Bypass"},
};

static void read_options(CPSWHandle *handle)
{
    int16_t flag;
    int32_t number;
    uint32_t unsigned_number;
    char text[256];
    for (size_t i = 0; i < sizeof kBooleans / sizeof kBooleans[0]; ++i) {
        flag = -1;
        CHECK_EQ(0, PSWGetOptionValueBoolean(handle, kBooleans[i].name, 0, &flag));
        if (flag != kBooleans[i].value)
            printf("option %s\n", kBooleans[i].name);
        CHECK_EQ(kBooleans[i].value, flag);
    }
    for (size_t i = 0; i < sizeof kIntegers / sizeof kIntegers[0]; ++i) {
        number = -12345;
        CHECK_EQ(0, PSWGetOptionValueInteger(handle, kIntegers[i].name, kIntegers[i].index, &number));
        if (number != kIntegers[i].value)
            printf("option %s[%u]\n", kIntegers[i].name, kIntegers[i].index);
        CHECK_EQ(kIntegers[i].value, number);
    }
    for (size_t i = 0; i < sizeof kTexts / sizeof kTexts[0]; ++i) {
        memset(text, 'z', sizeof text);
        CHECK_EQ(0, PSWGetOptionValueString(handle, kTexts[i].name, kTexts[i].index, text));
        CHECK(strcmp(text, kTexts[i].value) == 0);
    }
    CHECK_EQ(-11, PSWGetOptionValueInteger(handle, "InputTrayType", 2, &number));
    CHECK_EQ(-11, PSWGetOptionValueString(handle, "InputTrayName", 2, text));
    CHECK_EQ(-5, PSWGetOptionValueBoolean(handle, "scanner", 0, &flag));
    CHECK_EQ(-5, PSWGetOptionValueInteger(handle, "NoSuchOption", 0, &number));
    CHECK_EQ(-5, PSWGetOptionValueUInteger(handle, "MemorySizeInKByte", 0, &unsigned_number));
    CHECK_EQ(1, PSWIsSupportedOID(handle, ""));
    CHECK_EQ(1, PSWIsSupportedOID(handle, NULL));
    CHECK_EQ(1, PSWIsSupportedOID(handle, kModelPrefix));
    CHECK_EQ(0, PSWIsSupportedOID(handle, "1.3.6.1.4.1.99953.1.11.93.1.33.7"));
}

/* Every status table: its count, every record, and the indexes just outside. */
static void read_status(CPSWHandle *handle)
{
    int32_t count = -1;
    PSWStorageInfo storage;
    PSWDeviceInfo device;
    PSWInputTrayInfo input;
    PSWOutputTrayInfo output;
    PSWTonerInfo toner;
    PSWAlertInfo alert;
    PSWPrinterInfo printer;
    PSWJobInfo job;

    CHECK_EQ(0, PSWGetNumberOfStorageInfo(handle, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWGetStorageInfo(handle, 0, &storage));
    CHECK_EQ(4, storage.type);
    CHECK_EQ(4000, storage.size);
    CHECK(strcmp(storage.description, "Fixed Disk") == 0);
    CHECK_EQ(-11, PSWGetStorageInfo(handle, 1, &storage));
    CHECK_EQ(-11, PSWGetStorageInfo(handle, -1, &storage));

    CHECK_EQ(0, PSWGetNumberOfDeviceInfo(handle, &count));
    CHECK_EQ(9, count);
    for (int32_t i = 0; i < count; ++i)
        CHECK_EQ(0, PSWGetDeviceInfo(handle, i, &device));
    CHECK_EQ(-11, PSWGetDeviceInfo(handle, count, &device));
    CHECK_EQ(0, PSWGetDeviceInfo(handle, 0, &device));
    CHECK_EQ(3, device.type);
    CHECK_EQ(2, device.status);
    CHECK(strcmp(device.description, "Printer Controller v1.2.3 - Processor") == 0);

    CHECK_EQ(0, PSWGetNumberOfInputTrayInfo(handle, &count));
    CHECK_EQ(2, count);
    CHECK_EQ(0, PSWGetInputTrayInfo(handle, 1, &input));
    CHECK_EQ(5, input.type);
    CHECK_EQ(100, input.max_capacity);
    CHECK(strcmp(input.name, "Bypass") == 0);
    CHECK(strcmp(input.media_color, "white") == 0);
    CHECK_EQ(-11, PSWGetInputTrayInfo(handle, 2, &input));

    CHECK_EQ(0, PSWGetNumberOfOutputTrayInfo(handle, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWGetOutputTrayInfo(handle, 0, &output));
    CHECK_EQ(3, output.type);
    CHECK(strcmp(output.name, "Center tray") == 0);
    CHECK_EQ(-11, PSWGetOutputTrayInfo(handle, -1, &output));

    CHECK_EQ(0, PSWGetNumberOfTonerInfo(handle, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWGetTonerInfo(handle, 0, &toner));
    CHECK_EQ(42, toner.level);
    CHECK(strcmp(toner.description, "Black Toner") == 0);
    CHECK_EQ(-11, PSWGetTonerInfo(handle, 1, &toner));

    CHECK_EQ(0, PSWGetNumberOfAlertInfo(handle, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWGetAlertInfo(handle, 0, &alert));
    CHECK_EQ(808, alert.code);
    CHECK(strcmp(alert.description, "Input tray empty") == 0);
    CHECK_EQ(-11, PSWGetAlertInfo(handle, 1, &alert));

    CHECK_EQ(0, PSWGetPrinterInfo(handle, &printer));
    CHECK_EQ(3, printer.status);
    CHECK_EQ(0x00, printer.detected_error_state[0]);
    CHECK_EQ(0x80, printer.detected_error_state[1]);

    int32_t charset = -1;
    CHECK_EQ(0, PSWGetCharSet(handle, 0, &charset));
    CHECK_EQ(106, charset);
    CHECK_EQ(0, PSWGetCharSet(handle, 1, &charset));
    CHECK_EQ(17, charset);
    CHECK_EQ(-2, PSWGetCharSet(handle, 2, &charset));
    CHECK_EQ(17, charset);

    static const int32_t kJobCounts[3] = {3, 2, 1};
    for (int32_t kind = 0; kind < 3; ++kind) {
        count = -1;
        CHECK_EQ(0, PSWGetNumberOfJobInfo(handle, kind, &count));
        CHECK_EQ(kJobCounts[kind], count);
    }
    count = -1;
    CHECK_EQ(-2, PSWGetNumberOfJobInfo(handle, 3, &count));
    CHECK_EQ(-1, count);
    CHECK_EQ(0, PSWGetNumberOfJobInfo(handle, 0, &count));
    CHECK_EQ(0, PSWGetJobInfo(handle, 0, &job));
    CHECK_EQ(2, job.type);
    CHECK_EQ(3, job.state);
    CHECK(strcmp(job.text_1, "Print") == 0);
    CHECK(strcmp(job.job_id, "abc") == 0);
    CHECK(strcmp(job.name, "job-1") == 0);
    CHECK_EQ(2009, job.time_1.year);
    CHECK_EQ(58, job.time_1.seconds);
    CHECK_EQ(-11, PSWGetJobInfo(handle, 3, &job));
    CHECK_EQ(-11, PSWGetJobInfo(handle, -1, &job));
    CHECK_EQ(0, PSWCancelJob(handle, "abc"));
}

/* A session of a printer of another model: Init fails, the empty option object answers,
 * the status calls have no object and the model question answers from the identifier the
 * model check read. */
static void other_model(CPSWHandle *handle)
{
    int16_t flag = -1;
    int32_t number = -1;
    char text[256];
    int32_t count = -1;
    write_fixture(".1.3.6.1.2.1.1.2.0 objectid .1.3.6.1.4.1.99953.1.11.93.1.33.50\n");
    CHECK_EQ(-2, PSWInitDevice(handle, "127.0.0.1", PSW_TRANSPORT_IPV4, 1000, 1));
    CHECK_EQ(0, PSWGetOptionValueBoolean(handle, "Scanner", 0, &flag));
    CHECK_EQ(0, flag);
    CHECK_EQ(0, PSWGetOptionValueInteger(handle, "MemorySizeInKByte", 0, &number));
    CHECK_EQ(0, number);
    CHECK_EQ(0, PSWGetOptionValueString(handle, "SysName", 0, text));
    CHECK(strcmp(text, "") == 0);
    CHECK_EQ(-8, PSWGetNumberOfStorageInfo(handle, &count));
    CHECK_EQ(-8, PSWGetCharSet(handle, 0, &number));
    CHECK_EQ(1, PSWIsSupportedOID(handle, kModelPrefix));
    CHECK_EQ(1, PSWIsSupportedOID(handle, "1.3.6.1.4.1.99953.1.11.93.1.33.50"));
    CHECK_EQ(0, PSWIsSupportedOID(handle, "1.3.6.1.4.1.99953.1.11.93.1.33.7"));
    write_fixture("");
}

/* One whole life of a handle. */
static void life(void)
{
    CPSWHandle *handle = NULL;
    CHECK_EQ(0, PSWInit(&handle));
    if (handle == NULL)
        return;
    CHECK_EQ(0, PSWCommandString(handle, "CmdSetCommunityGetOption", "public"));
    CHECK_EQ(0, PSWCommandString(handle, "CmdSetCommunityFind", "public"));
    CHECK_EQ(0, PSWCommandString(handle, "CmdSetCommunityWrite", "private"));
    /* No IPv4 adapter but loopback in the namespace, IPv6 on its two links; IPX is never
     * available. */
    CHECK_EQ(0, PSWTransportAvailable(PSW_TRANSPORT_IPV4));
    CHECK_EQ(1, PSWTransportAvailable(PSW_TRANSPORT_IPV6));
    CHECK_EQ(0, PSWTransportAvailable(PSW_TRANSPORT_IPX));
    CHECK_EQ(0, PSWTransportAvailable(PSW_TRANSPORT_UNSERVED));
    discover(handle);

    /* Every field of the settings must arrive for the SHA/AES user's exchanges. */
    CHECK_EQ(0, PSWInitDeviceEx(handle, "127.0.0.1", PSW_TRANSPORT_IPV4, 2, shaaes(), 1000, 1));
    /* A discovery with the built-in user loads the discovery settings only. */
    PSWUSMParams builtin;
    memset(&builtin, 0, sizeof builtin);
    builtin.security_level = -1;
    builtin.auth_protocol = -1;
    builtin.priv_protocol = -1;
    int32_t count = -1;
    CHECK_EQ(0, PSWFindDeviceSNMPEx(handle, "127.0.0.1", PSW_TRANSPORT_IPV4, 2, builtin, 1000, 0, &count));
    CHECK_EQ(1, count);
    CHECK_EQ(0, PSWRefreshOptions(handle));
    read_options(handle);
    read_status(handle);
    other_model(handle);
    PSWUnInit(handle);
}

int main(void)
{
    g_agent_dir = getenv("QM_SNMP_AGENT_DIR");
    if (g_agent_dir == NULL) {
        fprintf(stderr,
                "psw_c_caller: no SNMP agent (QM_SNMP_AGENT_DIR is not set): run it through "
                "testing/netns/run-in-netns.sh --agent <fixture program>\n");
        return 1;
    }
    write_fixture("");
    life();
#ifdef QM_CALLER_COUNTERS
    DWORD blocks = qmt_LiveHeapBlocks(GetProcessHeap());
    LONG sockets = qmt_OpenSockets();
    LONG startups = qmt_WinsockStartups();
    DWORD modules = qmt_LiveModules();
#endif
    life();
#ifdef QM_CALLER_COUNTERS
    CHECK_EQ(blocks, qmt_LiveHeapBlocks(GetProcessHeap()));
    CHECK_EQ(sockets, qmt_OpenSockets());
    CHECK_EQ(startups, qmt_WinsockStartups());
    CHECK_EQ(modules, qmt_LiveModules());
#endif
    printf("%d failures\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
