/*
 * Public DEVMODE fields in a merge: whether an input's field may be taken over, and
 * whether an input is a full DEVMODE of this model.
 */
#include "core/rules/rules_private.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

/* The smallest dmSize that holds the colour-matching, media and dither fields. */
enum { DM_SIZE_WITH_ICM = 212 };

/* The public fields tested against the description data. */
static const WORD kValidatedFields[] = {FID_COPIES,
                                        FID_DEFAULT_SOURCE,
                                        FID_DUPLEX,
                                        FID_ORIENTATION,
                                        FID_TT_OPTION,
                                        FID_ICM_METHOD,
                                        FID_COLOR,
                                        FID_SCALE,
                                        FID_COLLATE,
                                        FID_ICM_INTENT};

/* The header settings of a full DEVMODE of this model, in the order they are tested. */
static const WORD kHeaderFields[] = {FID_SPEC_VERSION, FID_SIZE, FID_DRIVER_EXTRA, FID_PRIVATE_VERSION, FID_MODEL_NAME};

BOOL WINAPI opt_ValidatePublicField(WORD functionId, DriverContext *context, DriverDevmode *input,
                                    PrinterDataBlock *block, WORD command)
{
    if (!input) {
        return FALSE;
    }
    if (functionId >= FID_ICM_METHOD && functionId <= FID_DITHER_TYPE && input->dm.dmSize < DM_SIZE_WITH_ICM) {
        return FALSE;
    }
    for (WORD validated : kValidatedFields) {
        if (validated == functionId) {
            ValidateRequest request = {context, functionId, input, block, command};
            return opt_ValidateSetting(&request);
        }
    }
    return TRUE;
}

BOOL WINAPI opt_IsDriverDevmodeHeader(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (!devmode) {
        return FALSE;
    }
    for (WORD functionId : kHeaderFields) {
        ValidateRequest request = {context, functionId, devmode, block, HC_VALIDATE};
        if (!opt_ValidateSetting(&request)) {
            return FALSE;
        }
    }
    return TRUE;
}
