#include "platform/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

long RealWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

testing::WriteFunction g_write = RealWrite;

bool WriteAll(int fd, std::string_view content) {
  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    long n = g_write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string NativePath(std::string_view gameName) {
  std::string path(gameName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::optional<std::string> ReadFilePrefix(std::string_view gameName, size_t maxBytes) {
  const std::string path = NativePath(gameName);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;  // opens, but holds no text
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data;
  char buffer[65536];
  while (data.size() < maxBytes && in.read(buffer, sizeof buffer).gcount() > 0) {
    data.append(buffer, std::min<size_t>(static_cast<size_t>(in.gcount()), maxBytes - data.size()));
  }
  return data;
}

bool WriteFileAtomically(std::string_view gameName, std::string_view content) {
  const std::string target = NativePath(gameName);
  const std::string temp = target + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && std::rename(temp.c_str(), target.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

bool WriteFile(std::string_view gameName, std::string_view content) {
  std::ofstream out(NativePath(gameName), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  return !out.fail();
}

namespace testing {
void SetWriteFunction(WriteFunction fn) { g_write = fn ? fn : RealWrite; }
}  // namespace testing

}  // namespace platform
