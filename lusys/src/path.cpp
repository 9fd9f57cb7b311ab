#include "lusys/path.h"

#include "platform.h"

namespace lusys {

CPPathFileBase::~CPPathFileBase() = default;

CPPath::CPPath(const char* text) : text_(text == nullptr ? "" : text) {}

CPPath::CPPath(std::string_view text) : text_(text) {}

void CPPath::Print(BasicOStream<char>& out) const { out.Write(BasicRef<const char>(text_.data(), text_.size())); }

CPPathFile::CPPathFile(const char* text) : text_(text == nullptr ? "" : text) {}

CPPathFile::CPPathFile(std::string_view text) : text_(text) {}

CPPathFile::CPPathFile(const CPPath& dir, const BasicRef<const char>& name) : text_(dir.GetText()) {
  if (!text_.empty() && !detail::IsPathSeparator(text_.back())) text_ += detail::kPathSeparator;
  text_.append(name.Data(), static_cast<std::size_t>(name.Length()));
}

CPPathFile::~CPPathFile() = default;

CPPathFile* CPPathFile::Clone() const { return new CPPathFile(*this); }

void CPPathFile::Print(BasicOStream<char>& out) const { out.Write(BasicRef<const char>(text_.data(), text_.size())); }

}  // namespace lusys
