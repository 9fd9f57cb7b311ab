// WholeFile: whole reads over FileR and whole saves over SafeFileW.
//
// A read starts with a probe into a buffer on the stack: a small file ends
// there, with one read that takes it and one that meets the end, and costs
// no size measurement. A larger one is measured (Size and Tell) and the rest
// read in one piece into a string of its size; a source that cannot be
// measured, or that has more than it said, is read in pieces that double.
#include "lufio/whole_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/throw.h"
#include "lufio/error.h"
#include "lufio/safe_file.h"
#include "platform.h"

namespace lufio {

namespace {

constexpr std::size_t kProbe = 16 << 10;
// The first growing piece of a source whose size is unknown.
constexpr std::size_t kFirstPiece = 64 << 10;

// Reads into `out` from `have` until it is full or a read returns 0; returns
// the count it then holds.
std::size_t Fill(FileR& file, std::string& out, std::size_t have) {
  while (have < out.size()) {
    const std::uint64_t n = file.Read(lusys::BasicRef<char>(&out[have], out.size() - have));
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  return have;
}

// The bytes left from the current offset by the file's own measure; 0 when
// it cannot tell (a pipe, a position beyond 32 bits) or has nothing more to say.
// `at` is the offset when the caller knows it (-1: ask), a system call saved.
std::size_t Left(FileR& file, lusys::Long at) {
  try {
    const lusys::Long size = file.Size();
    if (at < 0) at = file.Tell();
    return size > at ? static_cast<std::size_t>(size - at) : 0;
  } catch (const Error&) {
    return 0;  // read in growing pieces instead
  }
}

// The rest of `file`, whose offset is `start` when that is known (-1: not).
std::string ReadRest(FileR& file, lusys::Long start) {
  char probe[kProbe];
  const std::uint64_t first = file.Read(lusys::BasicRef<char>(probe, sizeof(probe)));
  std::string out;
  // Measured: one string of the whole size, the rest in one read.
  if (const std::size_t left = first == sizeof(probe) ? Left(file, start < 0 ? -1 : start + kProbe) : 0; left != 0) {
    out.resize(sizeof(probe) + left);
    std::memcpy(&out[0], probe, sizeof(probe));
    const std::size_t have = Fill(file, out, sizeof(probe));
    if (have < out.size()) {
      out.resize(have);  // the end came early (a file cut meanwhile, text mode's line ends)
      return out;
    }
  } else {
    out.assign(probe, static_cast<std::size_t>(first));
    if (first == 0) return out;
  }
  // One more read meets the end; whatever comes instead is read in pieces
  // that double until a read returns 0.
  for (;;) {
    const std::uint64_t n = file.Read(lusys::BasicRef<char>(probe, sizeof(probe)));
    if (n == 0) return out;
    out.append(probe, static_cast<std::size_t>(n));
    const std::size_t have = out.size();
    out.resize(std::max(have * 2, kFirstPiece));
    const std::size_t filled = Fill(file, out, have);
    if (filled < out.size()) {
      out.resize(filled);
      return out;
    }
  }
}

}  // namespace

std::string WholeFile::Read(const lusys::CPPathFileBase& path, FileHandler::Type type,
                            const FileHandlerFactory& factory) {
  FileR file(path, type, factory);
  return ReadRest(file, 0);  // just opened: at the beginning
}

std::string WholeFile::Read(FileR& file) { return ReadRest(file, -1); }

std::uint64_t WholeFile::Read(const lusys::CPPathFileBase& path, const lusys::BasicRef<char>& buffer,
                              FileHandler::Type type, const FileHandlerFactory& factory) {
  FileR file(path, type, factory);
  return Read(file, buffer);
}

std::uint64_t WholeFile::Read(FileR& file, const lusys::BasicRef<char>& buffer) {
  std::uint64_t have = 0;
  while (have < buffer.Length()) {
    const std::uint64_t n = file.Read(lusys::BasicRef<char>(buffer.Data() + have, buffer.Length() - have));
    if (n == 0) return have;
    have += n;
  }
  char more = 0;
  if (file.Read(lusys::BasicRef<char>(&more, 1)) != 0) {
    throw Error(lusys::Literal(detail::kReadFailed), file.GetFileName(), sys::kBufferTooSmallError);
  }
  return have;
}

void WholeFile::Save(const lusys::CPPathFileBase& target, const lusys::BasicRef<const char>& data,
                     FileHandler::Type type, const FileHandlerFactory& factory) {
  SafeFileW out(target, type, factory);
  for (std::uint64_t done = 0; done < data.Length();) {
    const std::uint64_t n = out.Write(lusys::BasicRef<const char>(data.Data() + done, data.Length() - done));
    if (n == 0) throw Error(lusys::Literal(detail::kWriteFailed), target, sys::kShortWriteError);
    done += n;
  }
  out.Commit();
}

}  // namespace lufio
