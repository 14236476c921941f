#include "reduce.h"

namespace quadrivium {

int ReduceToDigit(int n)
{
    while (n >= 10)
        n -= 9 * (n / 10);
    return n;
}

int ReduceToRulingNumber(int n)
{
    while (n >= 10 && n != 11 && n != 22)
        n -= 9 * (n / 10);
    return n;
}

int AddAndReduce(int a, int b)
{
    return ReduceToDigit(a + b);
}

} // namespace quadrivium
