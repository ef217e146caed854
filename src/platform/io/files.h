#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Turns a game file name, written with backslashes as folder separators
// ("rank\Ranking.txt"), into a path for this system. Every file the game opens goes
// through here.
std::string NativePath(std::string_view gameName);

// Reads at most maxBytes from the start of a file; nothing when it cannot be opened
// or is not a regular file (a FIFO, a device or a folder is refused at once, never
// waited on). Parsers only ever need a bounded prefix, so a huge file never costs more
// memory than that.
// A read error part way is a failure, never taken for the end of the file.
std::optional<std::string> ReadFilePrefix(std::string_view gameName, size_t maxBytes);

// The same, telling a file that is not there (or is not a regular file) from one that
// is there but cannot be read now (no permission, too many open files, an I/O error):
// such a file still holds its bytes, and nothing may be written over it.
enum class ReadOutcome { Read, Missing, Unreadable };
struct FileRead {
  ReadOutcome Outcome = ReadOutcome::Missing;
  std::string Bytes;  // when Read
};
FileRead ReadFilePrefixChecked(std::string_view gameName, size_t maxBytes);

// Replaces a file's content as a whole: the bytes go to a new temporary file of this
// process in the same folder, which is flushed to disk and then renamed over the
// target (a link in the target's place is replaced, never written through); the
// folder is synced. A failure at any point leaves the previous file untouched and
// returns false.
bool WriteFileAtomically(std::string_view gameName, std::string_view content);

// Creates or empties a regular file and writes the bytes (for files nobody depends on,
// such as an export). A link, a FIFO or a device in its place is refused. Returns
// false when the file cannot be created or written.
bool WriteFile(std::string_view gameName, std::string_view content);

namespace testing {
// Replaces the low-level write used by WriteFileAtomically, so tests can make a
// write fail half way. Pass nullptr to restore the real one.
using WriteFunction = long (*)(int fd, const void* data, size_t size);
void SetWriteFunction(WriteFunction fn);
}  // namespace testing

}  // namespace platform
