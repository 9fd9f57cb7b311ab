// What a user's file does after lufio's headers: call std::min and std::max,
// which a min or max macro would break.
#ifndef LUFIO_TESTS_HEADERS_MIN_MAX_H_
#define LUFIO_TESTS_HEADERS_MIN_MAX_H_

#include <algorithm>

inline int UserMinMax(int a, int b) { return std::min(a, b) + std::max(a, b); }

#endif  // LUFIO_TESTS_HEADERS_MIN_MAX_H_
