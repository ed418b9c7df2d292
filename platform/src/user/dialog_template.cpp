/*
 * The dialog template reader: header, menu, class, title, font, then the items, each
 * aligned to a DWORD from the template's start; every read is bounded by the size.
 */
#include "platform/src/user/dialog_template.h"

#include <string.h>

namespace {

/* Template sizes the indirect calls do not give: reads stop at this many bytes. */
const size_t kTrustedSize = 0x10000;
const WORD kExtendedSignature = 0xFFFF;

/* The classes of template ordinals 0x80 to 0x85. */
const char16_t *const kOrdinalClasses[] = {u"Button", u"Edit", u"Static", u"ListBox", u"ScrollBar", u"ComboBox"};

struct Reader {
    const BYTE *data;
    size_t size;
    size_t at;
    bool ok;
};

void tmpl_Read(Reader *r, void *out, size_t n)
{
    if (!r->ok || n > r->size - r->at) {
        r->ok = false;
        memset(out, 0, n);
        return;
    }
    memcpy(out, r->data + r->at, n);
    r->at += n;
}

WORD tmpl_Word(Reader *r)
{
    WORD w;
    tmpl_Read(r, &w, sizeof(w));
    return w;
}

DWORD tmpl_Dword(Reader *r)
{
    DWORD d;
    tmpl_Read(r, &d, sizeof(d));
    return d;
}

short tmpl_Short(Reader *r)
{
    short s;
    tmpl_Read(r, &s, sizeof(s));
    return s;
}

void tmpl_Align(Reader *r, size_t to)
{
    size_t aligned = (r->at + to - 1) & ~(to - 1);
    if (aligned > r->size)
        r->ok = false;
    else
        r->at = aligned;
}

void tmpl_String(Reader *r, std::u16string *out)
{
    out->clear();
    for (;;) {
        WORD c = tmpl_Word(r);
        if (!r->ok || c == 0)
            return;
        out->push_back((char16_t)c);
    }
}

/* A name or ordinal: 0x0000 none, 0xFFFF then the ordinal, else a string. */
void tmpl_Name(Reader *r, qmu::TemplateName *out)
{
    *out = qmu::TemplateName();
    WORD first = tmpl_Word(r);
    if (!r->ok || first == 0)
        return;
    out->present = true;
    if (first == 0xFFFF) {
        out->isOrdinal = true;
        out->ordinal = tmpl_Word(r);
        return;
    }
    out->text.push_back((char16_t)first);
    std::u16string rest;
    tmpl_String(r, &rest);
    out->text += rest;
}

} // namespace

namespace qmu {

LPCWSTR OrdinalClassName(WORD ordinal)
{
    if (ordinal < 0x80 || ordinal > 0x85)
        return nullptr;
    return kOrdinalClasses[ordinal - 0x80];
}

bool ParseDialogTemplate(const BYTE *data, size_t size, DialogTemplate *out)
{
    *out = DialogTemplate();
    if (!data)
        return false;
    Reader r = {data, size ? size : kTrustedSize, 0, true};
    WORD count;
    out->extended = size >= 4 || size == 0
                        ? (data[2] | (data[3] << 8)) == kExtendedSignature && data[0] == 1 && data[1] == 0
                        : false;
    if (out->extended) {
        tmpl_Word(&r); // version
        tmpl_Word(&r); // signature
        out->helpId = tmpl_Dword(&r);
        out->exStyle = tmpl_Dword(&r);
        out->style = tmpl_Dword(&r);
    } else {
        out->style = tmpl_Dword(&r);
        out->exStyle = tmpl_Dword(&r);
    }
    count = tmpl_Word(&r);
    out->x = tmpl_Short(&r);
    out->y = tmpl_Short(&r);
    out->cx = tmpl_Short(&r);
    out->cy = tmpl_Short(&r);
    tmpl_Name(&r, &out->menu);
    tmpl_Name(&r, &out->cls);
    tmpl_Name(&r, &out->title);
    out->hasFont = (out->style & DS_SETFONT) != 0;
    if (out->hasFont) {
        out->pointSize = tmpl_Word(&r);
        if (out->extended) {
            out->weight = tmpl_Word(&r);
            tmpl_Read(&r, &out->italic, 1);
            tmpl_Read(&r, &out->charset, 1);
        }
        tmpl_String(&r, &out->typeface);
    }
    for (WORD i = 0; i < count && r.ok; ++i) {
        TemplateItem item = {};
        tmpl_Align(&r, 4);
        if (out->extended) {
            item.helpId = tmpl_Dword(&r);
            item.exStyle = tmpl_Dword(&r);
            item.style = tmpl_Dword(&r);
        } else {
            item.style = tmpl_Dword(&r);
            item.exStyle = tmpl_Dword(&r);
        }
        item.x = tmpl_Short(&r);
        item.y = tmpl_Short(&r);
        item.cx = tmpl_Short(&r);
        item.cy = tmpl_Short(&r);
        item.id = out->extended ? tmpl_Dword(&r) : tmpl_Word(&r);
        tmpl_Name(&r, &item.cls);
        tmpl_Name(&r, &item.title);
        WORD extra = tmpl_Word(&r);
        if (extra && r.ok) {
            // The control receives the creation data after a word holding its size.
            item.creationData.resize(sizeof(WORD) + extra);
            memcpy(item.creationData.data(), &extra, sizeof(WORD));
            tmpl_Read(&r, item.creationData.data() + sizeof(WORD), extra);
        }
        if (!item.cls.present)
            r.ok = false;
        out->items.push_back(item);
    }
    return r.ok;
}

} // namespace qmu
