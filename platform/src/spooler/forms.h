/* The spooler's forms: the built-in table and the forms users add. */
#ifndef QM_SPOOLER_FORMS_H
#define QM_SPOOLER_FORMS_H

#include <windows.h>

namespace qmspl {

/* One built-in form: name and size in thousandths of a millimetre. */
struct BuiltinForm {
    const char16_t *name;
    LONG cx, cy;
};

/* The built-in forms in DMPAPER order (entry i - 1 is paper i); *count receives their number. */
const BuiltinForm *BuiltinForms(DWORD *count);

} // namespace qmspl

#endif
