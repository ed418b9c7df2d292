/*
 * The handler rows named in the settings catalogue and the helpers the handlers share.
 * Private to core/handlers.
 */
#ifndef QM_CORE_HANDLERS_HANDLER_ROWS_H
#define QM_CORE_HANDLERS_HANDLER_ROWS_H

#include "core/handlers/setting_handlers.h"

/* Public fields (handlers_public.cpp). */
extern const SettingHandlerRow g_HandlerDeviceName;
extern const SettingHandlerRow g_HandlerSpecVersion;
extern const SettingHandlerRow g_HandlerVersionWord;
extern const SettingHandlerRow g_HandlerLayoutWord;
extern const SettingHandlerRow g_HandlerDmSize;
extern const SettingHandlerRow g_HandlerDriverExtra;
extern const SettingHandlerRow g_HandlerFields;
extern const SettingHandlerRow g_HandlerColor;
extern const SettingHandlerRow g_HandlerOrientation;
extern const SettingHandlerRow g_HandlerPaperSize;
extern const SettingHandlerRow g_HandlerPaperLength;
extern const SettingHandlerRow g_HandlerPaperWidth;
extern const SettingHandlerRow g_HandlerScale;
extern const SettingHandlerRow g_HandlerCopies;
extern const SettingHandlerRow g_HandlerDefaultSource;
extern const SettingHandlerRow g_HandlerDuplex;
extern const SettingHandlerRow g_HandlerTTOption;
extern const SettingHandlerRow g_HandlerCollate;
extern const SettingHandlerRow g_HandlerFormName;
extern const SettingHandlerRow g_HandlerIcmMethod;
extern const SettingHandlerRow g_HandlerIcmIntent;
extern const SettingHandlerRow g_HandlerMediaDither;
/* Private settings (handlers_private.cpp). */
extern const SettingHandlerRow g_HandlerModelName;
extern const SettingHandlerRow g_HandlerStampChoice;
extern const SettingHandlerRow g_HandlerFaceName;
extern const SettingHandlerRow g_HandlerStampFont;
extern const SettingHandlerRow g_HandlerStampFaceName;
extern const SettingHandlerRow g_HandlerSlotWidth;
extern const SettingHandlerRow g_HandlerSlotLength;
extern const SettingHandlerRow g_HandlerSlotName;
extern const SettingHandlerRow g_HandlerBlockSize;
extern const SettingHandlerRow g_HandlerByteSpec;

/* Hands a default back through the command-1 item. Returns 1, or 0 for a NULL item. */
BOOL hdl_ReturnDefault(SettingItem *item, WORD valueType, DWORD_PTR value);

/* A new zeroed string block of `bytes` bytes holding at most `chars` characters of text
 * (text may be NULL), handed back as a type-6 default. Returns 1, or 0 when out of memory. */
BOOL hdl_ReturnString(SettingItem *item, DWORD bytes, const WCHAR *text, DWORD chars);

/* The checked value of commands 2 and 16 read as a signed number of the type. */
LONG hdl_CheckedNumber(const SettingItem *item, WORD valueType);

/* The per-thread 256-character buffer for option texts; callers copy the text at once. */
WCHAR *hdl_TextBuffer(void);

/* Control kind, count and caption (a copy) of the FunctionID's definition into list.
 * Returns 1, or 0 without a definition or out of memory. */
BOOL hdl_ShapeFromDefinition(DriverContext *context, WORD functionId, OptionList *list);

/*
 * Option i + 1 of the FunctionID's definition: the option record (release with
 * ddd_ReleaseRecord) and its value in value (a type-6 value points into the record).
 * NULL when there is no such option.
 */
void *hdl_FetchDatabaseOption(DriverContext *context, WORD functionId, DWORD i, DWORD_PTR *value);

/* The filled list of a given descriptor (opt_CreateFilledList without the lookup); NULL
 * on failure. */
OptionList *hdl_CreateFilledListFor(const ListRequest *request, const SettingDescriptor *descriptor);

/* 1 when the context holds a device paper list (the paper options then come from it). */
BOOL hdl_HasDevicePaperList(const DriverContext *context);

/*
 * The size texts of a filled paper list (paper_list_texts.cpp): the user-defined size
 * option (256), the options of user-defined paper slots and the per-source custom size
 * option (275). Returns 1 (also when nothing applies), 0 when a text fails.
 */
BOOL hdl_RewritePaperTexts(const ListRequest *request, OptionList *list);

#endif /* QM_CORE_HANDLERS_HANDLER_ROWS_H */
