#include "platform/io/file_transaction.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>

#include "platform/io/file_ops.h"
#include "platform/io/files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kLockFileMode = 0644;

// The temporary names earlier versions wrote next to their targets: "NAME.tmp" and
// "NAME.PID.COUNTER.tmp".
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

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether `name` is a temporary that an earlier version wrote beside one of the files.
bool IsOldTemporaryOf(std::string_view name, const std::vector<std::string>& fileNames) {
  if (!EndsWith(name, kOldTemporarySuffix)) return false;
  const std::string_view stem = name.substr(0, name.size() - kOldTemporarySuffix.size());
  for (const std::string& file : fileNames) {
    if (stem == file) return true;
    if (!StartsWith(stem, file + ".")) continue;
    const std::string_view numbers = stem.substr(file.size() + 1);  // "PID.COUNTER"
    const size_t dot = numbers.find('.');
    if (dot != std::string_view::npos && AllDigits(numbers.substr(0, dot)) && AllDigits(numbers.substr(dot + 1))) {
      return true;
    }
  }
  return false;
}

// The file's own type, never that of what a link points at (lstat).
fs::file_type OwnType(const std::string& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type();
}

// Removes a real folder of the game's and the plain files in it (staging and commit
// folders hold nothing else). Anything else in it stays, and so does the folder. False
// when the folder is not the game's to remove.
bool RemoveOwnFolder(const std::string& folder) {
  if (OwnType(folder) != fs::file_type::directory) return false;
  bool onlyFiles = true;
  for (const std::string& name : NamesIn(folder)) {
    const std::string path = Join(folder, name);
    if (OwnType(path) == fs::file_type::regular) {
      fileops::Remove(path);
    } else {
      onlyFiles = false;
    }
  }
  fileops::RemoveFolder(folder);
  return onlyFiles;
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
// Each rename replaces the old file (or a link standing in its place) as a whole. Only
// plain files move: a commit folder holding anything else was not made by the game.
bool RollForward(const std::string& folder, const std::string& commit) {
  bool onlyFiles = true;
  for (const std::string& name : NamesIn(commit)) {
    const std::string path = Join(commit, name);
    if (OwnType(path) == fs::file_type::regular) {
      fileops::Rename(path, Join(folder, name));
    } else {
      onlyFiles = false;
    }
  }
  fileops::SyncFolder(folder);
  if (fileops::RemoveFolder(commit) == 0) fileops::SyncFolder(folder);
  return onlyFiles;
}

std::string UniqueStagingName() {
  static std::atomic<unsigned> counter{0};
  return std::string(kStagingPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

RecoveryReport RecoverFolder(std::string_view gameFolder, const std::vector<std::string>& fileNames) {
  const std::string folder = NativePath(gameFolder);
  RecoveryReport report;
  const std::string commit = Join(folder, kCommitFolderName);
  const fs::file_type commitType = OwnType(commit);
  if (commitType == fs::file_type::directory) {
    if (!RollForward(folder, commit)) report.LeftAlone.push_back(kCommitFolderName);
  } else if (commitType != fs::file_type::not_found && commitType != fs::file_type::none) {
    report.LeftAlone.push_back(kCommitFolderName);
  }
  for (const std::string& name : NamesIn(folder)) {
    const std::string path = Join(folder, name);
    if (StartsWith(name, kStagingPrefix)) {
      if (!RemoveOwnFolder(path)) report.LeftAlone.push_back(name);
    } else if (IsOldTemporaryOf(name, fileNames)) {
      // Removing a name never touches what a link there points at.
      const fs::file_type type = OwnType(path);
      if (type == fs::file_type::regular || type == fs::file_type::symlink) fileops::Remove(path);
    }
  }
  return report;
}

bool ReplaceFilesTogether(std::string_view gameFolder, const std::vector<FileChange>& changes) {
  const std::string folder = NativePath(gameFolder);
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
    RemoveOwnFolder(staging);
    return false;
  }
  fileops::SyncFolder(folder);
  RollForward(folder, commit);
  return true;
}

namespace {

// Opens what the folder's lock is taken on; -1 when nothing safe can be opened.
int OpenLockTarget(const std::string& path) {
  constexpr int kNeverBlockOrFollow = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
  int fd = fileops::Open(path, O_RDWR | O_CREAT | kNeverBlockOrFollow, kLockFileMode);
  // flock works on a descriptor opened for reading only, so a lock file this user may
  // not write, or a folder by the lock's name, still locks: every game locks the same
  // file. A link (ELOOP under O_NOFOLLOW) is never followed.
  if (fd < 0 && errno != ELOOP) fd = fileops::Open(path, O_RDONLY | kNeverBlockOrFollow);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

FolderLock::FolderLock(std::string_view gameFolder, Wait wait) {
  fd_ = OpenLockTarget(Join(NativePath(gameFolder), kLockFileName));
  if (fd_ < 0) return;
  const int operation = wait == Wait::No ? LOCK_EX | LOCK_NB : LOCK_EX;
  while (::flock(fd_, operation) != 0) {
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
