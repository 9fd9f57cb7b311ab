// Basic types shared by lusys and lufio: the 32-bit offset and error-code
// aliases and the non-owning character view.
#ifndef LUSYS_TYPES_H_
#define LUSYS_TYPES_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace lusys {

/// Offsets, sizes and line-buffer sizes: signed 32-bit everywhere. This is
/// exactly `long` where `long` has 32 bits (64-bit Windows).
using Long = std::conditional_t<sizeof(long) == 4, long, std::int32_t>;
/// Error codes: unsigned 32-bit everywhere, exactly `unsigned long` where that
/// has 32 bits.
using ULong = std::conditional_t<sizeof(unsigned long) == 4, unsigned long, std::uint32_t>;

static_assert(sizeof(Long) == 4 && sizeof(ULong) == 4, "32-bit data model");

/// The largest offset, size or transfer piece: 2,147,483,647.
inline constexpr Long kLongMax = 0x7FFFFFFF;

/// A view of `length` elements starting at `data`. Never owns what it views.
template <class T>
class BasicRef {
 public:
  /// An empty view: a null pointer and a length of 0.
  constexpr BasicRef() noexcept = default;
  /// The `length` elements at `data`.
  constexpr BasicRef(T* data, std::uint64_t length) noexcept : data_(data), length_(length) {}

  /// A view of mutable elements converts to a view of const elements.
  template <class U, class = std::enable_if_t<std::is_same_v<const U, T> && !std::is_same_v<U, T>>>
  constexpr BasicRef(const BasicRef<U>& other) noexcept  // NOLINT(google-explicit-constructor)
      : data_(other.Data()), length_(other.Length()) {}

  /// A view of const characters views any text that converts to
  /// std::basic_string_view for as long as that text lives: a std::string, a
  /// std::string_view, a zero-terminated `const char*` or a char array (up to
  /// its first zero, as std::string takes them; a null pointer is an empty
  /// view, as with CStrRef). Literal views a literal's every character,
  /// zeros inside included.
  template <class S, class C = std::remove_const_t<T>,
            class = std::enable_if_t<std::conjunction_v<
                std::is_const<T>, std::disjunction<std::is_convertible<const S&, std::basic_string_view<C>>,
                                                   std::is_convertible<const S&, const C*>>>>>
  constexpr BasicRef(const S& text)  // NOLINT(google-explicit-constructor)
      : BasicRef(Viewed<C>(text)) {}

  /// The first element; null for a default view.
  constexpr T* Data() const noexcept { return data_; }
  /// The number of elements.
  constexpr std::uint64_t Length() const noexcept { return length_; }

 private:
  // A pointer or an array is read up to its zero (null: empty); any other
  // text through its std::basic_string_view.
  template <class C, class S>
  static constexpr BasicRef Viewed(const S& text) {
    if constexpr (std::is_convertible_v<const S&, const C*>) {
      const C* p = text;
      return p == nullptr ? BasicRef() : BasicRef(p, std::char_traits<C>::length(p));
    } else {
      const std::basic_string_view<C> view(text);
      return BasicRef(view.data(), view.size());
    }
  }

  T* data_ = nullptr;
  std::uint64_t length_ = 0;
};

/// A view of a string literal, without its terminating zero.
template <std::size_t N>
constexpr BasicRef<const char> Literal(const char (&text)[N]) noexcept {
  return BasicRef<const char>(text, N - 1);
}

/// A view of a zero-terminated text, without its zero; an empty view for null.
inline BasicRef<const char> CStrRef(const char* text) noexcept {
  return text == nullptr ? BasicRef<const char>() : BasicRef<const char>(text, std::strlen(text));
}

}  // namespace lusys

#endif  // LUSYS_TYPES_H_
