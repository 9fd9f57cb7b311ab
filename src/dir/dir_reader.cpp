// DirEntry, DirReader and DirReader::Error: the listing of one directory over
// the platform's find-file search (FindFirstFileA, FindNextFileA, FindClose).
//
// A reader allocates only while it is built (its entry's record and its
// listing state); every search step writes into that one record in place.
#include "lufio/dir_reader.h"

#include <lusys/mem.h>
#include <lusys/ostream.h>
#include <lusys/path.h>

#include <memory>
#include <utility>

#include "core/last_error.h"
#include "platform.h"

// The record's definition after the platform layer, whose <windows.h> it uses.
#include "lufio/dir_entry_imp.h"

namespace lufio {

namespace {

constexpr char kOpenFailed[] = "Failed to open";
constexpr char kReadFailed[] = "Failed to read";

}  // namespace

// DirEntry -------------------------------------------------------------------

DirEntry::Imp::Imp() noexcept { lusys::MemZero(static_cast<sys::FindRecord*>(this), sizeof(sys::FindRecord)); }

// MemCopy writes the whole record, so the base is not copied first.
DirEntry::Imp::Imp(const Imp& other) noexcept {  // NOLINT(bugprone-copy-constructor-init)
  lusys::MemCopy(static_cast<sys::FindRecord*>(this), static_cast<const sys::FindRecord*>(&other),
                 sizeof(sys::FindRecord));
}

DirEntry::DirEntry() : imp_(std::make_unique<Imp>()) {}

DirEntry::DirEntry(const DirEntry& other) : imp_(std::make_unique<Imp>(*other.imp_)) {}

DirEntry& DirEntry::operator=(const DirEntry& other) {
  if (this != &other) {
    std::unique_ptr<Imp> copy = std::make_unique<Imp>(*other.imp_);
    imp_ = std::move(copy);
  }
  return *this;
}

DirEntry::~DirEntry() = default;

const char* DirEntry::GetName() const noexcept { return imp_->cFileName; }

DirEntry::Imp& DirEntry::GetImp() noexcept { return *imp_; }

// DirReader::Imp -------------------------------------------------------------

// The listing state: the directory's text for errors, the entry's record that
// every step fills, the filter and the open search.
class DirReader::Imp {
 public:
  // Starts the search of `dir`; `record` receives the first entry found,
  // unfiltered. Throws Error "Failed to open" when the search cannot start.
  Imp(const lusys::CPPath& dir, sys::FindRecord* record, Filter filter);
  Imp(const Imp&) = delete;
  Imp& operator=(const Imp&) = delete;
  ~Imp();

  // Whether the current record passes: never "." or "..", then the filter.
  bool Accept() const noexcept;
  // Advances to the next record that passes; false at the end of the listing.
  // Throws Error "Failed to read" when a step fails otherwise.
  bool Next();

 private:
  lusys::BufOStream<260, char> dirText_;
  sys::FindRecord* record_;
  Filter filter_;
  sys::HANDLE search_;
};

DirReader::Imp::Imp(const lusys::CPPath& dir, sys::FindRecord* record, Filter filter)
    : record_(record), filter_(filter), search_(nullptr) {
  dir.Print(dirText_);
  // The system would search the text up to its first zero: another directory.
  if (dir.GetText().find('\0') != std::string::npos) {
    throw Error(lusys::Literal(kOpenFailed), dirText_.Get(), sys::kInvalidNameError);
  }
  lusys::CStrOStream<260, char> pattern;
  {
    const lusys::CPPathFile all(dir, lusys::Literal("*"));
    all.Print(pattern);
  }
  search_ = sys::FindFirstFileA(pattern.Get(), record_);
  if (search_ == INVALID_HANDLE_VALUE) {
    const lusys::ULong code = detail::LastError();
    throw Error(lusys::Literal(kOpenFailed), dirText_.Get(), code);
  }
}

DirReader::Imp::~Imp() { static_cast<void>(sys::FindClose(search_)); }

bool DirReader::Imp::Accept() const noexcept {
  const lusys::BasicRef<const char> name = lusys::CStrRef(record_->cFileName);
  if (lusys::StrCmp(name, lusys::Literal(".")) == 0 || lusys::StrCmp(name, lusys::Literal("..")) == 0) return false;
  const bool directory = (record_->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  switch (filter_) {
    case FilterFiles:
      return !directory;
    case FilterDirs:
      return directory;
    default:
      return true;
  }
}

bool DirReader::Imp::Next() {
  for (;;) {
    if (sys::FindNextFileA(search_, record_) == 0) {
      const lusys::ULong code = sys::GetLastError();
      if (code == ERROR_NO_MORE_FILES) return false;
      throw Error(lusys::Literal(kReadFailed), dirText_.Get(), code);
    }
    if (Accept()) return true;
  }
}

// DirReader ------------------------------------------------------------------

DirReader::DirReader(const lusys::CPPath& dir, Filter filter)
    : imp_(std::make_unique<Imp>(dir, &entry_.GetImp(), filter)) {}

DirReader::~DirReader() = default;

const DirEntry* DirReader::GetFirst() { return imp_->Accept() || imp_->Next() ? &entry_ : nullptr; }

const DirEntry* DirReader::GetNext() { return imp_->Next() ? &entry_ : nullptr; }

// DirReader::Error -----------------------------------------------------------

DirReader::Error::Error(const lusys::BasicRef<const char>& message, const lusys::BasicRef<const char>& path,
                        lusys::ULong code) noexcept
    : lusys::Exception(message, code) {
  pathText_.Write(path);
  TextTail() << ": dir=";
  TextTail().Write(path);
}

DirReader::Error::Error(const Error& other) noexcept : lusys::Exception(other), pathText_(other.pathText_) {}

DirReader::Error& DirReader::Error::operator=(const Error& other) noexcept {
  if (this != &other) {
    lusys::Exception::operator=(other);
    pathText_ = other.pathText_;
  }
  return *this;
}

DirReader::Error::~Error() = default;

const char* DirReader::Error::what() const noexcept { return "Directory read error"; }

}  // namespace lufio
