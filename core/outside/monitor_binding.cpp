/*
 * Finding, loading and binding the document monitor, starting and ending it, and
 * registering a job with it. The module, its bound functions and the load count are
 * process-wide under one lock; a started monitor holds one count, so the module stays
 * loaded while any handle is live.
 */
#include "core/outside/monitor_binding.h"

#include "core/util/os_version.h"

#include <string.h>
#include <time.h>

static const char kMonitorKey[] = "SOFTWARE\\Ornet\\Brenmoor\\Client\\Jobtrace";
static const char kModuleValue[] = "JtrApi";
/* The most bytes of the module's path, as read. */
enum { JTR_MODULE_PATH_BYTES = 128, JTR_FILE_PATH_BYTES = 260 };
static const LONG kSecondsPerDay = 86400;

/* The bound functions, in the order of kBoundNames. */
enum {
    JTR_SET_GROUP_STYLE,
    JTR_CREATE_JOB_ID,
    JTR_SET_JOB_ID,
    JTR_UNINITIALIZE,
    JTR_INITIALIZE,
    JTR_SET_DESTINATION_COUNT,
    JTR_SET_PORT_NAME,
    JTR_SET_FRIENDLY_NAME,
    JTR_SET_PARAM_STYLE,
    JTR_CREATE_CLIENT_ID,
    JTR_EXEC,
    JTR_EXEC_PREFERENCES,
    JTR_SET_JOB_DESTINATIONS,
    JTR_SET_DATA,
    JTR_REQUIRED_COUNT, /* the functions above are required */
    JTR_EXEC_WITH_STATUS = JTR_REQUIRED_COUNT,
    JTR_EXEC_PREFERENCES_WITH_STATUS,
    JTR_SET_DATA_EX,
    JTR_BOUND_COUNT
};

static const char *const kBoundNames[JTR_BOUND_COUNT] = {
    "JtrSetGroupStyle",
    "JtrCreateJobId",
    "JtrSetJobId",
    "JtrUnInitializeJobtrace",
    "JtrInitializeJobtrace",
    "JtrSetDestinationCount",
    "JtrSetPortName",
    "JtrSetFriendlyName",
    "JtrSetParamStyle",
    "JtrCreateClientId",
    "JtrExecJobtrace",
    "JtrExecJobtracePreferences",
    "JtrSetJobDestinations",
    "JtrSetJtrData",
    "JtrExecJobtraceWithStatus",
    "JtrExecJobtracePreferencesWithStatus",
    "JtrSetJtrDataEx",
};

typedef struct JtrBinding {
    CRITICAL_SECTION lock;
    HMODULE module;
    DWORD loads;
    FARPROC bound[JTR_BOUND_COUNT];
} JtrBinding;

static JtrBinding *jtr_Binding(void)
{
    static JtrBinding binding;
    static BOOL ready = (InitializeCriticalSection(&binding.lock), TRUE);
    (void)ready;
    return &binding;
}

/* jtr_Clear: frees the module and clears every pointer (lock held). */
static void jtr_Clear(JtrBinding *binding)
{
    if (binding->module != NULL)
        FreeLibrary(binding->module);
    binding->module = NULL;
    memset(binding->bound, 0, sizeof(binding->bound));
}

/* jtr_ModulePath: the monitor's DLL path, when its key and the file it names exist. */
static BOOL jtr_ModulePath(char *path)
{
    WORD osClass = 0;
    if (util_GetOsClass(&osClass) != 1)
        return FALSE;
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMonitorKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    char file[JTR_FILE_PATH_BYTES + 1] = {};
    DWORD size = JTR_FILE_PATH_BYTES;
    DWORD type = 0;
    BOOL found = RegQueryValueExA(key, NULL, NULL, &type, (BYTE *)file, &size) == ERROR_SUCCESS && file[0] != 0;
    memset(path, 0, JTR_MODULE_PATH_BYTES + 1);
    size = JTR_MODULE_PATH_BYTES;
    found =
        found && RegQueryValueExA(key, kModuleValue, NULL, &type, (BYTE *)path, &size) == ERROR_SUCCESS && path[0] != 0;
    RegCloseKey(key);
    if (!found)
        return FALSE;
    WCHAR wide[JTR_FILE_PATH_BYTES + 1];
    if (MultiByteToWideChar(CP_ACP, 0, file, -1, wide, JTR_FILE_PATH_BYTES + 1) == 0)
        return FALSE;
    HANDLE handle = CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(handle);
    return TRUE;
}

