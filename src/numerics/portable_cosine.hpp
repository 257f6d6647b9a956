#pragma once

namespace rqo {

// Cosine of an angle in radians, the same bits on every platform. The argument is reduced
// exactly and the cosine evaluated in double-double arithmetic, about 100 bits good, then
// rounded once to double: the result is the double nearest to the true cosine (barring cases
// far rarer than any argument the cell arithmetic meets), as the GNU C library's cosine gives
// it. NaN arguments come back quiet, infinite ones give the default NaN.
double portable_cos(double radians);

}  // namespace rqo
