/*
 * The features a job may ask for that this driver does not print: the job is refused
 * before anything is written, with a trace-log line naming the feature.
 */
#include "render/driver/job/job_control.h"

#include "core/trace/trace.h"

// The first feature the job asks for that is refused, or NULL.
static LPCWSTR RefusedFeature(PDEV *pdev)
{
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    struct Feature {
        BOOL asked;
        LPCWSTR name;
    };
    const Feature features[] = {
        {snapshot->storedJob != 0, TEXT("stored job")},
        {snapshot->posterOn != 0, TEXT("poster")},
        {snapshot->bookletOn != 0, TEXT("booklet")},
        {snapshot->markingOn != 0, TEXT("security marking")},
    };
    for (const Feature &feature : features) {
        if (feature.asked) {
            return feature.name;
        }
    }
    return NULL;
}

LONG WINAPI jc_CheckWaitingFeatures(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    LPCWSTR feature = RefusedFeature(pdev);
    if (feature == NULL) {
        return 0;
    }
    trc_Printf(TEXT("Job refused: %s is not supported by this driver"), feature);
    return -1;
}
