#include "lufio/file_io.h"

namespace lufio {

FileR::FileR(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory)
    : FileIOBase(path, FileHandler::ModeRead, type, factory) {}
FileR::~FileR() = default;

FileW::FileW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory)
    : FileIOBase(path, FileHandler::ModeWrite, type, factory) {}
FileW::~FileW() = default;
void FileW::Flush() { GetHandler().flush(); }

// The shared virtual base is built here, once, with ModeReadWrite; the FileR
// and FileW parts built after it open nothing.
FileRW::FileRW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory)
    : FileIOBase(path, FileHandler::ModeReadWrite, type, factory),
      FileR(path, type, factory),
      FileW(path, type, factory) {}
FileRW::~FileRW() = default;

FileA::FileA(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory)
    : FileIOBase(path, FileHandler::ModeAppend, type, factory) {}
FileA::~FileA() = default;
void FileA::Flush() { GetHandler().flush(); }

TextFileR::TextFileR(const lusys::CPPathFileBase& path, const FileHandlerFactory& factory)
    : FileIOBase(path, FileHandler::ModeRead, FileHandler::TypeText, factory) {}
TextFileR::~TextFileR() = default;
bool TextFileR::GetLine(char* buffer, lusys::Long size, bool& complete) {
  if (size <= 1) return false;
  // A null buffer takes the handler's entry point, which refuses it.
  if (buffer == nullptr) return GetHandler().GetLine(buffer, size, complete);
  return GetHandler().getline(buffer, size, complete);
}

}  // namespace lufio
