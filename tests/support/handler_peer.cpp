// The private virtual operations of FileHandler are reached through member
// pointers named in explicit instantiations, where the language does not check
// access: each instantiation of Expose defines the friend function Get of one
// tag, returning the member pointer. A call through the pointer dispatches
// virtually, like the file objects' own calls. The instantiations live in this
// one source file, as an explicit instantiation may appear only once.
#include "support/handler_peer.h"

namespace lufio {

namespace {

using Long = lusys::Long;
using FH = FileHandler;

template <class Tag, typename Tag::Type kMember>
struct Expose {
  friend typename Tag::Type Get(Tag) { return kMember; }
};

#define LUFIO_TEST_EXPOSE(Name, Signature)    \
  struct Name {                               \
    using Type = Signature;                   \
    friend Type Get(Name);                    \
  };                                          \
  template struct Expose<Name, &FH::Name>

LUFIO_TEST_EXPOSE(tell, Long (FH::*)());
LUFIO_TEST_EXPOSE(seek, Long (FH::*)(Long, FH::Whence));
LUFIO_TEST_EXPOSE(flush, void (FH::*)());
LUFIO_TEST_EXPOSE(open, bool (FH::*)(FH::Mode, FH::Type));
LUFIO_TEST_EXPOSE(close, void (FH::*)());
LUFIO_TEST_EXPOSE(read, std::uint64_t (FH::*)(char*, Long));
LUFIO_TEST_EXPOSE(write, std::uint64_t (FH::*)(const char*, Long));

#undef LUFIO_TEST_EXPOSE

}  // namespace

Long HandlerPeer::tell(FH& h) { return (h.*Get(lufio::tell{}))(); }
Long HandlerPeer::seek(FH& h, Long offset, FH::Whence whence) { return (h.*Get(lufio::seek{}))(offset, whence); }
void HandlerPeer::flush(FH& h) { (h.*Get(lufio::flush{}))(); }
bool HandlerPeer::open(FH& h, FH::Mode mode, FH::Type type) { return (h.*Get(lufio::open{}))(mode, type); }
void HandlerPeer::close(FH& h) { (h.*Get(lufio::close{}))(); }
std::uint64_t HandlerPeer::read(FH& h, char* buffer, Long size) { return (h.*Get(lufio::read{}))(buffer, size); }
std::uint64_t HandlerPeer::write(FH& h, const char* data, Long size) {
  return (h.*Get(lufio::write{}))(data, size);
}

}  // namespace lufio
