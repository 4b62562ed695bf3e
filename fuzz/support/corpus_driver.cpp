// The main() of a fuzz target built without libFuzzer: runs the target once on every file named
// on the command line and on every regular file inside each folder named there (in name order),
// so the corpora serve as regression inputs in any build. Options starting with '-' (libFuzzer's)
// are ignored, so one command line suits both kinds of build.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> files;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* entry = ::readdir(d)) {
      const std::string path = dir + "/" + entry->d_name;
      struct stat st {};
      if (entry->d_name[0] != '.' && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        files.push_back(path);
    }
    ::closedir(d);
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool runFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  std::fprintf(stderr, "Running: %s\n", path.c_str());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t runs = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.empty() || arg[0] == '-') continue;
    const std::vector<std::string> files = isDirectory(arg) ? filesIn(arg) : std::vector{arg};
    for (const std::string& file : files) {
      ok = runFile(file) && ok;
      ++runs;
    }
  }
  std::fprintf(stderr, "Executed %zu inputs\n", runs);
  return ok && runs > 0 ? 0 : 1;
}
