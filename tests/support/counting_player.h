#pragma once

// CCountingPlayer: a sound player for tests that plays nothing and counts the waves it is given.

#include <string>

#include "speech/wave_player.h"

class CCountingPlayer : public IWavePlayer {
  public:
    bool PlayWave(const std::string& /*path*/) override {
        ++played;
        return true;
    }
    int played = 0;
};
