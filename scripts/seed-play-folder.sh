#!/usr/bin/env bash
# Fills a play folder with the shipped files it lacks: new art is added, nothing of the
# player's is replaced. The ranking folder is a whole: it is copied only when the play
# folder has none, so shipped entries never mix into a player's ranking.
# Usage: seed-play-folder.sh DATA_DIR PLAY_DIR
set -euo pipefail
data=$1 play=$2
mkdir -p "$play"
for entry in "$data"/*; do
  name=$(basename "$entry")
  if [ "$name" = rank ]; then
    if [ ! -e "$play/rank" ] && [ ! -L "$play/rank" ]; then
      # Copied under another name and renamed, so an interrupted copy leaves no half ranking.
      rm -rf "$play/.rank-seed"
      cp -r "$entry" "$play/.rank-seed"
      mv -T "$play/.rank-seed" "$play/rank"
    fi
  else
    cp -r --no-clobber "$entry" "$play"/
  fi
done
