#pragma once

// CPhoneticKey: this system's Double Metaphone. One rule set serves three uses: encoding a
// query into a primary and an alternate sound key, testing a whole word against what is left
// of the two keys, and testing a word prefix so that a trie walk can drop a branch as soon as
// no word below it can sound like the query.
//
// Keys are made of the codes A (initial vowel), P, F, K, N, T, L, M, R, S, X (sh), J, H and
// 0 (th). Keys are not cut to a length; text is expected in lower case (upper-case letters,
// digits, spaces and other bytes produce no code) and is not padded, so the rules that look
// for a space need a real space in the text.
//
// Matching state. A trie walk carries, per branch, a position in the word and the two "rests":
// pointers into NUL-terminated keys (normally PrimaryKey() and AlternateKey() of this object)
// telling what is left to match. A rest of nullptr is "none": that key no longer matches.
// The walk starts with position 0 and the two keys (the alternate as nullptr when it is empty).

#include <string>
#include <string_view>

class CPhoneticKey {
  public:
    // Encodes the text. When no rule emitted a pair of codes, or both keys came out equal,
    // the alternate key is empty.
    explicit CPhoneticKey(std::string_view text);
    virtual ~CPhoneticKey();

    // The rests of a walk point into the keys, so the object stays where it is.
    CPhoneticKey(const CPhoneticKey&) = delete;
    CPhoneticKey& operator=(const CPhoneticKey&) = delete;

    // Both keys as NUL-terminated code strings, valid while the object lives. The primary key
    // is empty only when the text produced no code; the alternate key may be empty.
    const char* PrimaryKey() const { return primary_.c_str(); }
    const char* AlternateKey() const { return alternate_.c_str(); }

    // Scans the whole word from position and consumes the rests code by code; true when a rest
    // that is not none is empty at the end. At position 0 the scan begins with the start
    // rules. A negative position, or both rests none, gives false.
    bool MatchWord(std::string_view word, int position, const char* primaryRest,
                   const char* alternateRest) const;

    // The same scan over a prefix of the words to come. False when no word that begins with
    // the prefix can match. True otherwise, with the state advanced over every rule that the
    // prefix decides; the scan stops in front of the first rule that needs letters beyond
    // the prefix, so the state stays valid for any longer text that begins with the prefix.
    // Pass the state on to the test of a longer prefix or to MatchWord. On false the state is
    // left in an unspecified but safe condition.
    bool MatchPrefix(std::string_view prefix, int& position, const char*& primaryRest,
                     const char*& alternateRest) const;

    // One of a, e, i, o, u, y.
    static bool IsVowel(char c);

  private:
    class Scan;

    std::string primary_;
    std::string alternate_;
};
