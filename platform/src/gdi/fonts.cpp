/*
 * Installed fonts and character sets: EnumFontFamiliesW over the families a test or tool
 * declares installed (none by default), TranslateCharsetInfo over the Windows character
 * set table.
 */
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/src/gdi/gdi_private.h"
#include "platform/testing/qm_testing_gdi.h"

namespace {

std::mutex &familyLock()
{
    static std::mutex lock;
    return lock;
}

/* An installed face: family, full name, font type. */
struct Face {
    std::u16string family;
    std::u16string fullName;
    DWORD fontType;
};

std::vector<Face> &faces()
{
    static std::vector<Face> list;
    return list;
}

/* One row of the character set table: set, code page, font-signature code-page bit. */
struct CharsetRow {
    UINT charset;
    UINT codePage;
    DWORD csbBit;
};

const CharsetRow kCharsets[] = {
    {ANSI_CHARSET, 1252, 0},
    {EASTEUROPE_CHARSET, 1250, 1},
    {RUSSIAN_CHARSET, 1251, 2},
    {GREEK_CHARSET, 1253, 3},
    {TURKISH_CHARSET, 1254, 4},
    {HEBREW_CHARSET, 1255, 5},
    {ARABIC_CHARSET, 1256, 6},
    {BALTIC_CHARSET, 1257, 7},
    {VIETNAMESE_CHARSET, 1258, 8},
    {THAI_CHARSET, 874, 16},
    {SHIFTJIS_CHARSET, 932, 17},
    {GB2312_CHARSET, 936, 18},
    {HANGUL_CHARSET, 949, 19},
    {CHINESEBIG5_CHARSET, 950, 20},
    {JOHAB_CHARSET, 1361, 21},
    {SYMBOL_CHARSET, 42, 31},
};

} // namespace

extern "C" BOOL qmt_SetInstalledFontFamilies(const LPCWSTR *names, DWORD count)
{
    std::lock_guard<std::mutex> guard(familyLock());
    try {
        std::vector<Face> list;
        for (DWORD i = 0; i < count; ++i)
            list.push_back(Face{names[i], names[i], TRUETYPE_FONTTYPE});
        faces().swap(list);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL qmt_SetInstalledFonts(const QmtFontFace *installed, DWORD count)
{
    std::lock_guard<std::mutex> guard(familyLock());
    try {
        std::vector<Face> list;
        for (DWORD i = 0; i < count; ++i)
            list.push_back(Face{installed[i].family, installed[i].fullName, installed[i].fontType});
        faces().swap(list);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

/* EnumFontFamiliesW: see wingdi.h. Without a family, the first face of each family; with
 * one, every face of that family. Each comes as an ENUMLOGFONTW of the ANSI character set
 * (family in lfFaceName, its full name) with its font type. */
extern "C" int WINAPI EnumFontFamiliesW(HDC hdc, LPCWSTR lpszFamily, FONTENUMPROCW lpProc, LPARAM lParam)
{
    if (!qmg::IsDisplayDC(hdc) || lpProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::vector<Face> list;
    {
        std::lock_guard<std::mutex> guard(familyLock());
        list = faces();
    }
    int answer = 1;
    std::vector<std::u16string> reported;
    for (const Face &face : list) {
        if (lpszFamily != nullptr && lstrcmpiW(lpszFamily, (LPCWSTR)face.family.c_str()) != 0)
            continue;
        if (lpszFamily == nullptr) {
            bool seen = false;
            for (const std::u16string &family : reported)
                seen = seen || family == face.family;
            if (seen)
                continue;
            reported.push_back(face.family);
        }
        ENUMLOGFONTW elf = {};
        elf.elfLogFont.lfCharSet = ANSI_CHARSET;
        elf.elfLogFont.lfWeight = FW_NORMAL;
        lstrcpynW(elf.elfLogFont.lfFaceName, (LPCWSTR)face.family.c_str(), LF_FACESIZE);
        lstrcpynW(elf.elfFullName, (LPCWSTR)face.fullName.c_str(), LF_FULLFACESIZE);
        TEXTMETRICW tm = {};
        tm.tmWeight = FW_NORMAL;
        answer = lpProc(&elf.elfLogFont, &tm, face.fontType, lParam);
        if (answer == 0)
            break;
    }
    return answer;
}

/* TranslateCharsetInfo: see wingdi.h. Only TCI_SRCCHARSET is answered. */
extern "C" BOOL WINAPI TranslateCharsetInfo(DWORD *lpSrc, LPCHARSETINFO lpCs, DWORD dwFlags)
{
    if (lpCs == nullptr || dwFlags != TCI_SRCCHARSET)
        return FALSE;
    UINT charset = (UINT)(ULONG_PTR)lpSrc;
    for (const CharsetRow &row : kCharsets) {
        if (row.charset != charset)
            continue;
        *lpCs = CHARSETINFO{};
        lpCs->ciCharset = row.charset;
        lpCs->ciACP = row.codePage;
        lpCs->fs.fsCsb[0] = 1u << row.csbBit;
        return TRUE;
    }
    return FALSE;
}
