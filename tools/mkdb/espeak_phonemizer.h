#pragma once

// CEspeakPhonemizer: espeak-ng's own phonemizer, for the words CMUdict lacks. espeak-ng is
// opened without any audio output (its retrieval mode) and with its American English voice,
// the accent of CMUdict; it writes no file. One instance at a time: espeak-ng's state is
// process-wide.

#include <string>

class CEspeakPhonemizer {
  public:
    CEspeakPhonemizer() = default;
    CEspeakPhonemizer(const CEspeakPhonemizer&) = delete;
    CEspeakPhonemizer& operator=(const CEspeakPhonemizer&) = delete;
    virtual ~CEspeakPhonemizer();

    // False with a message when espeak-ng or its English voice cannot be loaded.
    bool Open(std::string* error);
    // The IPA (UTF-8) that espeak-ng gives a word or text, its stress marks included; empty
    // when it gives none.
    std::string Ipa(const std::string& text) const;

  private:
    bool open_ = false;
};
