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
// step before the commit fails, e.g. on a full disk, or when something that is not the
// game's own stands in the commit folder's place. Call with the folder's lock held,
// after RecoverFolder.
bool ReplaceFilesTogether(std::string_view gameFolder, const std::vector<FileChange>& changes);

// What a recovery found where the game's own staging or commit folder would be but did
// not touch, since the game did not make it: a link, a plain file, a folder holding
// more than plain files.
struct RecoveryReport {
  std::vector<std::string> LeftAlone;  // names inside the folder
};

// Finishes a committed change that was not yet moved into place, removes the staging
// of one that never committed, and removes temporary files that earlier versions of
// the game left beside `fileNames` (the files the folder's changes replace). Only what
// the game itself can have made is removed: real folders under its own names (never
// through a link) and the plain files in them, and temporaries under the names it used.
// Call with the folder's lock held, before reading the folder.
RecoveryReport RecoverFolder(std::string_view gameFolder, const std::vector<std::string>& fileNames);

// An exclusive lock on a folder, held from construction to destruction, shared by all
// processes that lock the same folder. The system drops it when the process ends, so a
// crashed game never keeps it. Locking waits for the holder. The lock file is made if
// it is missing; one this user may not write (another user's game made it) is locked
// read-only, and a folder in its place is locked itself. A link in its place is never
// followed, and a folder that cannot be locked at all gives an unheld lock: the caller
// must then leave the folder's files as they are.
class FolderLock {
public:
  enum class Wait { UntilFree, No };
  // With Wait::No the lock is taken only when it is free at once (else unheld).
  explicit FolderLock(std::string_view gameFolder, Wait wait = Wait::UntilFree);
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
