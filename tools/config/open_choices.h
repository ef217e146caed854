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

// One choice per ranking place, best first, labelled from "rank\Ranking.txt".
std::vector<RankingChoice> RankingChoices();

// The ".txt" files in the working directory other than the design file and the game's
// own settings and data files, sorted by name.
std::vector<std::string> OtherTextFiles();

}  // namespace config
