// The back-end factories that the contract suite runs over, each with a name
// for test output.
#ifndef LUFIO_TESTS_SUPPORT_FACTORIES_H_
#define LUFIO_TESTS_SUPPORT_FACTORIES_H_

#include <gtest/gtest.h>
#include <lufio/factories.h>

#include <string>

namespace lufio::test {

using AllFactories = ::testing::Types<StdioHandlerFactory, WinHandlerFactory, CrtHandlerFactory, IosHandlerFactory>;

struct FactoryNames {
  template <class T>
  static std::string GetName(int) {
    if (std::is_same_v<T, WinHandlerFactory>) return "Win";
    if (std::is_same_v<T, CrtHandlerFactory>) return "Crt";
    if (std::is_same_v<T, StdioHandlerFactory>) return "Stdio";
    if (std::is_same_v<T, IosHandlerFactory>) return "Ios";
    return "Other";
  }
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_FACTORIES_H_
