// A one-line progress bar on standard error, for the commands that take a
// while (bench, copy of a large file). It draws only when asked to, which the
// commands do when standard error is a terminal, so that captured output
// holds nothing but the results.
#ifndef LUFIO_TOOLS_PROGRESS_H_
#define LUFIO_TOOLS_PROGRESS_H_

#include <cstdint>
#include <string>

namespace lufio_cli {

class Progress {
 public:
  // A bar for `total` units of work, or the label alone when `total` is 0
  // (unknown); when `shown` is false every call does nothing.
  Progress(std::uint64_t total, bool shown) noexcept;
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  // Clears the line.
  ~Progress();

  // Shows `done` of the total units and `label` (cut to fit the line). Draws
  // only when the shown percentage or the label changed. Never throws.
  void Update(std::uint64_t done, const char* label) noexcept;
  // Blanks the bar's line and puts the cursor back at its start, so that what
  // is printed next starts on a clean line; the next Update draws again.
  void Clear() noexcept;

 private:
  std::uint64_t total_;
  bool bar_;
  bool shown_;
  bool drawn_ = false;
  int percent_ = -1;
  char label_[40] = {};
};

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_PROGRESS_H_
