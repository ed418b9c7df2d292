/* Private services of the common-control area. */
#ifndef QM_PLATFORM_SRC_COMCTL_COMCTL_PRIVATE_H
#define QM_PLATFORM_SRC_COMCTL_COMCTL_PRIVATE_H

namespace qmcc {

/* Registers tooltips_class32, msctls_trackbar32 and msctls_updown32 once. */
void RegisterControlClasses();

} // namespace qmcc

#endif /* QM_PLATFORM_SRC_COMCTL_COMCTL_PRIVATE_H */
