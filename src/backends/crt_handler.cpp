// Placeholder until the Crt back-end lands.
#include <stdexcept>

#include "backends/common.h"

namespace lufio {

CrtHandlerFactory::CrtHandlerFactory() noexcept = default;
CrtHandlerFactory::CrtHandlerFactory(const CrtHandlerFactory&) noexcept = default;
CrtHandlerFactory& CrtHandlerFactory::operator=(const CrtHandlerFactory&) noexcept { return *this; }
CrtHandlerFactory::~CrtHandlerFactory() = default;
std::unique_ptr<FileHandler> CrtHandlerFactory::Create(const lusys::CPPathFileBase&) const {
  throw std::logic_error("not built yet");
}

}  // namespace lufio
