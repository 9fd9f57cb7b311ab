// Safe saving on Windows: the new file is made with CREATE_NEW beside the
// target (both named by their full paths, so a change of the working
// directory meanwhile changes nothing), stored with FlushFileBuffers, and put
// in the target's place with ReplaceFileA, which keeps the target's
// attributes, security and creation time, or, for a new target, with
// MoveFileExA (MOVEFILE_WRITE_THROUGH; under Wine for every target it can
// replace, see UnderWine). A replace refused because another
// process holds the target for a moment (a virus scanner, the search indexer,
// another save) is tried again after growing pauses, about two seconds in all.
#include "save.h"

#include <string>

namespace lufio::sys {

namespace {

// The codes with which Windows refuses to touch a file that someone else has
// open for the moment.
bool HeldForAMoment(DWORD code) noexcept {
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION || code == ERROR_ACCESS_DENIED ||
         code == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Runs `step` (0 or a code) until it succeeds, fails for another reason, or
// pauses of 15 ms doubling up to about two seconds in all have passed; returns
// the last result.
template <class Step>
DWORD Retried(Step step) {
  for (DWORD pause = 15;; pause *= 2) {
    const DWORD code = step();
    if (code == 0 || !HeldForAMoment(code) || pause > 1000) return code;
    ::Sleep(pause);
  }
}

// True under Wine, whose ReplaceFileA is two renames (the target moved aside
// and removed, then the new file moved in: for a moment there is no target),
// keeps nothing of the target, and leaves an empty file of its own behind
// when the first rename is refused; its MoveFileExA is one rename(2). There
// the move comes first.
bool UnderWine() noexcept {
  static const bool wine = [] {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

// 0 when `path` may be deleted, and so renamed or replaced: no handle keeps it
// from that now. Otherwise the code that refuses it (ERROR_FILE_NOT_FOUND when
// it does not exist).
DWORD Unheld(const std::string& path) noexcept {
  const HANDLE probe = ::CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return ::GetLastError();
  ::CloseHandle(probe);
  return 0;
}

}  // namespace

SaveFile::~SaveFile() { Discard(); }

DWORD SaveFile::Begin(const char* target) {
  const DWORD length = ::GetFullPathNameA(target, 0, nullptr, nullptr);
  if (length == 0) return ::GetLastError();
  std::string full(length, '\0');
  char* name = nullptr;
  if (::GetFullPathNameA(target, length, full.data(), &name) == 0) return ::GetLastError();
  full.resize(std::char_traits<char>::length(full.c_str()));
  if (name == nullptr) return ERROR_ACCESS_DENIED;  // a name ending in a separator: a folder
  const std::string folder = full.substr(0, static_cast<std::size_t>(name - full.data()));
  target_ = full;
  const DWORD attributes = ::GetFileAttributesA(target_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    if (code != ERROR_FILE_NOT_FOUND) return code;  // ERROR_PATH_NOT_FOUND: no such folder
  } else {
    // What opening it for writing would refuse: a folder, a read-only file.
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) return ERROR_ACCESS_DENIED;
    // A target that another process keeps from being deleted cannot be
    // replaced either: refused now, not after the last byte.
    if (const DWORD code = Retried([this] { return Unheld(target_); }); code != 0) return code;
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    name_ = NextSaveName();
    path_ = folder + name_;
    // The back-end opens it again while this handle is open: every sharing is allowed.
    file_ = fault::Tripped(fault::Call::SaveCreate)
                ? INVALID_HANDLE_VALUE
                : ::CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) {
      made_ = true;
      return 0;
    }
    const DWORD code = ::GetLastError();
    if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) return code;
  }
  return ERROR_FILE_EXISTS;
}

DWORD SaveFile::SetFinalMode(std::uint32_t /*new_mode*/) { return 0; }

DWORD SaveFile::SyncData() {
  return fault::Tripped(fault::Call::SaveSync) || ::FlushFileBuffers(file_) == 0 ? ::GetLastError() : 0;
}

DWORD SaveFile::Replace(bool durable) {
  const BOOL closed = ::CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (closed == 0) return ::GetLastError();
  if (fault::Tripped(fault::Call::SaveReplace)) return ::GetLastError();
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
  int refusals = 0;
  const DWORD code = Retried([this, move, &refusals] {
    const DWORD held = Unheld(target_);
    if (held != 0 && held != ERROR_FILE_NOT_FOUND) return held;
    // Under Wine the move comes first, and its ReplaceFileA is left for a
    // target that an open handle keeps from being replaced but not from
    // being deleted (moved aside). Such a handle refuses the move every time;
    // another save's passing probe or rename refuses it once, and the move is
    // tried again: three refusals are needed before ReplaceFileA, which
    // under Wine leaves a file of its own behind when it is refused.
    if (held == 0 && !UnderWine()) return ReplaceOrMove(move);
    if (::MoveFileExA(path_.c_str(), target_.c_str(), move) != 0) return DWORD{0};
    const DWORD refused = ::GetLastError();
    if (held != 0 || refused != ERROR_ACCESS_DENIED) return refused;
    return ++refusals >= 3 && Unheld(target_) == 0 ? ReplaceOrMove(move) : refused;
  });
  if (code == 0) made_ = false;
  return code;
}

DWORD SaveFile::ReplaceOrMove(DWORD move) {
  if (::ReplaceFileA(target_.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return 0;
  }
  const DWORD failed = ::GetLastError();
  // The target is gone (or moved aside) and the new file kept its name: the
  // move puts it in the target's place. Any other failure left both as they were.
  if (failed != ERROR_UNABLE_TO_MOVE_REPLACEMENT && failed != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      failed != ERROR_FILE_NOT_FOUND) {
    return failed;
  }
  return ::MoveFileExA(path_.c_str(), target_.c_str(), move) != 0 ? 0 : ::GetLastError();
}

DWORD SaveFile::SyncFolder() { return 0; }

void SaveFile::Discard() noexcept {
  if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
  if (made_) ::DeleteFileA(path_.c_str());
  made_ = false;
}

}  // namespace lufio::sys
