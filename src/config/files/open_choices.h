#pragma once
// The designs the open dialog offers from the working directory: the ranking's entry
// files (the champions' designs) and the other aircraft files lying there.
#include <string>
#include <vector>

namespace config {

struct RankingChoice {
  std::string GameFileName;  // e.g. "rank\rank3.txt"
  std::string Label;         // place, file, and the entry's name and distance when the table reads, UTF-8
  bool Exists = false;       // the entry file is there to be opened
};

// One choice per ranking place, best first, labelled from "rank\Ranking.txt" of the
// folder (the working directory unless given; elsewhere the names start with it).
std::vector<RankingChoice> RankingChoices(const std::string& folder = ".");

// The names of the ".txt" files in a folder (the working directory unless given) other
// than the design file, the game's own settings and data files and hidden files,
// sorted by name.
std::vector<std::string> OtherTextFiles(const std::string& folder = ".");

}  // namespace config
