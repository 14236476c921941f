#pragma once

namespace quadrivium {

/// Digital root: while n >= 10, n = n - 9 * (n / 10). 0 stays 0.
int ReduceToDigit(int n);
/// As ReduceToDigit, but stops at the master numbers 11 and 22.
int ReduceToRulingNumber(int n);
/// ReduceToDigit(a + b).
int AddAndReduce(int a, int b);

} // namespace quadrivium
