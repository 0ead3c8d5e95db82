#pragma once

// CSystemWavePlayer: the system sound player. Runs the first of "pw-play", "paplay" and
// "aplay" found on PATH with the wave file's name and waits until it has ended. The player's
// own output goes to /dev/null.

#include <string>

#include "speech/wave_player.h"

class CSystemWavePlayer : public IWavePlayer {
  public:
    bool PlayWave(const std::string& path) override;

    // The full path of the first player found, or an empty string when there is none.
    static std::string FindPlayer();
};