/* jtr_Bind: loads and binds the monitor (lock held, count 0). Returns 1 or JTR_E_SKIPPED. */
static int jtr_Bind(JtrBinding *binding)
{
    char path[JTR_MODULE_PATH_BYTES + 1];
    if (!jtr_ModulePath(path))
        return JTR_E_SKIPPED;
    binding->module = LoadLibraryA(path);
    if (binding->module == NULL)
        return JTR_E_SKIPPED;
    for (int i = 0; i < JTR_BOUND_COUNT; ++i) {
        binding->bound[i] = GetProcAddress(binding->module, kBoundNames[i]);
        if (binding->bound[i] == NULL && i < JTR_REQUIRED_COUNT) {
            jtr_Clear(binding);
            return JTR_E_SKIPPED;
        }
    }
    return 1;
}

/* jtr_Start: one start of the monitor: its handle, or NULL (nothing left loaded). */
static HANDLE jtr_Start(void)
{
    JtrBinding *binding = jtr_Binding();
    EnterCriticalSection(&binding->lock);
    HANDLE monitor = NULL;
    if (binding->loads > 0 || jtr_Bind(binding) == 1) {
        monitor = ((JtrInitializeJobtraceProc)(void *)binding->bound[JTR_INITIALIZE])(0);
        if (monitor != NULL)
            binding->loads++;
        else if (binding->loads == 0)
            jtr_Clear(binding);
    }
    LeaveCriticalSection(&binding->lock);
    return monitor;
}

/* jtr_Bound: a bound function while the caller holds a started monitor. */
static FARPROC jtr_Bound(int function)
{
    JtrBinding *binding = jtr_Binding();
    EnterCriticalSection(&binding->lock);
    FARPROC proc = binding->loads > 0 ? binding->bound[function] : NULL;
    LeaveCriticalSection(&binding->lock);
    return proc;
}

int WINAPI ext_JtrUninitialize(HANDLE monitor)
{
    JtrBinding *binding = jtr_Binding();
    EnterCriticalSection(&binding->lock);
    int result = 0;
    if (binding->loads > 0 && monitor != NULL) {
        result = ((JtrUnInitializeJobtraceProc)(void *)binding->bound[JTR_UNINITIALIZE])(monitor);
        if (--binding->loads == 0)
            jtr_Clear(binding);
    }
    LeaveCriticalSection(&binding->lock);
    return result;
}

int WINAPI ext_JtrIsInstalled(void)
{
    HANDLE monitor = jtr_Start();
    return monitor != NULL ? ext_JtrUninitialize(monitor) : 0;
}

int WINAPI ext_JtrExecute(HANDLE monitor)
{
    if (monitor == NULL)
        return JTR_E_ARGUMENT;
    JtrExecJobtraceProc run = (JtrExecJobtraceProc)(void *)jtr_Bound(JTR_EXEC);
    BOOL ran = run != NULL && run(monitor);
    BOOL ended = ext_JtrUninitialize(monitor) != 0;
    return ran && ended ? JTR_OK : JTR_E_MONITOR;
}

int WINAPI ext_JtrEnd(HANDLE monitor)
{
    if (monitor == NULL)
        return JTR_E_ARGUMENT;
    return ext_JtrUninitialize(monitor) != 0 ? JTR_OK : JTR_E_MONITOR;
}

