#pragma once
// The online league as the game sees it (an option, off by default: without a link the
// game sends nothing and opens no connection). The link puts each registered flight
// in the player's outbox and sends it off the tick; the game only hands flights over
// and reads what the league said.
#include <string>
#include <vector>

namespace game {

class LeagueLink {
public:
  virtual ~LeagueLink() = default;
  // The flight the ranking has just registered: its entry file's text (the design's
  // lines, the separator, the tail settings) and the distance the game showed (m).
  virtual void SendFlight(const std::string& entryText, float distance) = 0;
  // What the league said since the last call, oldest first (Shift-JIS lines for the
  // status line: "リーグ 12位 (open)", a refusal's reason, the league out of reach).
  virtual std::vector<std::string> TakeNews() = 0;

  // The best flights of the player's contest, fetched off the tick on request.
  struct TopFlight {
    std::string LabelSjis;  // "1. 山田  404.82m"
    std::string Entry;      // the entry file's text; empty when it cannot be flown here
    std::string NameSjis;   // how a ghost line names it
  };
  virtual void RequestTop() {}
  // The last top fetched, best first; empty before one has come. The menu reads it at
  // every tick: a reference, never a copy of the entry files.
  virtual const std::vector<TopFlight>& TopFlights() const {
    static const std::vector<TopFlight> none;
    return none;
  }
};

}  // namespace game
