// Placeholder until the Ios back-end lands.
#include <stdexcept>

#include "backends/common.h"

namespace lufio {

IosHandlerFactory::IosHandlerFactory() noexcept = default;
IosHandlerFactory::IosHandlerFactory(const IosHandlerFactory&) noexcept = default;
IosHandlerFactory& IosHandlerFactory::operator=(const IosHandlerFactory&) noexcept { return *this; }
IosHandlerFactory::~IosHandlerFactory() = default;
std::unique_ptr<FileHandler> IosHandlerFactory::Create(const lusys::CPPathFileBase&) const {
  throw std::logic_error("not built yet");
}

}  // namespace lufio
