/*
 * Forms: the built-in list followed by the forms added through AddFormW, which are kept
 * for the whole machine (every printer sees them), as on Windows.
 */
#include "platform/src/spooler/forms.h"

#include "platform/src/registry/store.h"
#include "platform/src/spooler/spooler_private.h"

namespace {

const DWORD kFormsMagic = 0x4D464D51; /* "QMFM" */

struct Form {
    DWORD flags;
    std::u16string name;
    SIZEL size;
    RECTL area;
};

std::string forms_path()
{
    return qmspl::StoreDir() + "/forms.dat";
}

/* The forms added by users; false when the file is broken. */
bool load_user_forms(std::vector<Form> *out)
{
    out->clear();
    std::string bytes;
    if (!qmr::ReadWholeFile(forms_path(), &bytes))
        return true;
    qmr::Reader r = qmr::MakeReader(bytes);
    if (qmr::Get32(&r) != kFormsMagic)
        return false;
    DWORD count = qmr::Get32(&r);
    if (!r.ok || count > bytes.size() / 28)
        return false;
    for (DWORD i = 0; i < count && r.ok; ++i) {
        Form f;
        f.flags = qmr::Get32(&r);
        f.name = qmr::GetWide(&r);
        f.size.cx = (LONG)qmr::Get32(&r);
        f.size.cy = (LONG)qmr::Get32(&r);
        f.area.left = (LONG)qmr::Get32(&r);
        f.area.top = (LONG)qmr::Get32(&r);
        f.area.right = (LONG)qmr::Get32(&r);
        f.area.bottom = (LONG)qmr::Get32(&r);
        out->push_back(f);
    }
    return r.ok && r.pos == bytes.size();
}

bool save_user_forms(const std::vector<Form> &forms)
{
    std::string bytes;
    qmr::Put32(&bytes, kFormsMagic);
    qmr::Put32(&bytes, (DWORD)forms.size());
    for (const Form &f : forms) {
        qmr::Put32(&bytes, f.flags);
        qmr::PutWide(&bytes, f.name);
        const LONG numbers[] = {f.size.cx, f.size.cy, f.area.left, f.area.top, f.area.right, f.area.bottom};
        for (LONG n : numbers)
            qmr::Put32(&bytes, (DWORD)n);
    }
    return qmr::WriteFileAtomic(forms_path(), bytes);
}

/* Every form: the built-in ones, then the users'. */
bool all_forms(std::vector<Form> *out)
{
    std::vector<Form> user;
    if (!load_user_forms(&user))
        return false;
    DWORD count = 0;
    const qmspl::BuiltinForm *builtin = qmspl::BuiltinForms(&count);
    out->clear();
    for (DWORD i = 0; i < count; ++i) {
        const qmspl::BuiltinForm &b = builtin[i];
        out->push_back(Form{FORM_BUILTIN, b.name, {b.cx, b.cy}, {0, 0, b.cx, b.cy}});
    }
    out->insert(out->end(), user.begin(), user.end());
    return true;
}

/* Every form, read under the store's shared lock. */
bool read_forms(std::vector<Form> *out)
{
    qmr::StoreLock lock(qmspl::LockPath(), false);
    return all_forms(out);
}

int find_form(const std::vector<Form> &forms, const std::u16string &name)
{
    for (size_t i = 0; i < forms.size(); ++i)
        if (qmr::CompareNoCase(forms[i].name, name) == 0)
            return (int)i;
    return -1;
}

/* True when a built-in form has that name. */
bool builtin_name(const std::u16string &name)
{
    DWORD count = 0;
    const qmspl::BuiltinForm *builtin = qmspl::BuiltinForms(&count);
    for (DWORD i = 0; i < count; ++i)
        if (qmr::CompareNoCase(builtin[i].name, name) == 0)
            return true;
    return false;
}

/* Loads the user forms and finds the one a change names: ERROR_SUCCESS with its index,
 * ERROR_INVALID_PARAMETER for a built-in form, ERROR_INVALID_FORM_NAME when there is none.
 * The caller holds the store lock exclusively. */
DWORD find_user_form(LPCWSTR name, std::vector<Form> *user, int *at)
{
    if (!load_user_forms(user))
        return ERROR_BADDB;
    *at = find_form(*user, name);
    if (*at >= 0)
        return ERROR_SUCCESS;
    return builtin_name(name) ? ERROR_INVALID_PARAMETER : ERROR_INVALID_FORM_NAME;
}

void fill_form(qmspl::Packer *p, BYTE *entry, const Form &f)
{
    LPWSTR name = qmspl::PackString(p, f.name);
    if (!entry)
        return;
    FORM_INFO_1W *info = (FORM_INFO_1W *)entry;
    info->Flags = f.flags;
    info->pName = name;
    info->Size = f.size;
    info->ImageableArea = f.area;
}

/* Checks a caller's FORM_INFO_1W for AddFormW/SetFormW and converts it. */
DWORD form_from_caller(DWORD Level, LPBYTE pForm, Form *out)
{
    if (Level != 1)
        return ERROR_INVALID_LEVEL;
    const FORM_INFO_1W *info = (const FORM_INFO_1W *)pForm;
    if (!info || !info->pName || !*info->pName || (info->Flags & FORM_BUILTIN))
        return ERROR_INVALID_PARAMETER;
    const RECTL &a = info->ImageableArea;
    if (info->Size.cx <= 0 || info->Size.cy <= 0 || a.left < 0 || a.top < 0 || a.left >= a.right || a.top >= a.bottom ||
        a.right > info->Size.cx || a.bottom > info->Size.cy)
        return ERROR_INVALID_FORM_SIZE;
    *out = Form{info->Flags & FORM_PRINTER, info->pName, info->Size, info->ImageableArea};
    return ERROR_SUCCESS;
}

/* Resolves a handle (printer or server) for a change of forms. */
bool changeable(HANDLE hPrinter)
{
    if (!qmspl::LookupHandle(hPrinter))
        return false;
    if (qmspl::AdministrationDenied()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

} // namespace

/* Level 1: the built-in forms in DMPAPER order, then the forms users added, with the
 * size protocol. Works on printer and server handles. */
extern "C" BOOL WINAPI EnumFormsW(HANDLE hPrinter, DWORD Level, LPBYTE pForm, DWORD cbBuf, LPDWORD pcbNeeded,
                                  LPDWORD pcReturned)
{
    if (!qmspl::LookupHandle(hPrinter))
        return FALSE;
    if (!pcbNeeded || !pcReturned)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    *pcReturned = 0;
    if (Level != 1)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    std::vector<Form> forms;
    if (!read_forms(&forms))
        return qmspl::Fail(ERROR_BADDB);
    BOOL ok = qmspl::PackEntries((DWORD)forms.size(),
                                 sizeof(FORM_INFO_1W),
                                 pForm,
                                 cbBuf,
                                 pcbNeeded,
                                 [&](qmspl::Packer *p, BYTE *entry, DWORD i) { fill_form(p, entry, forms[i]); });
    if (ok)
        *pcReturned = (DWORD)forms.size();
    return ok;
}

/* Level 1: the form of that name (without case), with the size protocol;
 * ERROR_INVALID_FORM_NAME when there is none. */
extern "C" BOOL WINAPI GetFormW(HANDLE hPrinter, LPWSTR pFormName, DWORD Level, LPBYTE pForm, DWORD cbBuf,
                                LPDWORD pcbNeeded)
{
    if (!qmspl::LookupHandle(hPrinter))
        return FALSE;
    if (!pcbNeeded || !pFormName)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    if (Level != 1)
        return qmspl::Fail(ERROR_INVALID_LEVEL);
    std::vector<Form> forms;
    if (!read_forms(&forms))
        return qmspl::Fail(ERROR_BADDB);
    int i = find_form(forms, pFormName);
    if (i < 0)
        return qmspl::Fail(ERROR_INVALID_FORM_NAME);
    return qmspl::PackEntries(
        1, sizeof(FORM_INFO_1W), pForm, cbBuf, pcbNeeded, [&](qmspl::Packer *p, BYTE *entry, DWORD) {
            fill_form(p, entry, forms[i]);
        });
}

/* Level 1: adds a user form (flags FORM_USER or FORM_PRINTER). ERROR_FILE_EXISTS for a
 * known name, ERROR_INVALID_FORM_SIZE for a size or imageable area that does not fit,
 * ERROR_ACCESS_DENIED while administration is refused. */
extern "C" BOOL WINAPI AddFormW(HANDLE hPrinter, DWORD Level, LPBYTE pForm)
{
    if (!changeable(hPrinter))
        return FALSE;
    Form form;
    DWORD rc = form_from_caller(Level, pForm, &form);
    if (rc != ERROR_SUCCESS)
        return qmspl::Fail(rc);
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::vector<Form> user;
    if (!load_user_forms(&user))
        return qmspl::Fail(ERROR_BADDB);
    if (find_form(user, form.name) >= 0 || builtin_name(form.name))
        return qmspl::Fail(ERROR_FILE_EXISTS);
    user.push_back(form);
    return save_user_forms(user) ? TRUE : qmspl::Fail(ERROR_CANTWRITE);
}

/* Level 1: replaces the user form pFormName (it may be renamed to a free name).
 * Built-in forms are refused with ERROR_INVALID_PARAMETER; ERROR_INVALID_FORM_NAME when
 * missing. */
extern "C" BOOL WINAPI SetFormW(HANDLE hPrinter, LPWSTR pFormName, DWORD Level, LPBYTE pForm)
{
    if (!changeable(hPrinter))
        return FALSE;
    if (!pFormName)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    Form form;
    DWORD rc = form_from_caller(Level, pForm, &form);
    if (rc != ERROR_SUCCESS)
        return qmspl::Fail(rc);
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::vector<Form> user;
    int at = -1;
    rc = find_user_form(pFormName, &user, &at);
    if (rc != ERROR_SUCCESS)
        return qmspl::Fail(rc);
    int same = find_form(user, form.name);
    if ((same >= 0 && same != at) || (same < 0 && builtin_name(form.name)))
        return qmspl::Fail(ERROR_FILE_EXISTS);
    user[at] = form;
    return save_user_forms(user) ? TRUE : qmspl::Fail(ERROR_CANTWRITE);
}

/* Deletes a user form; built-in forms are refused (ERROR_INVALID_PARAMETER). */
extern "C" BOOL WINAPI DeleteFormW(HANDLE hPrinter, LPWSTR pFormName)
{
    if (!changeable(hPrinter))
        return FALSE;
    if (!pFormName)
        return qmspl::Fail(ERROR_INVALID_PARAMETER);
    qmr::StoreLock lock(qmspl::LockPath(), true);
    std::vector<Form> user;
    int at = -1;
    DWORD rc = find_user_form(pFormName, &user, &at);
    if (rc != ERROR_SUCCESS)
        return qmspl::Fail(rc);
    user.erase(user.begin() + at);
    return save_user_forms(user) ? TRUE : qmspl::Fail(ERROR_CANTWRITE);
}
