// DirTreeReader: the walk of a folder and everything below it, as a loop over
// a stack of DirReaders, one per level of the folder being walked.
//
// The walk keeps one text, the root's path and the current entry's path below
// it; each level remembers where its names begin in that text. An entry is
// handed out straight from its level's DirReader, whose record stays put
// until that reader moves on, which it does only after the walk has left
// every folder below it. So the folder being walked at each level is still
// the current entry of the level above, and a report names it with its own
// record.
#include "lufio/dir_tree_reader.h"

#include <lusys/ostream.h>
#include <lusys/path.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform.h"
#include "tree.h"

// The record's definition after the platform layer, whose <windows.h> it uses.
#include "lufio/dir_entry_imp.h"

namespace lufio {

namespace {

constexpr char kOpenFailed[] = "Failed to open";

// The record's attributes. The reader hands its entry out const; the entry
// itself is the reader's own and not const, and only read here.
std::uint32_t AttributesOf(const DirEntry& entry) noexcept {
  return const_cast<DirEntry&>(entry).GetImp().dwFileAttributes;
}

}  // namespace

class DirTreeReader::Imp {
 public:
  Imp(const lusys::CPPath& root, DirReader::Filter filter, std::uint32_t options, DirTreeEntry& entry);

  const DirTreeEntry* Next();
  void Skip() noexcept { enter_ = false; }

 private:
  // A folder being walked: its listing, where its entries' names begin in
  // path_, its record (the current entry of the level above) and identity.
  struct Level {
    std::unique_ptr<DirReader> reader;
    std::size_t names;
    const DirEntry* record;
    sys::FolderId id;
    bool started;
  };

  // Enters the folder whose path path_ holds and whose record is `record`:
  // true when it is now the deepest level or was left out as a loop, false
  // when it could not be read (the report is then ready in entry_).
  bool Enter(const DirEntry* record, int depth);
  // Makes entry_ the report of `error` for the folder path_ holds.
  const DirTreeEntry* Report(const DirReader::Error& error, const DirEntry* record, int depth);
  const DirTreeEntry* Hand(const DirEntry* record, std::uint32_t attributes, int depth) noexcept;
  bool Passes(std::uint32_t attributes) const noexcept;

  DirTreeEntry& entry_;
  DirReader::Filter filter_;
  bool follow_;
  bool stop_;
  std::string path_;  // the root's text, a separator where needed, the current path below it
  std::size_t root_;  // where the path below the root begins in path_
  std::vector<Level> levels_;
  bool enter_ = false;   // the entry handed out last is a folder to enter
  DirEntry rootRecord_;  // the record a report on the root itself shows: zeros
  std::optional<DirReader::Error> error_;
};

DirTreeReader::Imp::Imp(const lusys::CPPath& root, DirReader::Filter filter, std::uint32_t options, DirTreeEntry& entry)
    : entry_(entry),
      filter_(filter),
      follow_((options & OptionFollowLinks) != 0),
      stop_((options & OptionStopOnError) != 0),
      path_(root.GetText()) {
  auto reader = std::make_unique<DirReader>(root, DirReader::FilterAll);
  sys::FolderId id{};
  if (follow_) {
    const sys::DWORD code = sys::IdentifyFolder(path_.empty() ? "." : path_.c_str(), &id);
    if (code != 0) {
      lusys::BufOStream<260, char> text;
      root.Print(text);
      throw DirReader::Error(lusys::Literal(kOpenFailed), text.Get(), code);
    }
  }
  levels_.push_back(Level{std::move(reader), 0, &rootRecord_, id, false});
  // "" is the current folder, whose entries are named as they are.
  if (!path_.empty() && !sys::IsPathSeparator(path_.back())) path_ += sys::kPathSeparator;
  root_ = path_.size();
  levels_.back().names = root_;
}

bool DirTreeReader::Imp::Passes(std::uint32_t attributes) const noexcept {
  const bool directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  switch (filter_) {
    case DirReader::FilterFiles:
      return !directory;
    case DirReader::FilterDirs:
      return directory;
    default:
      return true;
  }
}

const DirTreeEntry* DirTreeReader::Imp::Hand(const DirEntry* record, std::uint32_t attributes, int depth) noexcept {
  entry_.path_ = path_.c_str() + root_;
  entry_.entry_ = record;
  entry_.error_ = nullptr;
  entry_.attributes_ = attributes;
  entry_.depth_ = depth;
  return &entry_;
}

const DirTreeEntry* DirTreeReader::Imp::Report(const DirReader::Error& error, const DirEntry* record, int depth) {
  error_.reset();
  error_.emplace(error);
  if (stop_) throw error;
  const DirTreeEntry* report = Hand(record, AttributesOf(*record), depth);
  entry_.error_ = &*error_;
  return report;
}

bool DirTreeReader::Imp::Enter(const DirEntry* record, int depth) {
  sys::FolderId id{};
  if (follow_) {
    const sys::DWORD code = sys::IdentifyFolder(path_.c_str(), &id);
    if (code != 0) {
      Report(DirReader::Error(lusys::Literal(kOpenFailed), lusys::CStrRef(path_.c_str()), code), record, depth);
      return false;
    }
    for (const Level& level : levels_) {
      if (level.id == id) return true;  // already being walked: a loop
    }
  }
  std::unique_ptr<DirReader> reader;
  try {
    reader = std::make_unique<DirReader>(lusys::CPPath(path_.c_str()), DirReader::FilterAll);
  } catch (const DirReader::Error& error) {
    Report(error, record, depth);
    return false;
  }
  path_ += sys::kPathSeparator;
  levels_.push_back(Level{std::move(reader), path_.size(), record, id, false});
  return true;
}

const DirTreeEntry* DirTreeReader::Imp::Next() {
  if (enter_) {
    enter_ = false;
    if (!Enter(entry_.entry_, entry_.depth_)) return &entry_;
  }
  while (!levels_.empty()) {
    Level& level = levels_.back();
    const int depth = static_cast<int>(levels_.size()) - 1;
    const DirEntry* found = nullptr;
    try {
      found = level.started ? level.reader->GetNext() : level.reader->GetFirst();
      level.started = true;
    } catch (const DirReader::Error& error) {
      // The folder failed midway: report it and leave it.
      const DirEntry* record = level.record;
      path_.resize(level.names == root_ ? root_ : level.names - 1);
      levels_.pop_back();
      return Report(error, record, depth - 1);
    }
    if (found == nullptr) {
      levels_.pop_back();
      continue;
    }
    path_.resize(level.names);
    path_ += found->GetName();
    const std::uint32_t attributes = AttributesOf(*found);
    const bool folder =
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && (follow_ || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0);
    if (Passes(attributes)) {
      enter_ = folder;
      return Hand(found, attributes, depth);
    }
    if (folder && !Enter(found, depth)) return &entry_;
  }
  return nullptr;
}

// DirTreeReader ---------------------------------------------------------------

DirTreeReader::DirTreeReader(const lusys::CPPath& root, DirReader::Filter filter, std::uint32_t options)
    : imp_(std::make_unique<Imp>(root, filter, options, entry_)) {}

DirTreeReader::~DirTreeReader() = default;

const DirTreeEntry* DirTreeReader::GetFirst() { return imp_->Next(); }

const DirTreeEntry* DirTreeReader::GetNext() { return imp_->Next(); }

void DirTreeReader::SkipDir() noexcept { imp_->Skip(); }

}  // namespace lufio
