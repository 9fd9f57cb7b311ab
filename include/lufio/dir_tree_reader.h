// Walking a tree: DirTreeReader lists a folder and everything below it, one
// entry at a time, over one DirReader per level of the folder being walked.
#ifndef LUFIO_DIR_TREE_READER_H_
#define LUFIO_DIR_TREE_READER_H_

#include <lusys/path.h>

#include <cstdint>
#include <memory>

#include "lufio/dir_reader.h"
#include "lufio/export.h"

namespace lufio {

/// One entry of a walk, as DirTreeReader hands it out: the path below the
/// root, the depth, and the find record of DirReader.
///
/// Everything it gives is valid until the reader moves on (GetNext) or goes.
class DirTreeEntry {
 public:
  /// The path relative to the root, its folders joined by the platform's
  /// separator ('\\' on Windows, '/' elsewhere): "sub/deeper/a.txt". Empty
  /// only in the report of a root that failed midway.
  const char* GetPath() const noexcept { return path_; }
  /// The entry's name alone, as DirEntry::GetName gives it.
  const char* GetName() const noexcept { return entry_->GetName(); }
  /// 0 for the root's own entries, 1 for those of its subfolders, and so on;
  /// -1 in the report of the root itself.
  int GetDepth() const noexcept { return depth_; }
  /// The whole find record (a copy reaches its fields through GetImp).
  const DirEntry& GetEntry() const noexcept { return *entry_; }
  /// The record's attributes: 0x10 a folder, 0x400 a symbolic link, junction
  /// or other reparse point (0x410 one that leads to a folder).
  std::uint32_t GetAttributes() const noexcept { return attributes_; }
  /// Whether the directory bit 0x10 is set.
  bool IsDir() const noexcept { return (attributes_ & 0x10u) != 0; }
  /// Null for an entry. Not null for a report: the folder at GetPath could
  /// not be read (opened, or read to its end), and the error says why with
  /// the folder's whole path and the system's code. A report follows its
  /// folder's own entry, or takes its place where the filter leaves it out.
  const DirReader::Error* GetError() const noexcept { return error_; }

 private:
  friend class DirTreeReader;

  const char* path_ = "";
  const DirEntry* entry_ = nullptr;
  const DirReader::Error* error_ = nullptr;
  std::uint32_t attributes_ = 0;
  int depth_ = 0;
};

/// The walk of a folder and everything below it.
///
/// Each folder's entry comes before its contents (pre-order); the entries of
/// one folder come in the platform's order, unsorted. The walk keeps one open
/// search per level it is in and nothing else of what it has seen, so its
/// memory follows the depth, not the number of entries; it recurses on no
/// call stack.
///
/// @snippet reference.cpp DirTreeReader
///
/// Its rules:
/// - The filter is DirReader's: FilterFiles hands out only files, FilterDirs
///   only folders, FilterAll both; folders are entered whatever it is.
/// - A symbolic link, and on Windows a junction or any other reparse point
///   (attribute 0x400), is handed out but not entered, unless the walk was
///   built with OptionFollowLinks; then a folder is never entered while it is
///   already being walked (told by its device and inode, on Windows its
///   volume and file index), so a loop of links ends there.
/// - A subfolder that cannot be read (no permission, removed meanwhile, a
///   path too long for the search: 260 characters with the pattern) is
///   reported (GetError) and the walk goes on with the rest; with
///   OptionStopOnError GetNext throws that DirReader::Error instead, and the
///   walk can still go on after it.
/// - SkipDir, right after a folder was handed out, keeps the walk out of it.
///
/// Neither copyable nor assignable.
class LUFIO_API DirTreeReader {
 public:
  /// How the walk treats links and unreadable folders; combine with |.
  enum Option : std::uint32_t {
    OptionFollowLinks = 1,  ///< Enter links that lead to folders (a loop is entered once).
    OptionStopOnError = 2,  ///< Throw at an unreadable subfolder instead of reporting it.
  };

  /// Starts the walk of `root`. Throws DirReader::Error "Failed to open" with
  /// the root's text and the system's code when the root cannot be listed.
  DirTreeReader(const lusys::CPPath& root, DirReader::Filter filter, std::uint32_t options = 0);
  DirTreeReader(const DirTreeReader&) = delete;
  DirTreeReader& operator=(const DirTreeReader&) = delete;
  /// Ends every open search and releases everything.
  ~DirTreeReader();

  /// The walk's first entry; null for a tree without entries that pass.
  /// Called after the walk has begun, it acts as GetNext.
  const DirTreeEntry* GetFirst();
  /// The next entry or report; null at the end, again and again. Throws
  /// DirReader::Error for an unreadable subfolder with OptionStopOnError.
  const DirTreeEntry* GetNext();
  /// Keeps the walk out of the folder handed out last; nothing when that was
  /// no folder to enter (a file, a link not followed, a report).
  void SkipDir() noexcept;

 private:
  class Imp;

  DirTreeEntry entry_;
  std::unique_ptr<Imp> imp_;
};

}  // namespace lufio

#endif  // LUFIO_DIR_TREE_READER_H_
