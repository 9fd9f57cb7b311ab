// SafeFileW over the platform's safe saving (platform/save.h): the steps in
// their order, each failure turned into an Error that names the target.
#include "lufio/safe_file.h"

#include <lusys/ostream.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>

#include "core/throw.h"
#include "save.h"

namespace lufio {

namespace {

constexpr char kReplaceFailed[] = "Failed to replace file";
constexpr char kFolderFlushFailed[] = "Failed to flush folder";

// A seed that differs between processes and runs; names come from it and a
// counter, and the exclusive creation, not the name, keeps two saves apart.
std::uint64_t Seed() noexcept {
  std::uint64_t seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    seed ^= (std::uint64_t{device()} << 32) ^ device();
  } catch (...) {
    // no random device: the clock alone
  }
  return seed;
}

// SplitMix64's finaliser: every bit of the input moves every bit of the output.
std::uint64_t Mix(std::uint64_t x) noexcept {
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9u;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebu;
  return x ^ (x >> 31);
}

}  // namespace

std::string sys::NextSaveName() {
  static const std::uint64_t seed = Seed();
  static std::atomic<std::uint64_t> counter{0};
  char name[32];
  std::snprintf(name, sizeof(name), ".lufio-save-%016llx",
                static_cast<unsigned long long>(Mix(seed + 0x9e3779b97f4a7c15u * ++counter)));
  return name;
}

class SafeFileW::Imp {
 public:
  explicit Imp(const lusys::CPPathFileBase& target) : target_(target.Clone()) {}

  // The state of a save that has begun: its new file made beside the target.
  static std::unique_ptr<Imp> Begin(const lusys::CPPathFileBase& target) {
    auto imp = std::make_unique<Imp>(target);
    lusys::BasicStrOStream<char> text;
    target.Print(text);
    // A name with a zero inside would reach the system cut short there.
    const lusys::ULong code = text.Get().find('\0') != std::string::npos ? sys::kInvalidNameError
                                                                           : imp->file_.Begin(text.Get().c_str());
    if (code != 0) imp->Fail(detail::kOpenFailed, code);
    imp->temp_ = lusys::CPPathFile(std::string_view(imp->file_.Path()));
    return imp;
  }

  const lusys::CPPathFileBase& Target() const noexcept { return *target_; }
  const lusys::CPPathFile& Temp() const noexcept { return temp_; }
  sys::SaveFile& File() noexcept { return file_; }

  // Throws Error(`message`, target, `code`).
  template <std::size_t N>
  [[noreturn]] void Fail(const char (&message)[N], lusys::ULong code) const {
    throw Error(lusys::Literal(message), *target_, code);
  }
  // Throws `e` again, naming the target instead of the new file.
  [[noreturn]] void Rename(const Error& e) const {
    const char* text = e.GetText();
    const char* end = std::strstr(text, ": file=");
    throw Error(lusys::BasicRef<const char>(text, end == nullptr ? std::strlen(text) : end - text), *target_,
                e.GetCode());
  }
  // Throws Error(`message`, target, the closed-object code) once the save has ended.
  template <std::size_t N>
  void ExpectOpen(const char (&message)[N]) const {
    if (ended_) Fail(message, sys::kClosedHandleError);
  }
  void End() noexcept { ended_ = true; }

  std::uint32_t new_mode_ = 0666;

 private:
  std::unique_ptr<lusys::CPPathFileBase> target_;
  lusys::CPPathFile temp_{""};
  sys::SaveFile file_;
  bool ended_ = false;  // committed, or failed on the way
};

SafeFileW::SafeFileW(const lusys::CPPathFileBase& target, FileHandler::Type type, const FileHandlerFactory& factory)
    : SafeFileW(Imp::Begin(target), type, factory) {}

// When the back-end cannot open the new file, the error names the target and
// `imp`, still the parameter's, removes the new file on the way out.
SafeFileW::SafeFileW(std::unique_ptr<Imp> imp, FileHandler::Type type, const FileHandlerFactory& factory) try
    : FileIOBase(imp->Temp(), FileHandler::ModeWrite, type, factory),
      FileW(imp->Temp(), type, factory),
      imp_(std::move(imp)) {
} catch (const Error& e) {
  imp->Rename(e);
}

SafeFileW::~SafeFileW() {
  // The back-end lets go of the new file first: Windows removes no open file.
  try {
    FileIOBase::Close();
  } catch (...) {
    // a close failure changes nothing: the file goes
  }
  imp_->File().Discard();
}

std::uint64_t SafeFileW::Write(const lusys::BasicRef<const char>& data) {
  imp_->ExpectOpen(detail::kWriteFailed);
  try {
    return FileW::Write(data);
  } catch (const Error& e) {
    imp_->Rename(e);
  }
}

void SafeFileW::Flush() {
  imp_->ExpectOpen(detail::kFlushFailed);
  try {
    FileW::Flush();
  } catch (const Error& e) {
    imp_->Rename(e);
  }
}

void SafeFileW::SetNewFileMode(std::uint32_t mode) noexcept { imp_->new_mode_ = mode; }

void SafeFileW::Commit() { Finish(true); }

void SafeFileW::CommitNotDurable() { Finish(false); }

const lusys::CPPathFileBase& SafeFileW::GetTarget() const noexcept { return imp_->Target(); }

void SafeFileW::Finish(bool durable) {
  imp_->ExpectOpen(kReplaceFailed);
  imp_->End();
  sys::SaveFile& file = imp_->File();
  // Everything the back-end holds goes out now, where it can still report a
  // failure: its flush, then a measure of the size, which makes a buffering
  // back-end whose flush reports nothing (fstream) write out too; what that
  // measure meets is a failed write.
  bool measuring = false;
  try {
    FileW::Flush();
    measuring = true;
    Size();
    measuring = false;
    FileIOBase::Close();
  } catch (const Error& e) {
    try {
      FileIOBase::Close();
    } catch (...) {
      // the first failure is the one reported
    }
    file.Discard();
    if (measuring) imp_->Fail(detail::kWriteFailed, e.GetCode());
    imp_->Rename(e);
  }
  // A failing step removes the new file, except the last: the target then
  // holds the new content already.
  const auto step = [&](lusys::ULong code, const auto& message, bool discard) {
    if (code == 0) return;
    if (discard) file.Discard();
    imp_->Fail(message, code);
  };
  step(file.SetFinalMode(imp_->new_mode_), kReplaceFailed, true);
  if (durable) step(file.SyncData(), detail::kFlushFailed, true);
  step(file.Replace(durable), kReplaceFailed, true);
  if (durable) step(file.SyncFolder(), kFolderFlushFailed, false);
}

}  // namespace lufio
