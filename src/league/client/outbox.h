#pragma once
// Flights on their way to the league: each one a file in the outbox folder of the
// player's folder, written before anything is sent and removed only once the league
// has answered, so that no flight is lost to a crash, a closed game or a missing
// network. Two games in one folder share it; its lock makes each file go out once.
#include <optional>
#include <string>
#include <vector>

namespace league {

inline constexpr const char* kOutboxFolder = "league-outbox";

// Writes the submission's JSON body as a new file of the outbox (made when missing);
// false when it cannot be written.
bool PutInOutbox(const std::string& body);

// The outbox's flights, oldest first (their names in the folder).
std::vector<std::string> OutboxFlights();

// A flight's body; nothing when it is gone or cannot be read.
std::optional<std::string> ReadOutboxFlight(const std::string& name);

// Takes a flight out: sent, or (`damaged`) moved aside as "<name>.damaged" so that it
// stays for the player to see but never blocks the others.
void TakeOutOfOutbox(const std::string& name, bool damaged = false);

}  // namespace league
