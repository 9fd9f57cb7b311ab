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
  static std::string GetName(int index) {
    static const char* const names[] = {"Stdio", "Win", "Crt", "Ios"};  // AllFactories' order
    return names[index];
  }
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_FACTORIES_H_
