/*
 * The stamp dialog's font list: the full names of the installed TrueType faces, each once,
 * gathered by two font enumeration callbacks.
 */
#include "core/stamps/stamp_store.h"

#include <string.h>

int CALLBACK ureg_EnumFamilyFaces(const LOGFONTW *font, const TEXTMETRICW *metrics, DWORD fontType, LPARAM lParam)
{
    (void)metrics;
    FontFaceList *list = (FontFaceList *)lParam;
    if (!list || !font || !list->ok)
        return 0;
    if (!(fontType & TRUETYPE_FONTTYPE))
        return 1;
    HDC dc = GetDC(NULL);
    if (!dc)
        return 1;
    EnumFontFamiliesW(dc, font->lfFaceName, ureg_CollectTrueTypeFace, lParam);
    ReleaseDC(NULL, dc);
    return list->ok ? 1 : 0;
}

int CALLBACK ureg_CollectTrueTypeFace(const LOGFONTW *font, const TEXTMETRICW *metrics, DWORD fontType, LPARAM lParam)
{
    (void)metrics;
    FontFaceList *list = (FontFaceList *)lParam;
    if (!list || !font || !list->ok)
        return 0;
    if (!(fontType & TRUETYPE_FONTTYPE))
        return 1;
    const ENUMLOGFONTW *full = (const ENUMLOGFONTW *)font;
    DWORD chars = 0;
    while (chars < LF_FULLFACESIZE && full->elfFullName[chars])
        ++chars;
    FontFaceNode **tail = &list->faces;
    for (; *tail; tail = &(*tail)->next) {
        const WCHAR *face = (*tail)->face;
        if ((DWORD)lstrlenW(face) == chars && memcmp(face, full->elfFullName, chars * sizeof(WCHAR)) == 0)
            return 1;
    }
    FontFaceNode *node = (FontFaceNode *)GlobalAlloc(GPTR, sizeof(FontFaceNode));
    WCHAR *face = (WCHAR *)GlobalAlloc(GPTR, (chars + 1) * sizeof(WCHAR));
    if (!node || !face) {
        if (node)
            GlobalFree(node);
        if (face)
            GlobalFree(face);
        list->ok = FALSE;
        return 0;
    }
    memcpy(face, full->elfFullName, chars * sizeof(WCHAR));
    node->face = face;
    *tail = node;
    list->totalBytes += (chars + 1) * (DWORD)sizeof(WCHAR);
    list->count += 1;
    return 1;
}

void ureg_FreeFontFaceList(FontFaceList **list)
{
    if (!list || !*list)
        return;
    FontFaceNode *node = (*list)->faces;
    while (node) {
        FontFaceNode *next = node->next;
        if (node->face)
            GlobalFree(node->face);
        GlobalFree(node);
        node = next;
    }
    for (int i = 0; i < 2; ++i)
        if ((*list)->buffers[i])
            GlobalFree((*list)->buffers[i]);
    GlobalFree(*list);
    *list = NULL;
}
