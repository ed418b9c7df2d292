/*
 * MulDiv: a x b / c with a 64-bit product, rounded to nearest with halves away from
 * zero; -1 when c is 0 or the result does not fit 32 bits.
 */
#include <windows.h>

extern "C" int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long p = static_cast<long long>(nNumber) * nNumerator;
    long long c = nDenominator;
    long long q = p / c, r = p % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -c : c))
        q += ((p < 0) != (c < 0)) ? -1 : 1;
    if (q > 0x7FFFFFFFLL || q < -0x7FFFFFFFLL - 1)
        return -1;
    return static_cast<int>(q);
}
