#include "game/game.h"
#include "ranking/ranking_files.h"

namespace game {

void Shutdown(Game& g) {
  g.TailGraph.reset();
  g.TailPoint.reset();
  g.Aircraft.reset();  // closes the coordinate log
  g.Ghost.Flight.reset();
  ReleaseWater(g.World);
  if (g.Ranking) {
    g.ListFont.reset();
    ranking::SaveRanking(*g.Ranking);
    g.Ranking.reset();
  }
  g.FpsText.Font.reset();
  ReleaseSky(g.World);
}

}  // namespace game
