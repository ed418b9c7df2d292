/*
 * Pictures of windows: a window and its visible children drawn into a 32-bit raster in
 * one fixed classic look, and written as a PNG (qmt_RenderWindowPng), so that a person can
 * see what a dialog or sheet shows.
 *
 * Text follows the display's text-cell rule (gdi_private.h); glyph pixels come from the
 * Unifont .hex file (QM_UNIFONT_HEX, else the system's copy), each 16-pixel glyph scaled
 * to the cell by nearest pixel; a character without a glyph is drawn as a box. Disabled
 * text is grey, password edits show '*', a window with a caption gets a title bar above
 * its client area.
 */
#include <windows.h>

#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/src/gdi/gdi_private.h"
#include "platform/src/user/user_private.h"
#include "platform/testing/qm_testing_gdi.h"
#include "platform/testing/qm_testing_user.h"

namespace {

using qmu::Window;

const char kDefaultHexPath[] = "/usr/share/unifont/unifont.hex";
const int kGlyphRows = 16;
const int kCaptionHeight = 18;

/* The fixed colours of the look (0x00RRGGBB). */
const DWORD kFace = 0xC0C0C0;
const DWORD kHighlight = 0xFFFFFF;
const DWORD kShadow = 0x808080;
const DWORD kDarkShadow = 0x000000;
const DWORD kWindow = 0xFFFFFF;
const DWORD kText = 0x000000;
const DWORD kGrayText = 0x808080;
const DWORD kSelection = 0x000080;
const DWORD kSelectionText = 0xFFFFFF;
const DWORD kCaption = 0x000080;

struct Glyph {
    int width;                       /* 8 or 16 */
    std::vector<unsigned char> rows; /* width / 8 bytes per row, 16 rows */
};

std::once_flag g_fontOnce;
std::map<char16_t, Glyph> g_glyphs;

int pic_Hex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

/* Reads the glyphs of the Basic Multilingual Plane from the .hex file (once). */
void pic_LoadFont()
{
    const char *path = getenv("QM_UNIFONT_HEX");
    FILE *f = fopen(path && *path ? path : kDefaultHexPath, "r");
    if (!f)
        return;
    char line[160];
    while (fgets(line, sizeof(line), f)) {
        char *colon = strchr(line, ':');
        if (!colon || colon - line != 4)
            continue;
        unsigned code = 0;
        bool ok = true;
        for (int i = 0; i < 4; ++i) {
            int d = pic_Hex(line[i]);
            ok = ok && d >= 0;
            code = code * 16 + (unsigned)(d < 0 ? 0 : d);
        }
        const char *hex = colon + 1;
        size_t digits = 0;
        while (pic_Hex(hex[digits]) >= 0)
            ++digits;
        if (!ok || (digits != 32 && digits != 64))
            continue;
        Glyph g;
        g.width = digits == 32 ? 8 : 16;
        for (size_t i = 0; i < digits; i += 2)
            g.rows.push_back((unsigned char)(pic_Hex(hex[i]) * 16 + pic_Hex(hex[i + 1])));
        g_glyphs[(char16_t)code] = g;
    }
    fclose(f);
}

const Glyph *pic_Glyph(char16_t c)
{
    std::call_once(g_fontOnce, pic_LoadFont);
    auto it = g_glyphs.find(c);
    return it == g_glyphs.end() ? nullptr : &it->second;
}

struct Canvas {
    int width;
    int height;
    std::vector<DWORD> pixels;
    RECT clip;
};

void pic_Pixel(Canvas *c, int x, int y, DWORD color)
{
    if (x < c->clip.left || y < c->clip.top || x >= c->clip.right || y >= c->clip.bottom)
        return;
    c->pixels[(size_t)y * (size_t)c->width + (size_t)x] = color;
}

void pic_Fill(Canvas *c, RECT r, DWORD color)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            pic_Pixel(c, x, y, color);
}

