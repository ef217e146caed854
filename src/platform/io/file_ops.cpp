#include "platform/io/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform::fileops {
namespace {

long RealWrite(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

testing::Hook g_hook;
int g_failWith = EIO;
testing::WriteFunction g_write = RealWrite;
bool g_skipFlushes = false;

// Whether the operation may go ahead; sets errno when the test hook refuses it.
bool Allowed(Op op, const std::string& path) {
  if (!g_hook || g_hook(op, path)) return true;
  errno = g_failWith;
  return false;
}

}  // namespace

int Open(const std::string& path, int flags, unsigned mode) {
  if (!Allowed(Op::Open, path)) return -1;
  return ::open(path.c_str(), flags | O_CLOEXEC, mode);
}

long Read(int fd, void* data, size_t size) {
  if (!Allowed(Op::Read, "")) return -1;
  return ::read(fd, data, size);
}

long Write(int fd, const void* data, size_t size) {
  if (!Allowed(Op::Write, "")) return -1;
  return g_write(fd, data, size);
}

int Sync(int fd) {
  if (!Allowed(Op::Sync, "")) return -1;
  return g_skipFlushes ? 0 : ::fsync(fd);
}

int Close(int fd) {
  if (!Allowed(Op::Close, "")) {
    ::close(fd);  // the descriptor is gone either way, as with a failing close
    return -1;
  }
  return ::close(fd);
}

int Rename(const std::string& from, const std::string& to) {
  if (!Allowed(Op::Rename, from)) return -1;
  return std::rename(from.c_str(), to.c_str());
}

int MakeFolder(const std::string& path) {
  if (!Allowed(Op::MakeFolder, path)) return -1;
  return ::mkdir(path.c_str(), 0755);
}

int RemoveFolder(const std::string& path) {
  if (!Allowed(Op::RemoveFolder, path)) return -1;
  return ::rmdir(path.c_str());
}

int Remove(const std::string& path) {
  if (!Allowed(Op::Remove, path)) return -1;
  return ::unlink(path.c_str());
}

int SyncFolder(const std::string& path) {
  if (!Allowed(Op::SyncFolder, path)) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int result = g_skipFlushes ? 0 : ::fsync(fd);
  ::close(fd);
  return result;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const long n = Write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

namespace testing {
void SetHook(Hook hook, int failWith) {
  g_hook = std::move(hook);
  g_failWith = failWith;
}
void SkipDiskFlushes(bool skip) { g_skipFlushes = skip; }
void SetWriteFunction(WriteFunction fn) { g_write = fn ? fn : RealWrite; }
}  // namespace testing

}  // namespace platform::fileops
