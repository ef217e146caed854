#pragma once
// The file-system calls behind every change of a data file, in one place so that tests
// can make any of them fail, or end the process just before it, and check what the
// next start of the game finds.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform::fileops {

enum class Op { Open, Read, Write, Sync, Close, Rename, MakeFolder, RemoveFolder, Remove, SyncFolder };

// Each returns the system call's result (-1 with errno set on failure).
int Open(const std::string& path, int flags, unsigned mode = 0);
long Read(int fd, void* data, size_t size);
long Write(int fd, const void* data, size_t size);
int Sync(int fd);
int Close(int fd);
int Rename(const std::string& from, const std::string& to);
int MakeFolder(const std::string& path);
int RemoveFolder(const std::string& path);
int Remove(const std::string& path);
// Flushes a folder's entries (names created, renamed or removed in it) to disk.
int SyncFolder(const std::string& path);

// Writes all bytes, retrying short writes and interruptions; false on any failure.
bool WriteAll(int fd, std::string_view bytes);

namespace testing {
// Called before every operation above with the operation and its (first) path; a hook
// that returns false makes the operation fail with `FailWith` as errno. Pass an empty
// function to restore the real calls.
using Hook = std::function<bool(Op op, const std::string& path)>;
void SetHook(Hook hook, int failWith = 5 /* EIO */);
// Skips the syncs' disk flushes (the operations still happen, in order, and reach the
// hook): for tests that kill or fail operations, where waiting for the disk adds
// nothing but time.
void SkipDiskFlushes(bool skip);
// Replaces the low-level write, so a test can make a write land half way. Pass
// nullptr to restore the real one.
using WriteFunction = long (*)(int fd, const void* data, size_t size);
void SetWriteFunction(WriteFunction fn);
}  // namespace testing

}  // namespace platform::fileops
