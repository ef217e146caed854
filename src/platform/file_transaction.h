#pragma once
// Several files of one folder replaced as one change, and the lock that keeps two
// processes from changing (or reading) the folder at the same time.
//
// A change is written into a staging folder of its own inside the folder, every file
// synced; renaming the staging folder to the commit name is the one step that makes
// the change count. The files are then renamed into place one by one and the commit
// folder removed. A process that dies before the commit leaves a staging folder that
// the next recovery removes (the old files stay); one that dies after it leaves a
// commit folder that the next recovery finishes (the new files win). Either way the
// folder never shows a mixture of old and new files to a reader that recovers first.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileChange {
  std::string Name;     // file name inside the folder, no separators
  std::string Content;  // the file's new bytes
};

// Replaces the files as one change. False (and the old files all in force) when any
// step before the commit fails, e.g. on a full disk. Call with the folder's lock held.
bool ReplaceFilesTogether(std::string_view gameFolder, const std::vector<FileChange>& changes);

// Finishes a committed change that was not yet moved into place, removes the staging
// of one that never committed, and removes temporary files that earlier versions of
// the game left behind. Call with the folder's lock held, before reading the folder.
void RecoverFolder(std::string_view gameFolder);

// An exclusive lock on a folder, held from construction to destruction, shared by all
// processes that lock the same folder. The system drops it when the process ends, so a
// crashed game never keeps it. Locking waits for the holder; a folder that cannot be
// locked (missing, read-only) gives an unheld lock, and the caller goes on without it.
class FolderLock {
public:
  explicit FolderLock(std::string_view gameFolder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Held() const { return fd_ >= 0; }

private:
  int fd_ = -1;
};

// Names used inside a folder that holds transactions (for tests and recovery).
inline constexpr const char* kLockFileName = ".velkaro.lock";
inline constexpr const char* kCommitFolderName = ".velkaro-commit";
inline constexpr const char* kStagingPrefix = ".velkaro-new-";

}  // namespace platform
