// The check of an Error that a failing operation throws, shared by the
// back-end and fault suites.
#ifndef LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_
#define LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_

#include <gtest/gtest.h>
#include <lufio/error.h>

#include <optional>
#include <string>

namespace lufio::test {

// Expects `op` to throw Error with `message`, the file `path` and, when given,
// `code`.
template <class Op>
void ExpectError(Op op, const char* message, const std::string& path, std::optional<lusys::ULong> code) {
  try {
    op();
    ADD_FAILURE() << "no Error thrown; expected " << message;
  } catch (const Error& e) {
    EXPECT_EQ(e.GetText(), std::string(message) + ": file=" + path);
    EXPECT_STREQ(e.what(), "File I/O error");
    EXPECT_EQ(e.GetFileName(), path);
    EXPECT_EQ(e.GetCode(), code.value_or(e.GetCode()));
  }
}

}  // namespace lufio::test

#endif  // LUFIO_TESTS_BACKENDS_HANDLER_TEST_UTIL_H_
