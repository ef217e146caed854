#include "platform/os/data_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/io/file_ops.h"
#include "platform/text/language.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramFolder = "velkaro";
constexpr const char* kRankingFolder = "rank";
// Set by the build: where the shipped files are installed, relative to the programs.
#ifndef VELKARO_DATA_FROM_BIN
#define VELKARO_DATA_FROM_BIN "../share/velkaro"
#endif

bool HasMarker(const fs::path& folder, const DataFolderMarkers& markers) {
  std::error_code ec;
  if (fs::is_regular_file(folder / markers.Required, ec)) return true;
  return markers.Alternative && fs::is_regular_file(folder / markers.Alternative, ec);
}

std::string AbsoluteEnvPath(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return "";  // the XDG rules ignore relative paths
  return value;
}

// A name of this process beside `target`, for a copy that is renamed into place.
fs::path StagingName(const fs::path& target) {
  return target.parent_path() / (".velkaro-seed-" + std::to_string(getpid()) + "-" + target.filename().string());
}

bool Fail(std::string& error, const std::string& what, const fs::path& path, const std::error_code& ec) {
  error = what + " " + path.string() + ": " + ec.message();
  return false;
}

// Flushes a copied file's bytes to disk, so a power cut soon after the first start
// cannot leave an empty file behind under its name.
bool SyncFile(const fs::path& path) {
  const int fd = fileops::Open(path.string(), O_RDONLY);
  if (fd < 0) return false;
  const bool synced = fileops::Sync(fd) == 0;
  return fileops::Close(fd) == 0 && synced;
}

// Flushes a copied folder: its files, its subfolders, then its own entries.
bool SyncTree(const fs::path& folder) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const bool synced = it->is_directory(ec) ? fileops::SyncFolder(it->path().string()) == 0 : SyncFile(it->path());
    if (!synced) return false;
  }
  return !ec && fileops::SyncFolder(folder.string()) == 0;
}

// Copies one file to `target` through a staging name, so `target` appears whole or not
// at all. Never replaces an existing target (the rename is a link-and-unlink that
// refuses an existing name).
bool CopyFileIntoPlace(const fs::path& source, const fs::path& target, std::string& error) {
  std::error_code ec;
  const fs::path staging = StagingName(target);
  fs::remove(staging, ec);
  if (!fs::copy_file(source, staging, ec)) return Fail(error, "cannot copy to", staging, ec);
  if (!SyncFile(staging)) {
    const std::error_code syncError(errno, std::generic_category());
    fs::remove(staging, ec);
    return Fail(error, "cannot write", staging, syncError);
  }
  if (::link(staging.c_str(), target.c_str()) != 0 && errno != EEXIST) {
    const std::error_code linkError(errno, std::generic_category());
    fs::remove(staging, ec);
    return Fail(error, "cannot create", target, linkError);
  }
  fs::remove(staging, ec);
  fileops::SyncFolder(target.parent_path().string());
  return true;
}

// Copies a whole folder under a staging name and renames it into place when `target`
// does not exist yet.
bool CopyFolderIntoPlace(const fs::path& source, const fs::path& target, std::string& error) {
  std::error_code ec;
  const fs::path staging = StagingName(target);
  fs::remove_all(staging, ec);
  fs::copy(source, staging, fs::copy_options::recursive, ec);
  if (!ec && !SyncTree(staging)) ec.assign(errno, std::generic_category());
  if (ec) {
    fs::remove_all(staging, ec);
    return Fail(error, "cannot copy to", staging, ec);
  }
  if (fs::exists(target, ec)) {  // another start filled it meanwhile: theirs stays
    fs::remove_all(staging, ec);
    return true;
  }
  fs::rename(staging, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    return Fail(error, "cannot create", target, ec);
  }
  fileops::SyncFolder(target.parent_path().string());
  return true;
}

}  // namespace

std::string PlayerDataFolder() {
  std::string base = AbsoluteEnvPath("XDG_DATA_HOME");
  if (base.empty()) {
    const std::string home = AbsoluteEnvPath("HOME");
    base = (home.empty() ? std::string("/") : home) + "/.local/share";
  }
  return (fs::path(base) / kProgramFolder).lexically_normal().string();
}

std::string InstalledDataFolder() {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  return (program.parent_path() / VELKARO_DATA_FROM_BIN).lexically_normal().string();
}

