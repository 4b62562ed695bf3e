#pragma once

#include <string>

namespace testing_support {

// A fresh directory under $TMPDIR (or /tmp), removed with its contents when the object dies.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to a file (test set-up only; aborts the test on failure).
void writeFile(const std::string& path, const std::string& bytes);
// Reads a whole file; empty when missing.
std::string readFile(const std::string& path);

}  // namespace testing_support
