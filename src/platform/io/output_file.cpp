#include "platform/io/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <streambuf>

#include "platform/io/file_ops.h"
#include "platform/io/files.h"

namespace platform {
namespace {

constexpr unsigned kNewFileMode = 0644;
constexpr size_t kBufferBytes = 8192;

// A stream buffer over a file descriptor it owns: bytes are collected and written in
// blocks, and the rest when the stream is flushed or destroyed.
class FileDescriptorBuffer : public std::streambuf {
public:
  explicit FileDescriptorBuffer(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
  ~FileDescriptorBuffer() override {
    sync();
    ::close(fd_);
  }

protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override {
    const bool written = fileops::WriteAll(fd_, std::string_view(pbase(), static_cast<size_t>(pptr() - pbase())));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written ? 0 : -1;
  }

private:
  int fd_;
  std::array<char, kBufferBytes> buffer_{};
};

class FileStream : public std::ostream {
public:
  explicit FileStream(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

private:
  FileDescriptorBuffer buffer_;
};

}  // namespace

std::unique_ptr<std::ostream> OpenOutputFile(std::string_view gameName) {
  const std::string path = NativePath(gameName);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kNewFileMode);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FileStream>(fd);
}

}  // namespace platform
