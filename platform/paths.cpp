#include "platform/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/cp932.h"

namespace platform {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.empty() ? "." : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of dir whose name equals name without regard to (ASCII) case; name itself if none.
std::string MatchComponent(const std::string& dir, const std::string& name) {
  const std::string where = dir.empty() ? "." : dir;
  const std::string exact = dir.empty() ? name : dir + "/" + name;
  struct stat st;
  if (lstat(exact.c_str(), &st) == 0) return name;
  DIR* d = opendir(where.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* entry = readdir(d)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

}  // namespace

std::string ResolvePath(const char* gamePath) {
  if (!gamePath) return std::string();
  const std::string utf8 = Cp932ToUtf8(gamePath, std::strlen(gamePath));
  std::vector<std::string> parts;
  std::string current;
  const bool absolute = !utf8.empty() && (utf8[0] == '/' || utf8[0] == '\\');
  for (char c : utf8) {
    if (c == '\\' || c == '/') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  std::string result = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty() || part == ".") continue;
    std::string name = part;
    if (part != ".." && IsDirectory(result)) name = MatchComponent(result, part);
    if (result == "/") {
      result += name;
    } else {
      result = result.empty() ? name : result + "/" + name;
    }
  }
  if (result.empty()) result = ".";
  return result;
}

std::string ResolvePath(const std::string& gamePath) { return ResolvePath(gamePath.c_str()); }

FILE* OpenRegularFile(const std::string& path, uint64_t maxBytes) {
  // Without blocking, so that opening a pipe does not wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<uint64_t>(st.st_size) > maxBytes) {
    close(fd);
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

bool SetGameDirectory(const std::string& dir, std::string* error) {
  if (chdir(dir.c_str()) != 0) {
    if (error) *error = "cannot enter game directory " + dir + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::string ExecutableDirectory() {
  char buffer[PATH_MAX + 1];
  const ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return ".";
  buffer[n] = 0;
  std::string path(buffer);
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace platform
