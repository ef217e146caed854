#include "platform/io/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "platform/io/file_ops.h"

namespace platform {
namespace {

constexpr size_t kReadChunkBytes = 65536;
constexpr unsigned kNewFileMode = 0644;

// Opens a file for reading only if it is a regular file: a FIFO, a device or a folder
// is refused at once instead of blocking in open or read (-2). -1 when it cannot be
// opened, with errno set.
constexpr int kNotRegular = -2;
int OpenRegularForReading(const std::string& path) {
  const int fd = fileops::Open(path, O_RDONLY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNotRegular;
  }
  return fd;
}

// Errors of open that mean there is no file to read, rather than one that cannot be
// read now.
bool MeansMissing(int error) { return error == ENOENT || error == ENOTDIR; }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// A temporary name beside the target that no other process or call uses.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
}

}  // namespace

std::string NativePath(std::string_view gameName) {
  std::string path(gameName);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

FileRead ReadFilePrefixChecked(std::string_view gameName, size_t maxBytes) {
  FileRead result;
  const int fd = OpenRegularForReading(NativePath(gameName));
  if (fd < 0) {
    result.Outcome = fd == kNotRegular || MeansMissing(errno) ? ReadOutcome::Missing : ReadOutcome::Unreadable;
    return result;
  }
  char buffer[kReadChunkBytes];
  result.Outcome = ReadOutcome::Read;
  while (result.Bytes.size() < maxBytes) {
    const long n = fileops::Read(fd, buffer, std::min(sizeof buffer, maxBytes - result.Bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.Outcome = ReadOutcome::Unreadable;
      result.Bytes.clear();
      break;
    }
    if (n == 0) break;
    result.Bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return result;
}

std::optional<std::string> ReadFilePrefix(std::string_view gameName, size_t maxBytes) {
  FileRead read = ReadFilePrefixChecked(gameName, maxBytes);
  if (read.Outcome != ReadOutcome::Read) return std::nullopt;
  return std::move(read.Bytes);
}

bool WriteFileAtomically(std::string_view gameName, std::string_view content) {
  const std::string target = NativePath(gameName);
  const std::string temp = TemporaryNameFor(target);
  // A new file of our own: never one that a link or another process put there.
  const int fd = fileops::Open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, kNewFileMode);
  if (fd < 0) return false;
  bool ok = fileops::WriteAll(fd, content) && fileops::Sync(fd) == 0;
  ok = fileops::Close(fd) == 0 && ok;
  // The rename replaces the target's name, a link standing there included, and never
  // writes through it.
  if (ok && fileops::Rename(temp, target) == 0) {
    fileops::SyncFolder(FolderOf(target));
    return true;
  }
  fileops::Remove(temp);
  return false;
}

bool WriteFile(std::string_view gameName, std::string_view content) {
  // No link is followed and only a regular file is written (a FIFO would block, a
  // device would take the bytes); it is emptied only once that is known.
  const int fd = fileops::Open(NativePath(gameName), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK, kNewFileMode);
  if (fd < 0) return false;
  struct stat info {};
  bool ok =
      ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) == 0 && fileops::WriteAll(fd, content);
  ok = fileops::Close(fd) == 0 && ok;
  return ok;
}

namespace testing {
void SetWriteFunction(WriteFunction fn) { fileops::testing::SetWriteFunction(fn); }
}  // namespace testing

}  // namespace platform