void pic_Frame(Canvas *c, RECT r, DWORD topLeft, DWORD bottomRight)
{
    for (int x = r.left; x < r.right; ++x) {
        pic_Pixel(c, x, r.top, topLeft);
        pic_Pixel(c, x, r.bottom - 1, bottomRight);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        pic_Pixel(c, r.left, y, topLeft);
        pic_Pixel(c, r.right - 1, y, bottomRight);
    }
}

RECT pic_Inset(RECT r, int n)
{
    return {r.left + n, r.top + n, r.right - n, r.bottom - n};
}

void pic_Raised(Canvas *c, RECT r)
{
    pic_Frame(c, r, kHighlight, kDarkShadow);
    pic_Frame(c, pic_Inset(r, 1), kFace, kShadow);
}

void pic_Sunken(Canvas *c, RECT r)
{
    pic_Frame(c, r, kShadow, kHighlight);
    pic_Frame(c, pic_Inset(r, 1), kDarkShadow, kFace);
}

int pic_CharWidth(const qmg::TextCell &cell, char16_t ch)
{
    const Glyph *g = pic_Glyph(ch);
    return (g && g->width == 16) ? cell.halfWidth * 2 : cell.halfWidth;
}

int pic_TextWidth(const qmg::TextCell &cell, const std::u16string &text)
{
    int w = 0;
    for (char16_t ch : text)
        w += pic_CharWidth(cell, ch);
    return w;
}

/* Draws text with its cell's top-left at (x, y); '&' marks the next character (dropped). */
void pic_Text(Canvas *c, const qmg::TextCell &cell, int x, int y, const std::u16string &text, DWORD color)
{
    int leading = cell.height - cell.pixelHeight;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t ch = text[i];
        if (ch == u'&' && i + 1 < text.size()) {
            if (text[i + 1] != u'&')
                continue;
            ++i;
        }
        int w = pic_CharWidth(cell, ch);
        const Glyph *g = pic_Glyph(ch);
        if (!g) {
            pic_Frame(c, {x + 1, y + leading, x + w - 1, y + cell.height}, color, color);
        } else {
            int bytes = g->width / 8;
            for (int py = 0; py < cell.pixelHeight; ++py) {
                int gy = py * kGlyphRows / cell.pixelHeight;
                for (int px = 0; px < w; ++px) {
                    int gx = px * g->width / w;
                    unsigned char bits = g->rows[(size_t)(gy * bytes + gx / 8)];
                    if (bits & (0x80 >> (gx % 8)))
                        pic_Pixel(c, x + px, y + leading + py, color);
                }
            }
        }
        x += w;
    }
}

qmg::TextCell pic_CellOf(const Window *w)
{
    const qmg::Font *f = qmg::FindFont(w->font);
    return qmg::CellOfHeight(f ? f->log.lfHeight : 0);
}

bool pic_IsClass(const Window *w, const char16_t *name)
{
    return lstrcmpiW(w->cls->name.c_str(), name) == 0;
}