/* jtr_Text: a text or the empty one. */
static const char *jtr_Text(const char *text)
{
    return text != NULL ? text : "";
}

/* jtr_Fits: the text is shorter than its field. */
static BOOL jtr_Fits(const char *text, size_t bytes)
{
    return strlen(jtr_Text(text)) < bytes;
}

/* jtr_Put: a text that fits into its zeroed field. */
static void jtr_Put(char *field, size_t bytes, const char *text)
{
    memset(field, 0, bytes);
    memcpy(field, jtr_Text(text), strlen(jtr_Text(text)));
}

/* jtr_Id: asks the monitor for an id; 1 when its text ends inside the buffer. */
static BOOL jtr_Id(int function, HANDLE monitor, char *buffer)
{
    memset(buffer, 0, JTR_ID_BUFFER_BYTES);
    JtrCreateIdProc create = (JtrCreateIdProc)(void *)jtr_Bound(function);
    return create != NULL && create(monitor, buffer) && memchr(buffer, 0, JTR_ID_BUFFER_BYTES) != NULL;
}

/* jtr_SecondsUntil: seconds from now (local time) to hour:minute, within the next day. */
static LONG jtr_SecondsUntil(WORD hour, WORD minute)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    LONG seconds = (LONG)hour * 3600 + (LONG)minute * 60 - ((LONG)now.wHour * 3600 + now.wMinute * 60 + now.wSecond);
    return seconds > 0 ? seconds : seconds + kSecondsPerDay;
}

/* jtr_HandOver: the client record by JtrSetJtrDataEx, else the older layout by JtrSetJtrData. */
static BOOL jtr_HandOver(HANDLE monitor, const JtrClientRecord *client, DWORD faxFlag, const JtrJobTexts *texts)
{
    JtrSetJtrDataExProc setEx = (JtrSetJtrDataExProc)(void *)jtr_Bound(JTR_SET_DATA_EX);
    if (setEx != NULL)
        return setEx(monitor, client);
    JtrSetJtrDataProc set = (JtrSetJtrDataProc)(void *)jtr_Bound(JTR_SET_DATA);
    DWORD size = (DWORD)sizeof(JtrOldHead) + texts->destinationCount * (DWORD)sizeof(JtrOldBlock);
    BYTE *data = (BYTE *)GlobalAlloc(GPTR, size);
    if (set == NULL || data == NULL) {
        if (data != NULL)
            GlobalFree(data);
        return FALSE;
    }
    JtrOldHead head;
    memset(&head, 0, sizeof(head));
    head.size = sizeof(head);
    head.constant1 = client->constant1;
    head.constant3 = client->constant3;
    head.constant11 = client->constant11;
    memcpy(head.port, client->port, sizeof(head.port));
    memcpy(head.printer, client->printer, sizeof(head.printer));
    memcpy(data, &head, sizeof(head));
    for (DWORD i = 0; i < texts->destinationCount; ++i) {
        const JtrDestinationTexts *d = &texts->destinations[i];
        JtrOldBlock block;
        memset(&block, 0, sizeof(block));
        block.size = sizeof(block);
        block.faxFlag = faxFlag;
        block.value = client->job->value;
        memcpy(block.document, client->job->document, sizeof(block.document));
        memcpy(block.idText, client->job->idText, sizeof(block.idText));
        jtr_Put(block.destination, sizeof(block.destination), faxFlag == 0 ? d->name : NULL);
        jtr_Put(block.text1, sizeof(block.text1), faxFlag == 1 ? d->text1 : NULL);
        jtr_Put(block.text2, sizeof(block.text2), faxFlag == 1 ? d->text2 : NULL);
        memcpy(data + sizeof(head) + i * sizeof(block), &block, sizeof(block));
    }
    BOOL handed = set(monitor, data, size);
    GlobalFree(data);
    return handed;
}

