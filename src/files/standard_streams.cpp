// StandardStreams: the process's standard input, output and error as adopting
// factories, each stream put into binary mode by the platform layer first.
#include <cstdio>
#include <iostream>

#include "lufio/adopted.h"
#include "platform.h"

namespace lufio {

namespace {

// The stream's descriptor (0, 1, 2), in binary mode from now on; a value
// outside the enumeration is standard error.
int Binary(StandardStreams::Stream stream) noexcept {
  const int fd = stream == StandardStreams::StreamIn ? 0 : stream == StandardStreams::StreamOut ? 1 : 2;
  sys::MakeBinary(fd);
  return fd;
}

}  // namespace

AdoptedWinHandlerFactory StandardStreams::Win(Stream stream) {
  return AdoptedWinHandlerFactory(sys::StandardHandle(Binary(stream)));
}

AdoptedCrtHandlerFactory StandardStreams::Crt(Stream stream) { return AdoptedCrtHandlerFactory(Binary(stream)); }

AdoptedStdioHandlerFactory StandardStreams::Stdio(Stream stream) {
  const int fd = Binary(stream);
  return AdoptedStdioHandlerFactory(fd == 0 ? stdin : fd == 1 ? stdout : stderr);
}

AdoptedIosHandlerFactory StandardStreams::Ios(Stream stream) {
  const int fd = Binary(stream);
  std::streambuf* buffer = fd == 0 ? std::cin.rdbuf() : fd == 1 ? std::cout.rdbuf() : std::cerr.rdbuf();
  return AdoptedIosHandlerFactory(*buffer);
}

}  // namespace lufio
