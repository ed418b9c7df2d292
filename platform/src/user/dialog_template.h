/*
 * Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) read into plain records, within the
 * resource's size: a template that runs past its end, or holds a string without its
 * terminator, is refused as a whole before any window exists.
 */
#ifndef QM_PLATFORM_SRC_USER_DIALOG_TEMPLATE_H
#define QM_PLATFORM_SRC_USER_DIALOG_TEMPLATE_H

#include <windows.h>

#include <string>
#include <vector>

namespace qmu {

/* A name or an ordinal of a template (menu, class, title). */
struct TemplateName {
    bool present;
    bool isOrdinal;
    WORD ordinal;
    std::u16string text;
};

struct TemplateItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    TemplateName cls;
    TemplateName title;
    std::vector<BYTE> creationData; /* with its leading size WORD, as the control receives it */
};

struct DialogTemplate {
    bool extended;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    TemplateName menu;
    TemplateName cls;
    TemplateName title;
    bool hasFont;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::u16string typeface;
    std::vector<TemplateItem> items;
};

/* Reads a template of `size` bytes (size 0: trusted, read as far as the template says,
 * for the indirect calls that give no size). False for a broken template. */
bool ParseDialogTemplate(const BYTE *data, size_t size, DialogTemplate *out);

/* The built-in class of a template ordinal (0x80 Button ... 0x85 ComboBox); NULL for others. */
LPCWSTR OrdinalClassName(WORD ordinal);

} // namespace qmu

#endif /* QM_PLATFORM_SRC_USER_DIALOG_TEMPLATE_H */
