#include "receiver/window_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <ostream>

namespace receiver {

std::string windowModulePath(const std::string& programPath, const std::string& relativePath) {
  if (!relativePath.empty() && relativePath.front() == '/') return relativePath;
  const size_t slash = programPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : programPath.substr(0, slash);
  return (folder.empty() ? std::string("/") : folder + "/") + relativePath;
}

std::string runningProgramPath() {
  std::string path(256, '\0');
  while (true) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < path.size()) {
      path.resize(static_cast<size_t>(length));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

int runWindowModule(const std::string& modulePath, int* argc, char** argv,
                    const std::string& dataDir, std::ostream& err) {
  // Loaded for the rest of the process: the window's objects outlive the entry's return until
  // exit.
  void* module = ::dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (module == nullptr) {
    // The loader's reason names the file.
    const char* reason = ::dlerror();
    err << "mailpump: cannot load its window: " << (reason != nullptr ? reason : modulePath)
        << std::endl;
    return 1;
  }
  auto entry = reinterpret_cast<WindowEntry>(::dlsym(module, kWindowEntryName));
  if (entry == nullptr) {
    err << "mailpump: " << modulePath << " is not mailpump's window (no " << kWindowEntryName << ")"
        << std::endl;
    return 1;
  }
  return entry(argc, argv, dataDir.c_str());
}

}  // namespace receiver
