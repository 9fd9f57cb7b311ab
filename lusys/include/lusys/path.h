// Paths that callers hand to lufio: a polymorphic file path and a directory
// path, each printing itself as the narrow text given to the operating system.
#ifndef LUSYS_PATH_H_
#define LUSYS_PATH_H_

#include <string>

#include "lusys/export.h"
#include "lusys/ostream.h"
#include "lusys/types.h"

namespace lusys {

// A file path of any kind. Clone gives a heap copy of the same dynamic type,
// owned by the caller and deleted through the virtual destructor.
class LUSYS_API CPPathFileBase {
 public:
  virtual ~CPPathFileBase();
  virtual CPPathFileBase* Clone() const = 0;
  // Writes the path as the narrow text handed to the operating system.
  virtual void Print(BasicOStream<char>& out) const = 0;

 protected:
  CPPathFileBase() = default;
  CPPathFileBase(const CPPathFileBase&) = default;
  CPPathFileBase& operator=(const CPPathFileBase&) = default;
};

// A directory path; prints the text it was made from.
class LUSYS_API CPPath {
 public:
  explicit CPPath(const char* text);
  void Print(BasicOStream<char>& out) const;
  const std::string& GetText() const noexcept { return text_; }

 private:
  std::string text_;
};

// A file path held as text.
class LUSYS_API CPPathFile : public CPPathFileBase {
 public:
  // The path that prints `text` exactly (null counts as empty).
  explicit CPPathFile(const char* text);
  // The path of `name` inside `dir`: one separator between them, none added
  // when the directory text already ends in one. An empty directory text
  // means the current directory, so the path is `name` alone.
  CPPathFile(const CPPath& dir, const BasicRef<const char>& name);
  ~CPPathFile() override;

  CPPathFile* Clone() const override;
  void Print(BasicOStream<char>& out) const override;
  const std::string& GetText() const noexcept { return text_; }

 private:
  std::string text_;
};

}  // namespace lusys

#endif  // LUSYS_PATH_H_
