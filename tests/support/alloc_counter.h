// Counts calls of the global allocation functions, to prove that an operation
// allocates nothing: AllocationCount() before and after must agree.
#ifndef LUFIO_TESTS_SUPPORT_ALLOC_COUNTER_H_
#define LUFIO_TESTS_SUPPORT_ALLOC_COUNTER_H_

#include <cstdint>

namespace lufio::test {

// Allocations made through operator new (every form) since the program began.
std::uint64_t AllocationCount();

// Makes the `n`-th allocation from now on (1: the next one) throw
// std::bad_alloc, once; 0 turns the failure off.
void FailAllocation(std::uint64_t n);

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_ALLOC_COUNTER_H_
