// Placeholder until the Win back-end lands.
#include <stdexcept>

#include "backends/common.h"

namespace lufio {

WinHandlerFactory::WinHandlerFactory() noexcept = default;
WinHandlerFactory::WinHandlerFactory(const WinHandlerFactory&) noexcept = default;
WinHandlerFactory& WinHandlerFactory::operator=(const WinHandlerFactory&) noexcept { return *this; }
WinHandlerFactory::~WinHandlerFactory() = default;
std::unique_ptr<FileHandler> WinHandlerFactory::Create(const lusys::CPPathFileBase&) const {
  throw std::logic_error("not built yet");
}

}  // namespace lufio