void pic_Button(Canvas *c, const Window *w, RECT r, DWORD textColor, const qmg::TextCell &cell)
{
    DWORD type = w->style & BS_TYPEMASK;
    int textY = (r.top + r.bottom - cell.height) / 2;
    if (type == BS_GROUPBOX) {
        RECT box = {r.left, r.top + cell.height / 2, r.right, r.bottom};
        pic_Frame(c, box, kShadow, kHighlight);
        pic_Frame(c, pic_Inset(box, 1), kHighlight, kShadow);
        int tw = pic_TextWidth(cell, w->text);
        pic_Fill(c, {r.left + 8, r.top, r.left + 10 + tw, r.top + cell.height}, kFace);
        pic_Text(c, cell, r.left + 9, r.top, w->text, textColor);
        return;
    }
    bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
    bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    if (check || radio) {
        int size = 13;
        int top = (r.top + r.bottom - size) / 2;
        RECT box = {r.left, top, r.left + size, top + size};
        pic_Fill(c, box, (w->style & WS_DISABLED) ? kFace : kWindow);
        pic_Sunken(c, box);
        if (w->check && check) {
            DWORD mark = w->check == BST_INDETERMINATE ? kShadow : kText;
            for (int i = 0; i < 7; ++i) {
                int x = box.left + 3 + i;
                int y = i < 3 ? box.top + 5 + i : box.top + 7 - (i - 2) + 2;
                pic_Fill(c, {x, y, x + 1, y + 3}, mark);
            }
        }
        if (w->check && radio)
            pic_Fill(c, {box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, kText);
        pic_Text(c, cell, box.right + 4, textY, w->text, textColor);
        return;
    }
    pic_Fill(c, r, kFace);
    pic_Raised(c, r);
    if (type == BS_DEFPUSHBUTTON) {
        pic_Frame(c, r, kDarkShadow, kDarkShadow);
        pic_Raised(c, pic_Inset(r, 1));
    }
    int tw = pic_TextWidth(cell, w->text);
    pic_Text(c, cell, (r.left + r.right - tw) / 2, textY, w->text, textColor);
}

void pic_Items(Canvas *c, const Window *w, RECT inner, const qmg::TextCell &cell)
{
    int y = inner.top;
    for (size_t i = (size_t)(w->topIndex < 0 ? 0 : w->topIndex); i < w->items.size() && y < inner.bottom; ++i) {
        int h = w->itemHeight ? (int)w->itemHeight : cell.height;
        bool selected = (int)i == w->current || w->items[i].selected;
        if (selected)
            pic_Fill(c, {inner.left, y, inner.right, y + h}, kSelection);
        pic_Text(c,
                 cell,
                 inner.left + 2,
                 y + (h - cell.height) / 2,
                 w->items[i].text,
                 selected ? kSelectionText : ((w->style & WS_DISABLED) ? kGrayText : kText));
        y += h;
    }
}

void pic_Arrow(Canvas *c, RECT r, bool down)
{
    pic_Fill(c, r, kFace);
    pic_Raised(c, r);
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        int y = down ? cy - 1 + i : cy + 2 - i;
        pic_Fill(c, {cx - 3 + i, y, cx + 4 - i, y + 1}, kText);
    }
}

