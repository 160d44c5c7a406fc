#include "framework/runtime/Maths.h"

#ifndef _WIN32
Integer MulDiv(Integer nNumber, Integer nNumerator, Integer nDenominator)
{
    if (nDenominator == 0) return -1;
    Int64 p = static_cast<Int64>(nNumber) * nNumerator;
    Int64 d = nDenominator;
    if (d < 0) {
        p = -p;
        d = -d;
    }
    // Half of the divisor toward the sign of the quotient, then truncate.
    Int64 r = p >= 0 ? (p + d / 2) / d : (p - d / 2) / d;
    if (r > 2147483647 || r < -2147483647) return -1;
    return static_cast<Integer>(r);
}
#endif