int WINAPI ext_JtrRegisterJob(HANDLE *monitor, char *idText, DWORD faxFlag, DWORD value, DWORD reserved, DWORD kind,
                              const JtrJobTexts *texts, WORD hour, WORD minute)
{
    (void)reserved;
    if (monitor != NULL)
        *monitor = NULL;
    if (monitor == NULL || idText == NULL || texts == NULL || texts->destinationCount == 0 ||
        texts->destinations == NULL)
        return JTR_E_ARGUMENT;
    if (faxFlag > 1)
        return JTR_E_FAX_FLAG;
    if (!jtr_Fits(texts->port, JTR_PORT_BYTES) || !jtr_Fits(texts->document, JTR_DOCUMENT_BYTES) ||
        !jtr_Fits(texts->printer, JTR_PRINTER_BYTES) || !jtr_Fits(texts->owner, JTR_OWNER_BYTES))
        return JTR_E_TOO_LONG;
    for (DWORD i = 0; i < texts->destinationCount; ++i) {
        const JtrDestinationTexts *d = &texts->destinations[i];
        if (faxFlag == 0 ? !jtr_Fits(d->name, JTR_NAME_BYTES)
                         : !jtr_Fits(d->text1, JTR_FAX_TEXT_BYTES) || !jtr_Fits(d->text2, JTR_FAX_TEXT_BYTES))
            return JTR_E_TOO_LONG;
    }

    HANDLE started = jtr_Start();
    if (started == NULL)
        return JTR_E_MONITOR;
    char client[JTR_ID_BUFFER_BYTES];
    char job[JTR_ID_BUFFER_BYTES];
    if (!jtr_Id(JTR_CREATE_CLIENT_ID, started, client) || !jtr_Id(JTR_CREATE_JOB_ID, started, job)) {
        ext_JtrUninitialize(started);
        return JTR_E_MONITOR;
    }
    if (strlen(client) + 1 + strlen(job) >= JTR_ID_TEXT_BYTES) {
        ext_JtrUninitialize(started);
        return JTR_E_TOO_LONG;
    }
    char id[JTR_ID_TEXT_BYTES] = {};
    memcpy(id, client, strlen(client));
    id[strlen(client)] = '.';
    memcpy(id + strlen(client) + 1, job, strlen(job));

    JtrJobRecord record;
    memset(&record, 0, sizeof(record));
    record.size = sizeof(record);
    record.kind = kind;
    record.time = (DWORD)time(NULL);
    record.value = faxFlag == 0 ? value : 0;
    jtr_Put(record.port, sizeof(record.port), texts->port);
    jtr_Put(record.idText, sizeof(record.idText), id);
    jtr_Put(record.document, sizeof(record.document), texts->document);
    const JtrDestinationTexts *first = &texts->destinations[0];
    jtr_Put(record.destination, sizeof(record.destination), faxFlag == 0 ? first->name : NULL);
    jtr_Put(record.text1, sizeof(record.text1), faxFlag == 1 ? first->text1 : NULL);
    jtr_Put(record.text2, sizeof(record.text2), faxFlag == 1 ? first->text2 : NULL);
    if (kind == 5)
        record.secondsUntilStart = jtr_SecondsUntil(hour, minute);

    JtrClientRecord clientRecord;
    memset(&clientRecord, 0, sizeof(clientRecord));
    clientRecord.size = sizeof(clientRecord);
    clientRecord.constant1 = 1;
    clientRecord.constant3 = 3;
    clientRecord.constant11 = 11;
    jtr_Put(clientRecord.port, sizeof(clientRecord.port), texts->port);
    jtr_Put(clientRecord.printer, sizeof(clientRecord.printer), texts->printer);
    jtr_Put(clientRecord.owner, sizeof(clientRecord.owner), texts->owner);
    clientRecord.job = &record;
    if (!jtr_HandOver(started, &clientRecord, faxFlag, texts)) {
        ext_JtrUninitialize(started);
        return JTR_E_MONITOR;
    }
    memcpy(idText, id, sizeof(id));
    *monitor = started;
    return JTR_OK;
}