void pic_Window(Canvas *c, HWND hwnd, int originX, int originY, bool root)
{
    Window *w = qmu::Find(hwnd);
    if (!w || (!root && !(w->style & WS_VISIBLE) && !w->parent))
        return;
    if (!root && !(w->style & WS_VISIBLE))
        return;
    RECT r = {originX, originY, originX + (w->rect.right - w->rect.left), originY + (w->rect.bottom - w->rect.top)};
    RECT savedClip = c->clip;
    c->clip = {std::max(c->clip.left, r.left),
               std::max(c->clip.top, r.top),
               std::min(c->clip.right, r.right),
               std::min(c->clip.bottom, r.bottom)};
    qmg::TextCell cell = pic_CellOf(w);
    bool disabled = (w->style & WS_DISABLED) != 0;
    DWORD textColor = disabled ? kGrayText : kText;
    if (w->dialog || root || (w->style & WS_CHILD) == 0) {
        pic_Fill(c, r, kFace);
    } else if (pic_IsClass(w, u"Button")) {
        pic_Button(c, w, r, textColor, cell);
    } else if (pic_IsClass(w, u"Static")) {
        DWORD type = w->style & SS_TYPEMASK;
        if (type == SS_ICON || type == SS_BITMAP) {
            if (w->image)
                pic_Frame(c, r, kShadow, kShadow);
        } else if (type == SS_ETCHEDHORZ) {
            pic_Frame(c, {r.left, r.top, r.right, r.top + 2}, kShadow, kHighlight);
        } else {
            int tw = pic_TextWidth(cell, w->text);
            int x = (w->style & SS_TYPEMASK) == SS_CENTER  ? (r.left + r.right - tw) / 2
                    : (w->style & SS_TYPEMASK) == SS_RIGHT ? r.right - tw
                                                           : r.left;
            pic_Text(c, cell, x, r.top, w->text, textColor);
        }
    } else if (pic_IsClass(w, u"Edit")) {
        pic_Fill(c, r, disabled || (w->style & ES_READONLY) ? kFace : kWindow);
        pic_Sunken(c, r);
        std::u16string shown = w->passwordChar ? std::u16string(w->text.size(), w->passwordChar) : w->text;
        pic_Text(c, cell, r.left + 3, (r.top + r.bottom - cell.height) / 2, shown, textColor);
    } else if (pic_IsClass(w, u"ListBox")) {
        pic_Fill(c, r, kWindow);
        pic_Sunken(c, r);
        RECT inner = pic_Inset(r, 2);
        c->clip = {std::max(c->clip.left, inner.left),
                   std::max(c->clip.top, inner.top),
                   std::min(c->clip.right, inner.right),
                   std::min(c->clip.bottom, inner.bottom)};
        pic_Items(c, w, inner, cell);
    } else if (pic_IsClass(w, u"ComboBox")) {
        int fieldHeight = cell.height + 8;
        RECT field = {r.left, r.top, r.right, r.top + fieldHeight};
        pic_Fill(c, field, disabled ? kFace : kWindow);
        pic_Sunken(c, field);
        int arrow = fieldHeight - 4;
        pic_Arrow(c, {field.right - 2 - arrow, field.top + 2, field.right - 2, field.bottom - 2}, true);
        std::u16string shown = w->text;
        if ((w->style & 3) == CBS_DROPDOWNLIST)
            shown = w->current >= 0 ? w->items[(size_t)w->current].text : u"";
        pic_Text(c, cell, field.left + 3, field.top + 4, shown, textColor);
    } else if (pic_IsClass(w, u"SysTabControl32")) {
        const int row = 20;
        RECT body = {r.left, r.top + row, r.right, r.bottom};
        pic_Frame(c, body, kHighlight, kDarkShadow);
        pic_Frame(c, pic_Inset(body, 1), kFace, kShadow);
        int x = r.left;
        for (size_t i = 0; i < w->items.size(); ++i) {
            bool current = (int)i == w->current;
            int tw = pic_TextWidth(cell, w->items[i].text) + 12;
            RECT tab = {x, r.top + (current ? 0 : 2), x + tw, r.top + row + (current ? 1 : 0)};
            pic_Fill(c, tab, kFace);
            for (int tx = tab.left; tx < tab.right; ++tx)
                pic_Pixel(c, tx, tab.top, kHighlight);
            for (int ty = tab.top; ty < tab.bottom; ++ty) {
                pic_Pixel(c, tab.left, ty, kHighlight);
                pic_Pixel(c, tab.right - 1, ty, kDarkShadow);
            }
            pic_Text(c, cell, tab.left + 6, tab.top + (row - 2 - cell.height) / 2 + 1, w->items[i].text, kText);
            x += tw;
        }
    } else if (pic_IsClass(w, u"msctls_trackbar32")) {
        // A channel across the middle and a raised thumb at the left (positions are the
        // control's own; the picture shows the control, not its value).
        int mid = (r.top + r.bottom) / 2;
        pic_Sunken(c, {r.left + 4, mid - 2, r.right - 4, mid + 2});
        RECT thumb = {r.left + 4, r.top + 2, r.left + 15, r.bottom - 2};
        pic_Fill(c, thumb, kFace);
        pic_Raised(c, thumb);
    } else if (pic_IsClass(w, u"msctls_updown32")) {
        int mid = (r.top + r.bottom) / 2;
        pic_Arrow(c, {r.left, r.top, r.right, mid}, false);
        pic_Arrow(c, {r.left, mid, r.right, r.bottom}, true);
    } else if (pic_IsClass(w, u"tooltips_class32")) {
        // Tips are never shown.
    } else if (pic_IsClass(w, u"ScrollBar")) {
        pic_Fill(c, r, 0xE0E0E0);
        bool vertical = (w->style & SBS_VERT) != 0;
        int side = vertical ? r.right - r.left : r.bottom - r.top;
        if (vertical) {
            pic_Arrow(c, {r.left, r.top, r.right, r.top + side}, false);
            pic_Arrow(c, {r.left, r.bottom - side, r.right, r.bottom}, true);
        } else {
            pic_Fill(c, {r.left, r.top, r.left + side, r.bottom}, kFace);
            pic_Raised(c, {r.left, r.top, r.left + side, r.bottom});
            pic_Fill(c, {r.right - side, r.top, r.right, r.bottom}, kFace);
            pic_Raised(c, {r.right - side, r.top, r.right, r.bottom});
        }
    } else {
        pic_Fill(c, r, kFace);
        pic_Frame(c, r, kShadow, kShadow);
    }
    for (HWND child : w->children) {
        Window *cw = qmu::Find(child);
        if (cw)
            pic_Window(c, child, r.left + cw->rect.left, r.top + cw->rect.top, false);
    }
    c->clip = savedClip;
}