DataFolderChoice ChooseDataFolder(const DataFolderMarkers& markers) {
  DataFolderChoice choice;
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  if (!ec && HasMarker(current, markers)) {
    choice.Folder = current.string();
    choice.WorkingDirectory = true;
    return choice;
  }
  choice.Folder = PlayerDataFolder();
  choice.InstalledCopy = InstalledDataFolder();
  return choice;
}

bool CopyMissingFiles(const std::string& from, const std::string& to, std::string& error) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (ec) return Fail(error, "cannot create", to, ec);
  // Breadth first over the shipped folder, so a folder exists before its files. Each
  // check has its error code of its own: only the listing's own error means the
  // shipped folder cannot be read.
  std::vector<fs::path> pending{fs::path()};
  while (!pending.empty()) {
    const fs::path relative = pending.back();
    pending.pop_back();
    std::error_code listing;
    for (fs::directory_iterator it(fs::path(from) / relative, listing), end; !listing && it != end;
         it.increment(listing)) {
      const fs::directory_entry& entry = *it;
      const fs::path name = relative / entry.path().filename();
      const fs::path target = fs::path(to) / name;
      std::error_code check;
      const bool isFolder = entry.is_directory(check);
      if (fs::exists(fs::symlink_status(target, check))) {
        if (isFolder && name != kRankingFolder && fs::is_directory(target, check)) pending.push_back(name);
        continue;  // the player's own file, folder or link stays as it is
      }
      if (isFolder) {
        if (name == kRankingFolder) {
          if (!CopyFolderIntoPlace(entry.path(), target, error)) return false;
          continue;
        }
        fs::create_directory(target, ec);
        if (ec) return Fail(error, "cannot create", target, ec);
        fileops::SyncFolder(target.parent_path().string());
        pending.push_back(name);
      } else if (entry.is_regular_file(check)) {
        if (!CopyFileIntoPlace(entry.path(), target, error)) return false;
      }
    }
    if (listing) return Fail(error, "cannot read", fs::path(from) / relative, listing);
  }
  return true;
}

bool EnterDataFolder(const DataFolderMarkers& markers, std::string& error) {
  const DataFolderChoice choice = ChooseDataFolder(markers);
  std::error_code ec;
  if (!choice.WorkingDirectory) {
    const bool installed = !choice.InstalledCopy.empty() && HasMarker(choice.InstalledCopy, markers);
    std::string copyError;
    if (installed && !CopyMissingFiles(choice.InstalledCopy, choice.Folder, copyError)) {
      error = "the game's files cannot be set up in " + choice.Folder + " (" + copyError + ")";
      return false;
    }
    if (!HasMarker(choice.Folder, markers)) {
      error = std::string("the game's files were not found: neither the working directory nor ") + choice.Folder +
              " holds " + markers.Required + ", and no installed copy is at " +
              (choice.InstalledCopy.empty() ? std::string("share/velkaro") : choice.InstalledCopy) +
              ". Start the game in its data folder or install it.";
      return false;
    }
  }
  fs::current_path(choice.Folder, ec);
  if (ec) {
    error = "cannot enter " + choice.Folder + ": " + ec.message();
    return false;
  }
  return true;
}

std::string DescribeDataFolder(const DataFolderMarkers& markers) {
  const DataFolderChoice choice = ChooseDataFolder(markers);
  const std::string marker = markers.Alternative
                                 ? Formatted(TranslatedUtf8(N_("%s または %s")), markers.Required, markers.Alternative)
                                 : std::string(markers.Required);
  std::string text =
      Formatted(TranslatedUtf8(N_("ファイル: 作業ディレクトリに %s があればそこ、なければ\n"
                                  "  $XDG_DATA_HOME/velkaro (~/.local/share/velkaro) です。そこにないファイルは\n"
                                  "  先にインストール先の share/velkaro からコピーします。\n")),
                marker.c_str());
  text += choice.WorkingDirectory
              ? Formatted(TranslatedUtf8(N_("  ここで起動すると %s (作業ディレクトリ) を使います。\n")),
                          choice.Folder.c_str())
              : Formatted(TranslatedUtf8(N_("  ここで起動すると %s を使います\n  (%s からコピー)。\n")),
                          choice.Folder.c_str(), choice.InstalledCopy.c_str());
  return text;
}

}  // namespace platform
