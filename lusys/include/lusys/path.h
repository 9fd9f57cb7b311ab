// Paths that callers hand to lufio: a polymorphic file path and a directory
// path, each printing itself as the narrow text given to the operating system.
#ifndef LUSYS_PATH_H_
#define LUSYS_PATH_H_

#include <string>
#include <string_view>
#include <utility>

#include "lusys/export.h"
#include "lusys/ostream.h"
#include "lusys/types.h"

namespace lusys {

namespace detail {
/// The text of a path given as a string literal, a const char* (null counts
/// as empty), a std::string or a std::string_view.
inline std::string_view PathText(const char* text) noexcept {
  return text == nullptr ? std::string_view() : std::string_view(text);
}
inline std::string_view PathText(std::string_view text) noexcept { return text; }
template <class S>
using EnableIfPathText = decltype(PathText(std::declval<const S&>()));
}  // namespace detail

/// A file path of any kind: what the file objects and handlers take.
class LUSYS_API CPPathFileBase {
 public:
  virtual ~CPPathFileBase();
  /// A heap copy of the same dynamic type, owned by the caller and deleted
  /// through the virtual destructor.
  virtual CPPathFileBase* Clone() const = 0;
  /// Writes the path as the narrow text handed to the operating system.
  virtual void Print(BasicOStream<char>& out) const = 0;

 protected:
  /// The base has no data of its own.
  ///@{
  CPPathFileBase() = default;
  CPPathFileBase(const CPPathFileBase&) = default;
  CPPathFileBase& operator=(const CPPathFileBase&) = default;
  ///@}
};

/// A directory path; prints the text it was made from.
class LUSYS_API CPPath {
 public:
  /// The directory that prints `text` (null counts as empty: the current directory).
  explicit CPPath(const char* text);
  /// The characters of `text`, which need not be zero-terminated.
  explicit CPPath(std::string_view text);
  /// Text converts implicitly, as to std::filesystem::path: DirReader("dir", ...) works.
  template <class S, class = detail::EnableIfPathText<S>>
  CPPath(const S& text) : CPPath(detail::PathText(text)) {}  // NOLINT(google-explicit-constructor)
  /// Writes the directory's text.
  void Print(BasicOStream<char>& out) const;
  /// The directory's text.
  const std::string& GetText() const noexcept { return text_; }

 private:
  std::string text_;
};

/// A file path held as text.
class LUSYS_API CPPathFile : public CPPathFileBase {
 public:
  /// The path that prints `text` exactly (null counts as empty).
  explicit CPPathFile(const char* text);
  /// The path that prints the characters of `text` exactly; they need not be
  /// zero-terminated.
  explicit CPPathFile(std::string_view text);
  /// Text converts implicitly, as to std::filesystem::path: FileR("x.txt", ...) and FileR(name, ...) work.
  template <class S, class = detail::EnableIfPathText<S>>
  CPPathFile(const S& text) : CPPathFile(detail::PathText(text)) {}  // NOLINT(google-explicit-constructor)
  /// The path of `name` inside `dir`: one separator between them, none added
  /// when the directory text already ends in one. An empty directory text
  /// means the current directory, so the path is `name` alone.
  CPPathFile(const CPPath& dir, const BasicRef<const char>& name);
  ~CPPathFile() override;

  /// A heap copy, owned by the caller.
  CPPathFile* Clone() const override;
  void Print(BasicOStream<char>& out) const override;
  /// The path's text.
  const std::string& GetText() const noexcept { return text_; }

 private:
  std::string text_;
};

}  // namespace lusys

#endif  // LUSYS_PATH_H_