bool pic_WritePng(const Canvas &c, const char *path)
{
    FILE *f = fopen(path, "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png,
                 info,
                 (png_uint_32)c.width,
                 (png_uint_32)c.height,
                 8,
                 PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row((size_t)c.width * 3);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            DWORD p = c.pixels[(size_t)y * (size_t)c.width + (size_t)x];
            row[(size_t)x * 3] = (png_byte)(p >> 16);
            row[(size_t)x * 3 + 1] = (png_byte)(p >> 8);
            row[(size_t)x * 3 + 2] = (png_byte)p;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(f) == 0;
}

} // namespace

extern "C" BOOL qmt_RenderWindow(HWND hwnd, DWORD *pixels, int *width, int *height, DWORD capacity)
{
    Window *w = qmu::Find(hwnd);
    if (!w || !width || !height)
        return FALSE;
    bool caption = (w->style & WS_CAPTION) == WS_CAPTION;
    Canvas c;
    c.width = w->rect.right - w->rect.left;
    int top = caption ? kCaptionHeight : 0;
    c.height = w->rect.bottom - w->rect.top + top;
    *width = c.width;
    *height = c.height;
    if (c.width <= 0 || c.height <= 0 || !pixels || capacity < (DWORD)(c.width * c.height))
        return pixels == nullptr && c.width > 0 && c.height > 0;
    c.pixels.assign((size_t)c.width * (size_t)c.height, kFace);
    c.clip = {0, 0, c.width, c.height};
    if (caption) {
        pic_Fill(&c, {0, 0, c.width, kCaptionHeight}, kCaption);
        qmg::TextCell cell = pic_CellOf(w);
        pic_Text(&c, cell, 4, (kCaptionHeight - cell.height) / 2, w->text, kSelectionText);
    }
    pic_Window(&c, hwnd, 0, top, true);
    memcpy(pixels, c.pixels.data(), c.pixels.size() * sizeof(DWORD));
    return TRUE;
}

extern "C" BOOL qmt_SaveBitmapPng(HBITMAP bitmap, const char *path)
{
    Canvas c;
    {
        std::lock_guard<std::recursive_mutex> guard(qmg::Lock());
        qmg::Bitmap *b = static_cast<qmg::Bitmap *>(qmg::Find(bitmap, qmg::kBitmap));
        if (!b || !path)
            return FALSE;
        c.width = b->width;
        c.height = b->height;
        for (LONG y = 0; y < b->height; ++y)
            for (LONG x = 0; x < b->width; ++x)
                c.pixels.push_back(qmg::PixelOf(b, x, y));
    }
    return pic_WritePng(c, path) ? TRUE : FALSE;
}

extern "C" BOOL qmt_RenderWindowPng(HWND hwnd, const char *path)
{
    int width = 0, height = 0;
    if (!path || !qmt_RenderWindow(hwnd, nullptr, &width, &height, 0))
        return FALSE;
    Canvas c;
    c.width = width;
    c.height = height;
    c.pixels.resize((size_t)width * (size_t)height);
    if (!qmt_RenderWindow(hwnd, c.pixels.data(), &width, &height, (DWORD)c.pixels.size()))
        return FALSE;
    return pic_WritePng(c, path) ? TRUE : FALSE;
}
