// A temporary directory of its own for each test, removed with everything in
// it when the object goes away, and small helpers for files.
#ifndef LUFIO_TESTS_SUPPORT_TEMP_DIR_H_
#define LUFIO_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>

namespace lufio::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the directory.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes `bytes` to `path` in binary, replacing what was there.
void WriteBytes(const std::string& path, const std::string& bytes);
// The whole content of `path` in binary; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// Open descriptors of this process where the system lists them (/proc/self/fd
// on Linux), else -1.
long OpenDescriptors();

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_TEMP_DIR_H_
