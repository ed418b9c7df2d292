/*
 * Record sizes that depend on the width of a pointer. Included by path
 * ("platform/include/qm_layout.h") in both builds.
 *
 * A record holding pointers or handles has its documented 32-bit size in the Windows target
 * build and its natural 64-bit size (the one 64-bit Windows gives it) on the host. Code never
 * sizes such a record with a number: it uses sizeof and offsetof; the numbers live only in
 * the layout checks, written QM_LAYOUT(size on 32-bit Windows, size on 64-bit Windows).
 */
#ifndef QM_LAYOUT_H
#define QM_LAYOUT_H

#define QM_LAYOUT(size32, size64) (sizeof(void *) == 4 ? (size32) : (size64))

#endif /* QM_LAYOUT_H */
