#include "platform/file_transaction.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/file_ops.h"
#include "platform/files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// The temporary names earlier versions wrote next to their targets.
constexpr std::string_view kOldTemporarySuffix = ".tmp";

std::string Join(const std::string& folder, std::string_view name) { return folder + "/" + std::string(name); }

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(it->path().filename().string());
  }
  return names;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }
bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Removes a folder and the plain files in it (staging folders hold nothing else).
void RemoveFolderAndFiles(const std::string& folder) {
  for (const std::string& name : NamesIn(folder)) fileops::Remove(Join(folder, name));
  fileops::RemoveFolder(folder);
}

// Writes one new file that nobody else can have opened, and syncs it.
bool WriteNewFile(const std::string& path, const std::string& content) {
  const int fd = fileops::Open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  bool ok = fileops::WriteAll(fd, content) && fileops::Sync(fd) == 0;
  ok = fileops::Close(fd) == 0 && ok;
  return ok;
}

// Moves every file of a committed change into place, then removes the commit folder.
// Each rename replaces the old file (or a link standing in its place) as a whole.
void RollForward(const std::string& folder, const std::string& commit) {
  for (const std::string& name : NamesIn(commit)) fileops::Rename(Join(commit, name), Join(folder, name));
  fileops::SyncFolder(folder);
  if (fileops::RemoveFolder(commit) == 0) fileops::SyncFolder(folder);
}

std::string UniqueStagingName() {
  static std::atomic<unsigned> counter{0};
  return std::string(kStagingPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

void RecoverFolder(std::string_view gameFolder) {
  const std::string folder = NativePath(gameFolder);
  const std::string commit = Join(folder, kCommitFolderName);
  std::error_code error;
  if (fs::is_directory(fs::symlink_status(commit, error))) RollForward(folder, commit);
  for (const std::string& name : NamesIn(folder)) {
    const std::string path = Join(folder, name);
    if (StartsWith(name, kStagingPrefix)) {
      RemoveFolderAndFiles(path);
    } else if (EndsWith(name, kOldTemporarySuffix) && !fs::is_directory(fs::symlink_status(path, error))) {
      fileops::Remove(path);
    }
  }
}

bool ReplaceFilesTogether(std::string_view gameFolder, const std::vector<FileChange>& changes) {
  const std::string folder = NativePath(gameFolder);
  RecoverFolder(gameFolder);
  const std::string staging = Join(folder, UniqueStagingName());
  if (fileops::MakeFolder(staging) != 0) return false;
  bool ok = true;
  for (const FileChange& change : changes) {
    if (!(ok = WriteNewFile(Join(staging, change.Name), change.Content))) break;
  }
  ok = ok && fileops::SyncFolder(staging) == 0;
  // The commit: one rename. Before it nothing counts; after it the change is in force,
  // even if a later step fails (the next recovery finishes what is left).
  const std::string commit = Join(folder, kCommitFolderName);
  if (!ok || fileops::Rename(staging, commit) != 0) {
    RemoveFolderAndFiles(staging);
    return false;
  }
  fileops::SyncFolder(folder);
  RollForward(folder, commit);
  return true;
}

FolderLock::FolderLock(std::string_view gameFolder) {
  const std::string path = Join(NativePath(gameFolder), kLockFileName);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    ::close(fd_);
    fd_ = -1;
    return;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock
}

}  // namespace platform
