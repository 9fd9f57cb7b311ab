// Progress: drawn with a carriage return over one line of standard error.
#include "progress.h"

#include <cstdio>
#include <cstring>

namespace lufio_cli {
namespace {

constexpr int kBarWidth = 30;
// "[" bar "] " "100% " label: kept under 80 columns.
constexpr int kLineWidth = kBarWidth + 8 + 39;

}  // namespace

Progress::Progress(std::uint64_t total, bool shown) noexcept
    : total_(total == 0 ? 1 : total), bar_(total != 0), shown_(shown) {}

Progress::~Progress() { Clear(); }

void Progress::Update(std::uint64_t done, const char* label) noexcept {
  if (!shown_) return;
  if (done > total_) done = total_;
  const int percent = bar_ ? static_cast<int>(done * 100 / total_) : 0;
  if (drawn_ && percent == percent_ && std::strncmp(label, label_, sizeof(label_) - 1) == 0) return;
  percent_ = percent;
  std::snprintf(label_, sizeof(label_), "%s", label);

  char bar[kBarWidth + 1];
  const int filled = static_cast<int>(done * kBarWidth / total_);
  for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[kBarWidth] = '\0';
  // Padded to the full width, so that a shorter label wipes a longer one.
  if (!bar_) {
    std::fprintf(stderr, "\r%-*s", kLineWidth, label_);
  } else {
    std::fprintf(stderr, "\r[%s] %3d%% %-*s", bar, percent, kLineWidth - kBarWidth - 8, label_);
  }
  std::fflush(stderr);
  drawn_ = true;
}

void Progress::Clear() noexcept {
  if (!drawn_) return;
  std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace lufio_cli
