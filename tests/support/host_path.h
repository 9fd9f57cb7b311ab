// Where the host's file system keeps a file: for tests that check the bytes of
// a name as they land on disk, beneath any translation of the platform's.
#ifndef LUFIO_TESTS_SUPPORT_HOST_PATH_H_
#define LUFIO_TESTS_SUPPORT_HOST_PATH_H_

#include <string>

namespace lufio::test {

// The host path of the existing `path` (UTF-8): `path` itself on POSIX; under
// Wine the Unix path that Wine found on disk for it; empty where neither is
// known (Windows itself, or Wine finds no such file).
std::string HostPath(const std::string& path);

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_HOST_PATH_H_
