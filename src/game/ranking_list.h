#pragma once
#include <cstdint>

#include "game/game.h"

namespace game {

// Which line of the ranking list is drawn in orange.
struct ListHighlight {
  enum class Kind : uint8_t {
    None,      // no line
    NewEntry,  // the entry the last registration made, if it ranked
    Entry,     // the entry in `Entry`
  };
  Kind What = Kind::None;
  int Entry = 0;  // 0..9, with Kind::Entry

  static ListHighlight NoLine() { return {}; }
  static ListHighlight NewEntry() { return {Kind::NewEntry, 0}; }
  static ListHighlight Line(int entry) { return {Kind::Entry, entry}; }
};

// The ten ranking lines in the upper left, the highlighted one in orange.
void DrawRankingList(Game& game, ListHighlight highlight);

}  // namespace game
