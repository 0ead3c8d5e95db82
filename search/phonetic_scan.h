#pragma once

// CPhoneticKey::Scan: one run of the sound rules over a text, for CPhoneticKey. It either
// encodes the text into two keys or consumes two rests of keys code by code; the letter rules
// are its members, each returning what it emits and how far the scan moves on.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "search/phonetic_key.h"

namespace phonetic {

// The outcome of a rule's test. Over a whole text every test is yes or no; over a prefix a
// test may depend on letters not yet seen ("more"). Tests combine in three-valued logic, so a
// condition is "more" only when its outcome really turns on the missing letters.
class Test {
  public:
    constexpr Test(bool holds) : value_(holds ? kYes : kNo) {}
    static constexpr Test More() { return Test(kMore); }

    constexpr bool IsYes() const { return value_ == kYes; }
    constexpr bool IsMore() const { return value_ == kMore; }

    friend constexpr Test operator!(Test a) {
        return a.value_ == kMore ? a : Test(a.value_ == kNo);
    }
    friend constexpr Test operator&&(Test a, Test b) {
        if (a.value_ == kNo || b.value_ == kNo) {
            return Test(false);
        }
        return (a.value_ == kMore || b.value_ == kMore) ? More() : Test(true);
    }
    friend constexpr Test operator||(Test a, Test b) {
        if (a.value_ == kYes || b.value_ == kYes) {
            return Test(true);
        }
        return (a.value_ == kMore || b.value_ == kMore) ? More() : Test(false);
    }

  private:
    enum Value : uint8_t { kNo, kYes, kMore };
    constexpr explicit Test(Value value) : value_(value) {}
    Value value_;
};

// A code a rule emits: nothing (main null), a single code (alternate null) or a pair.
struct Code {
    const char* main = nullptr;
    const char* alternate = nullptr;
};

// The empty side of a pair. An empty main code appends nothing to the primary key and, in
// matching, always matches. An absent alternate is the one-space marker: encoding never
// copies it and keys hold no spaces, so in matching only the main code can be taken.
constexpr const char* kEmpty = "";
constexpr const char* kNoAlternate = " ";

// What a rule does: up to two codes, emitted in order, and how far the scan moves on.
struct Rule {
    Code lead;
    Code code;
    int step = 1;
};

constexpr Rule Skip(int step) {
    return Rule{{}, {}, step};
}
constexpr Rule Emit(const char* code, int step) {
    return Rule{{}, {code, nullptr}, step};
}
constexpr Rule EmitPair(const char* main, const char* alternate, int step) {
    return Rule{{}, {main, alternate}, step};
}

}  // namespace phonetic

// One run of the rules over a text: either encoding into two keys, or consuming two rests.
// In prefix mode the text is only the beginning of the words to come, and a rule whose
// outcome depends on what follows stops the scan in front of it.
class CPhoneticKey::Scan {
  public:
    using Test = phonetic::Test;
    using Code = phonetic::Code;
    using Rule = phonetic::Rule;

    // Encoding: appends codes to both keys.
    Scan(std::string_view text, std::string* primary, std::string* alternate)
        : text_(text), primary_(primary), alternate_(alternate) {
        InitSlavoGermanic();
    }

    // Matching a word (prefixMode false) or a prefix (true) against two rests.
    Scan(std::string_view text, bool prefixMode, const char* primaryRest, const char* alternateRest)
        : text_(text),
          prefixMode_(prefixMode),
          primaryRest_(primaryRest),
          alternateRest_(alternateRest) {
        InitSlavoGermanic();
    }

    // Runs from position: false when both rests have become none; otherwise true, with
    // position after the last rule applied.
    bool Run(int& position);

    bool HasAlternate() const { return hasAlternate_; }
    const char* PrimaryRest() const { return primaryRest_; }
    const char* AlternateRest() const { return alternateRest_; }

  private:
    void InitSlavoGermanic();
    bool Matching() const { return primary_ == nullptr; }
    bool Apply(const Code& code);

    // A row's condition: yes or no decide the row; "more" marks the whole rule as
    // undecidable and reads as yes, so the handler returns at once and its rule is dropped.
    bool Holds(Test test) {
        if (test.IsMore()) {
            needsMore_ = true;
            return true;
        }
        return test.IsYes();
    }

    // Tests. Offsets are relative to the current position; before the text nothing matches.
    Test StringAt(int start, std::string_view s) const;
    Test At(int offset, std::string_view s) const { return StringAt(pos_ + offset, s); }
    Test AtAny(int offset, std::initializer_list<std::string_view> strings) const;
    Test Begins(std::string_view s) const { return StringAt(0, s); }
    Test BeginsAny(std::initializer_list<std::string_view> strings) const;
    Test EndsAny(std::initializer_list<std::string_view> strings) const;
    Test Letter(int offset, std::string_view letters) const;
    Test Vowel(int offset) const { return Letter(offset, "aeiouy"); }
    Test LengthIs(int length) const;
    Test First() const { return pos_ == 0; }
    Test Last() const { return LengthIs(pos_ + 1); }
    Test SlavoGermanic() const { return slavoGermanic_; }

    Rule StartRule();
    Rule RuleAt();
    Rule RuleC();
    Rule RuleD();
    Rule RuleG();
    Rule RuleH();
    Rule RuleJ();
    Rule RuleL();
    Rule RuleM();
    Rule RuleP();
    Rule RuleR();
    Rule RuleS();
    Rule RuleT();
    Rule RuleW();
    Rule RuleX();
    Rule RuleZ();

    std::string_view text_;
    int pos_ = 0;
    bool prefixMode_ = false;
    bool needsMore_ = false;
    Test slavoGermanic_ = false;
    std::string* primary_ = nullptr;
    std::string* alternate_ = nullptr;
    bool hasAlternate_ = false;
    const char* primaryRest_ = nullptr;
    const char* alternateRest_ = nullptr;
};
