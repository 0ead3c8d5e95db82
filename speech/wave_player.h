#pragma once

// IWavePlayer: plays a wave file by name, synchronously: the call returns when the sound has
// been played (or could not be). The program plays through CSystemWavePlayer; tests put a
// recording player in its place.

#include <string>

class IWavePlayer {
  public:
    virtual ~IWavePlayer() = default;

    // True when the whole file was played.
    virtual bool PlayWave(const std::string& path) = 0;
};
