// Character sinks: the abstract BasicOStream and its header-only
// implementations.
//
// - BasicStrOStream grows a std::string.
// - BasicCStrRefOStream writes into a caller's buffer and keeps it
//   zero-terminated.
// - CStrOStream<N> and BufOStream<N> own a fixed array of N characters and
//   silently drop what does not fit; neither allocates.
#ifndef LUSYS_OSTREAM_H_
#define LUSYS_OSTREAM_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "lusys/types.h"

namespace lusys {

/// An abstract sink of characters of type C; a path prints itself into one.
template <class C>
class BasicOStream {
 public:
  virtual ~BasicOStream() = default;
  /// Does nothing here; a sink with a destination of its own may push to it.
  virtual void Flush() {}
  /// Does nothing here; a sink with a destination of its own may close it.
  virtual void Close() {}
  /// Takes the viewed characters (or as many of them as the sink holds).
  virtual void Write(const BasicRef<const C>& data) = 0;

  /// Appends a zero-terminated text through Write; null appends nothing.
  BasicOStream& operator<<(const C* text) {
    if (text != nullptr) Write(BasicRef<const C>(text, std::char_traits<C>::length(text)));
    return *this;
  }
  /// Appends the viewed characters through Write.
  BasicOStream& operator<<(const BasicRef<const C>& text) {
    Write(text);
    return *this;
  }

 protected:
  /// A sink has no data of its own here.
  ///@{
  BasicOStream() = default;
  BasicOStream(const BasicOStream&) = default;
  BasicOStream& operator=(const BasicOStream&) = default;
  ///@}
};

/// A sink that appends to a std::string it owns.
template <class C>
class BasicStrOStream : public BasicOStream<C> {
 public:
  BasicStrOStream() = default;
  ~BasicStrOStream() override = default;
  void Write(const BasicRef<const C>& data) override {
    text_.append(data.Data(), static_cast<std::size_t>(data.Length()));
  }
  /// Everything written so far.
  const std::basic_string<C>& Get() const noexcept { return text_; }

 private:
  std::basic_string<C> text_;
};

/// A sink over a caller's buffer: never writes past the view and keeps the
/// text inside it zero-terminated, so at most Length() - 1 characters fit. A
/// view of length 0 takes nothing.
template <class C>
class BasicCStrRefOStream : public BasicOStream<C> {
 public:
  /// A sink over `buffer`, made the empty text at once.
  explicit BasicCStrRefOStream(const BasicRef<C>& buffer) noexcept
      : buffer_(buffer.Length() == 0 ? nullptr : buffer.Data()),
        capacity_(buffer.Length() == 0 ? 0 : buffer.Length() - 1) {
    if (buffer_ != nullptr) buffer_[0] = C();
  }
  ~BasicCStrRefOStream() override = default;
  BasicCStrRefOStream(const BasicCStrRefOStream&) = delete;
  BasicCStrRefOStream& operator=(const BasicCStrRefOStream&) = delete;

  void Write(const BasicRef<const C>& data) override {
    if (buffer_ == nullptr) return;
    const std::uint64_t room = capacity_ - used_;
    const std::uint64_t n = data.Length() < room ? data.Length() : room;
    // An empty view may carry a null pointer, which memmove must never see.
    if (n != 0) std::memmove(buffer_ + used_, data.Data(), static_cast<std::size_t>(n) * sizeof(C));
    used_ += n;
    buffer_[used_] = C();
  }

 private:
  C* buffer_;
  std::uint64_t capacity_;
  std::uint64_t used_ = 0;
};

/// A zero-terminated text of at most N characters in a fixed array.
template <std::size_t N, class C>
class CStrOStream : public BasicOStream<C> {
 public:
  CStrOStream() noexcept : position_(buffer_) { *position_ = C(); }
  /// A copy holds the same text in its own array.
  ///@{
  CStrOStream(const CStrOStream& other) noexcept : BasicOStream<C>(other) { CopyFrom(other); }
  CStrOStream& operator=(const CStrOStream& other) noexcept {
    if (this != &other) {
      BasicOStream<C>::operator=(other);
      CopyFrom(other);
    }
    return *this;
  }
  ///@}
  ~CStrOStream() override = default;

  void Write(const BasicRef<const C>& data) override {
    const std::uint64_t room = N - static_cast<std::uint64_t>(position_ - buffer_);
    const std::uint64_t n = data.Length() < room ? data.Length() : room;
    if (n != 0) std::memmove(position_, data.Data(), static_cast<std::size_t>(n) * sizeof(C));
    position_ += n;
    *position_ = C();
  }
  /// The text, zero-terminated; valid while the sink lives.
  const C* Get() const noexcept { return buffer_; }

 private:
  // Copies only the characters in use and their zero.
  void CopyFrom(const CStrOStream& other) noexcept {
    const std::size_t count = static_cast<std::size_t>(other.position_ - other.buffer_);
    std::memmove(buffer_, other.buffer_, (count + 1) * sizeof(C));
    position_ = buffer_ + count;
  }

  C buffer_[N + 1];
  C* position_;
};

/// A counted text of at most N characters in a fixed array, not
/// zero-terminated.
template <std::size_t N, class C>
class BufOStream : public BasicOStream<C> {
 public:
  BufOStream() noexcept : position_(buffer_) {}
  /// A copy holds the same text in its own array, never pointing into the source's.
  ///@{
  BufOStream(const BufOStream& other) noexcept : BasicOStream<C>(other) { CopyFrom(other); }
  BufOStream& operator=(const BufOStream& other) noexcept {
    if (this != &other) {
      BasicOStream<C>::operator=(other);
      CopyFrom(other);
    }
    return *this;
  }
  ///@}
  ~BufOStream() override = default;

  void Write(const BasicRef<const C>& data) override {
    const std::uint64_t room = N - static_cast<std::uint64_t>(position_ - buffer_);
    const std::uint64_t n = data.Length() < room ? data.Length() : room;
    if (n != 0) std::memmove(position_, data.Data(), static_cast<std::size_t>(n) * sizeof(C));
    position_ += n;
  }
  /// A view of the text; valid while the sink lives and is not written to.
  BasicRef<const C> Get() const noexcept {
    return BasicRef<const C>(buffer_, static_cast<std::uint64_t>(position_ - buffer_));
  }

 private:
  void CopyFrom(const BufOStream& other) noexcept {
    const std::size_t count = static_cast<std::size_t>(other.position_ - other.buffer_);
    std::memmove(buffer_, other.buffer_, count * sizeof(C));
    position_ = buffer_ + count;
  }

  C buffer_[N];
  C* position_;
};

}  // namespace lusys

#endif  // LUSYS_OSTREAM_H_
