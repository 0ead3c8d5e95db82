#include "search/phonetic_scan.h"

#include <cstring>

namespace {

using phonetic::Code;
using phonetic::Emit;
using phonetic::EmitPair;
using phonetic::kEmpty;
using phonetic::kNoAlternate;
using phonetic::Rule;
using phonetic::Skip;
using phonetic::Test;

constexpr size_t npos = std::string_view::npos;

bool StartsWith(const char* rest, const char* code) {
    return std::strncmp(rest, code, std::strlen(code)) == 0;
}

// Moves a rest past a code; none when the rest spells neither side. The main code wins
// whenever it fits, and the choice is final.
const char* Advance(const char* rest, const Code& code) {
    if (rest == nullptr) {
        return nullptr;
    }
    if (StartsWith(rest, code.main)) {
        return rest + std::strlen(code.main);
    }
    if (code.alternate != nullptr && StartsWith(rest, code.alternate)) {
        return rest + std::strlen(code.alternate);
    }
    return nullptr;
}

}  // namespace

void CPhoneticKey::Scan::InitSlavoGermanic() {
    const bool found =
        text_.find('w') != npos || text_.find('k') != npos || text_.find("cz") != npos;
    // A prefix without any of the strings says nothing: they may still come.
    slavoGermanic_ = (found || !prefixMode_) ? Test(found) : Test::More();
}

Test CPhoneticKey::Scan::StringAt(int start, std::string_view s) const {
    if (start < 0) {
        return false;
    }
    const size_t length = text_.size();
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t index = static_cast<size_t>(start) + i;
        if (index >= length) {
            // The present part matched; the rest is still to come in a prefix.
            return prefixMode_ ? Test::More() : Test(false);
        }
        if (text_[index] != s[i]) {
            return false;
        }
    }
    return true;
}

Test CPhoneticKey::Scan::AtAny(int offset, std::initializer_list<std::string_view> strings) const {
    Test any = false;
    for (std::string_view s : strings) {
        any = any || At(offset, s);
    }
    return any;
}

Test CPhoneticKey::Scan::BeginsAny(std::initializer_list<std::string_view> strings) const {
    return AtAny(-pos_, strings);
}

Test CPhoneticKey::Scan::EndsAny(std::initializer_list<std::string_view> strings) const {
    if (prefixMode_) {
        return Test::More();
    }
    for (std::string_view s : strings) {
        if (text_.ends_with(s)) {
            return true;
        }
    }
    return false;
}

Test CPhoneticKey::Scan::Letter(int offset, std::string_view letters) const {
    const int index = pos_ + offset;
    if (index < 0) {
        return false;
    }
    if (static_cast<size_t>(index) >= text_.size()) {
        return prefixMode_ ? Test::More() : Test(false);
    }
    return letters.find(text_[index]) != npos;
}

// Whether the whole text is length letters long. A prefix rules out the lengths below its
// own; any other length is still possible.
Test CPhoneticKey::Scan::LengthIs(int length) const {
    const int present = static_cast<int>(text_.size());
    if (prefixMode_) {
        return length < present ? Test(false) : Test::More();
    }
    return length == present;
}

bool CPhoneticKey::Scan::Apply(const Code& code) {
    if (code.main == nullptr) {
        return true;
    }
    if (!Matching()) {
        primary_->append(code.main);
        if (code.alternate == nullptr) {
            alternate_->append(code.main);
        } else {
            hasAlternate_ = true;
            if (std::strcmp(code.alternate, kNoAlternate) != 0) {
                alternate_->append(code.alternate);
            }
        }
        return true;
    }
    primaryRest_ = Advance(primaryRest_, code);
    alternateRest_ = Advance(alternateRest_, code);
    return primaryRest_ != nullptr || alternateRest_ != nullptr;
}

bool CPhoneticKey::Scan::Run(int& position) {
    if (Matching() && primaryRest_ == nullptr && alternateRest_ == nullptr) {
        return false;
    }
    pos_ = position;
    if (pos_ == 0) {
        const Rule start = StartRule();
        if (needsMore_) {
            return true;
        }
        if (!Apply(start.code)) {
            return false;
        }
        pos_ = start.step;
    }
    const int length = static_cast<int>(text_.size());
    while (pos_ < length) {
        const Rule rule = RuleAt();
        if (needsMore_) {
            break;
        }
        if (!Apply(rule.lead) || !Apply(rule.code)) {
            return false;
        }
        pos_ += rule.step;
    }
    position = pos_;
    return true;
}

// Silent first letters, an initial x, an initial vowel. The step is the position the scan
// starts from.
Rule CPhoneticKey::Scan::StartRule() {
    if (Holds(BeginsAny({"gn", "kn", "pn", "wr", "ps"}))) {
        return Skip(1);
    }
    if (Holds(Letter(0, "x"))) {
        return Emit("S", 1);
    }
    if (Holds(Vowel(0))) {
        return Emit("A", 1);
    }
    return Skip(0);
}

Rule CPhoneticKey::Scan::RuleAt() {
    const char c = text_[pos_];
    if (pos_ > 0 && c == text_[pos_ - 1] && std::string_view("bfjknqrvz").find(c) != npos) {
        return Skip(1);
    }
    if (c < 'b' || c > 'z') {
        return Skip(1);
    }
    switch (c) {
        case 'b':
            return Emit("P", 1);
        case 'f':
        case 'v':
            return Emit("F", 1);
        case 'k':
        case 'q':
            return Emit("K", 1);
        case 'n':
            return Emit("N", 1);
        case 'c':
            return RuleC();
        case 'd':
            return RuleD();
        case 'g':
            return RuleG();
        case 'h':
            return RuleH();
        case 'j':
            return RuleJ();
        case 'l':
            return RuleL();
        case 'm':
            return RuleM();
        case 'p':
            return RuleP();
        case 'r':
            return RuleR();
        case 's':
            return RuleS();
        case 't':
            return RuleT();
        case 'w':
            return RuleW();
        case 'x':
            return RuleX();
        case 'z':
            return RuleZ();
        default:  // e, i, o, u, y
            return Skip(1);
    }
}

Rule CPhoneticKey::Scan::RuleC() {
    if (Holds(Test(pos_ > 1) && !Vowel(-2) && At(-1, "ach") && !Letter(2, "i") &&
              (!Letter(2, "e") || AtAny(-2, {"bacher", "macher"})))) {
        return Emit("K", 2);
    }
    if (Holds(First() && At(0, "caesar"))) {
        return Emit("S", 2);
    }
    if (Holds(At(0, "chia"))) {
        return Emit("K", 2);
    }
    const Test ch = At(0, "ch");
    if (Holds(ch && !First() && At(0, "chae"))) {
        return EmitPair("K", "X", 2);
    }
    if (Holds(ch && First() &&
              (AtAny(1, {"harac", "haris"}) || AtAny(1, {"hor", "hym", "hia", "hem"})) &&
              !Begins("chore"))) {
        return Emit("K", 2);
    }
    if (Holds(ch &&
              (BeginsAny({"van ", "von ", "sch"}) || AtAny(-2, {"orches", "archit", "orchid"}) ||
               Letter(2, "ts") || ((Letter(-1, "aoue") || First()) && Letter(2, "lrnmbhfvw "))))) {
        return Emit("K", 2);
    }
    if (Holds(ch && First())) {
        return Emit("X", 2);
    }
    if (Holds(ch && !Begins("mc"))) {
        return EmitPair("X", "K", 2);
    }
    if (Holds(ch)) {
        return Emit("K", 2);
    }
    if (Holds(At(0, "cz") && !At(-2, "wicz"))) {
        return EmitPair("S", "X", 2);
    }
    if (Holds(At(1, "cia"))) {
        return Emit("X", 2);
    }
    const Test cc = At(0, "cc") && !(Test(pos_ == 1) && Letter(-1, "m"));
    if (Holds(cc && (!Letter(2, "ieh") || At(2, "hu")))) {
        return Emit("K", 2);
    }
    if (Holds(cc && ((Test(pos_ == 1) && Letter(-1, "a")) || AtAny(-1, {"uccee", "ucces"})))) {
        return Emit("KS", 3);
    }
    if (Holds(cc)) {
        return Emit("X", 3);
    }
    if (Holds(AtAny(0, {"ck", "cg", "cq"}))) {
        return Emit("K", 2);
    }
    if (Holds(AtAny(0, {"cio", "cie", "cia"}))) {
        return EmitPair("S", "X", 2);
    }
    if (Holds(AtAny(0, {"ci", "ce", "cy"}))) {
        return Emit("S", 2);
    }
    if (Holds(AtAny(1, {" c", " q", " g"}))) {
        return Emit("K", 3);
    }
    if (Holds(Letter(1, "ckq") && !AtAny(1, {"ce", "ci"}))) {
        return Emit("K", 2);
    }
    return Emit("K", 1);
}

Rule CPhoneticKey::Scan::RuleD() {
    if (Holds(At(0, "dg") && Letter(2, "iey"))) {
        return Emit("J", 3);
    }
    if (Holds(At(0, "dg"))) {
        return Emit("TK", 2);
    }
    if (Holds(AtAny(0, {"dt", "dd"}))) {
        return Emit("T", 2);
    }
    return Emit("T", 1);
}

Rule CPhoneticKey::Scan::RuleG() {
    const Test gh = Letter(1, "h");
    if (Holds(gh && !First() && !Vowel(-1))) {
        return Emit("K", 2);
    }
    if (Holds(gh && First() && Letter(2, "i"))) {
        return Emit("J", 2);
    }
    if (Holds(gh && First())) {
        return Emit("K", 2);
    }
    if (Holds(gh &&
              ((Test(pos_ > 1) && Letter(-2, "bhd")) || (Test(pos_ > 2) && Letter(-3, "bhd")) ||
               (Test(pos_ > 3) && Letter(-4, "bh"))))) {
        return Skip(2);
    }
    if (Holds(gh && Test(pos_ > 2) && Letter(-1, "u") && Letter(-3, "cglrt"))) {
        return Emit("F", 2);
    }
    if (Holds(gh && !Letter(-1, "i"))) {
        return Emit("K", 2);
    }
    if (Holds(gh)) {
        return Skip(2);
    }
    const Test gn = Letter(1, "n");
    if (Holds(gn && Test(pos_ == 1) && Vowel(-1) && !SlavoGermanic())) {
        return EmitPair("KN", "N", 2);
    }
    if (Holds(gn && (At(2, "ey") || SlavoGermanic()))) {
        return Emit("KN", 2);
    }
    if (Holds(gn)) {
        return EmitPair("N", "KN", 2);
    }
    if (Holds(At(1, "li") && !SlavoGermanic())) {
        return EmitPair("KL", "L", 2);
    }
    if (Holds(First() && (Letter(1, "y") || AtAny(1, {"es", "ep", "eb", "el", "ey", "ib", "il",
                                                      "in", "ie", "ei", "er"})))) {
        return EmitPair("K", "J", 2);
    }
    if (Holds((At(1, "er") || Letter(1, "y")) && !BeginsAny({"danger", "ranger", "manger"}) &&
              !Letter(-1, "ei") && !AtAny(-1, {"rgy", "ogy"}))) {
        return EmitPair("K", "J", 2);
    }
    const Test soft = Letter(1, "eiy") || AtAny(-1, {"aggi", "oggi"});
    if (Holds(soft && (BeginsAny({"van ", "von ", "sch"}) || At(1, "et")))) {
        return Emit("K", 2);
    }
    if (Holds(soft && At(1, "ier "))) {
        return Emit("J", 2);
    }
    if (Holds(soft)) {
        return EmitPair("J", "K", 2);
    }
    if (Holds(Letter(1, "g"))) {
        return Emit("K", 2);
    }
    return Emit("K", 1);
}

Rule CPhoneticKey::Scan::RuleH() {
    if (Holds((First() || Vowel(-1)) && Vowel(1))) {
        return Emit("H", 2);
    }
    return Skip(1);
}

Rule CPhoneticKey::Scan::RuleJ() {
    const Test spanish = At(0, "jose") || Begins("san ");
    if (Holds(spanish && ((First() && Letter(4, " ")) || Begins("san ")))) {
        return Emit("H", 1);
    }
    if (Holds(spanish)) {
        return EmitPair("J", "H", 1);
    }
    if (Holds(First())) {
        return EmitPair("J", "A", 1);
    }
    if (Holds(Vowel(-1) && !SlavoGermanic() && Letter(1, "ao"))) {
        return EmitPair("J", "H", 1);
    }
    if (Holds(Last())) {
        return EmitPair("J", kNoAlternate, 1);
    }
    if (Holds(!Letter(1, "ltksnmbz") && !Letter(-1, "skl"))) {
        return Emit("J", 1);
    }
    return Skip(1);
}

Rule CPhoneticKey::Scan::RuleL() {
    if (Holds(!Letter(1, "l"))) {
        return Emit("L", 1);
    }
    if (Holds((LengthIs(pos_ + 3) && AtAny(-1, {"illo", "illa", "alle"})) ||
              (EndsAny({"as", "os", "a", "o"}) && At(-1, "alle")))) {
        return EmitPair("L", kNoAlternate, 2);
    }
    return Emit("L", 2);
}

Rule CPhoneticKey::Scan::RuleM() {
    if (Holds((At(-1, "umb") && (LengthIs(pos_ + 2) || At(2, "er"))) || Letter(1, "m"))) {
        return Emit("M", 2);
    }
    return Emit("M", 1);
}

Rule CPhoneticKey::Scan::RuleP() {
    if (Holds(Letter(1, "h"))) {
        return Emit("F", 2);
    }
    if (Holds(Letter(1, "pb"))) {
        return Emit("P", 2);
    }
    return Emit("P", 1);
}

Rule CPhoneticKey::Scan::RuleR() {
    if (Holds(Last() && At(-2, "ie") && !AtAny(-4, {"me", "ma"}) && !SlavoGermanic())) {
        return EmitPair(kEmpty, "R", 1);
    }
    return Emit("R", 1);
}

Rule CPhoneticKey::Scan::RuleS() {
    if (Holds(AtAny(-1, {"isl", "ysl"}))) {
        return Skip(1);
    }
    if (Holds(First() && At(0, "sugar"))) {
        return EmitPair("X", "S", 1);
    }
    const Test sh = At(0, "sh");
    if (Holds(sh && AtAny(1, {"heim", "hoek", "holm", "holz"}))) {
        return Emit("S", 2);
    }
    if (Holds(sh)) {
        return Emit("X", 2);
    }
    const Test sio = AtAny(0, {"sio", "sia"}) || At(0, "sian");
    if (Holds(sio && SlavoGermanic())) {
        return Emit("S", 3);
    }
    if (Holds(sio)) {
        return EmitPair("S", "X", 3);
    }
    if (Holds(Letter(1, "z"))) {
        return EmitPair("S", "X", 2);
    }
    if (Holds(First() && Letter(1, "mnlw"))) {
        return EmitPair("S", "X", 1);
    }
    const Test sc = At(0, "sc");
    if (Holds(sc && !Letter(2, "h") && Letter(2, "iey"))) {
        return Emit("S", 3);
    }
    if (Holds(sc && !Letter(2, "h"))) {
        return Emit("SK", 3);
    }
    if (Holds(sc && AtAny(3, {"er", "en"}))) {
        return EmitPair("X", "SK", 3);
    }
    if (Holds(sc && AtAny(3, {"oo", "uy", "ed", "em"}))) {
        return Emit("SK", 3);
    }
    if (Holds(sc && First() && !Vowel(3) && !Letter(3, "w"))) {
        return EmitPair("X", "S", 3);
    }
    if (Holds(sc)) {
        return Emit("X", 3);
    }
    if (Holds(Last() && AtAny(-2, {"ai", "oi"}))) {
        return EmitPair(kEmpty, "S", 1);
    }
    if (Holds(Letter(1, "sz"))) {
        return Emit("S", 2);
    }
    return Emit("S", 1);
}

Rule CPhoneticKey::Scan::RuleT() {
    if (Holds(At(0, "tion"))) {
        return Emit("X", 3);
    }
    if (Holds(AtAny(0, {"tia", "tch"}))) {
        return Emit("X", 3);
    }
    const Test th = AtAny(0, {"th", "tth"});
    if (Holds(th && (AtAny(2, {"om", "am"}) || BeginsAny({"van ", "von ", "sch"})))) {
        return Emit("T", 2);
    }
    if (Holds(th)) {
        return EmitPair("0", "T", 2);
    }
    if (Holds(Letter(1, "td"))) {
        return Emit("T", 2);
    }
    return Emit("T", 1);
}

// A w may emit two codes at once: the initial-vowel code of a leading w, then the code of
// the w itself. Both belong to one rule, applied only when all of its tests are decided.
Rule CPhoneticKey::Scan::RuleW() {
    if (Holds(At(0, "wr"))) {
        return Emit("R", 2);
    }
    Code lead;
    if (Holds(First() && Vowel(1))) {
        lead = Code{"A", "F"};
    } else if (Holds(First() && Begins("wh"))) {
        lead = Code{"A", nullptr};
    }
    Rule rule = Skip(1);
    if (Holds((Vowel(-1) && Last()) || AtAny(-1, {"ewski", "ewsky", "owski", "owsky"}) ||
              Begins("sch"))) {
        rule = EmitPair(kEmpty, "F", 1);
    } else if (Holds(AtAny(0, {"wicz", "witz"}))) {
        rule = EmitPair("TS", "FX", 4);
    }
    rule.lead = lead;
    return rule;
}

Rule CPhoneticKey::Scan::RuleX() {
    const bool silent = Holds(Last() && (AtAny(-3, {"iau", "eau"}) || AtAny(-2, {"au", "ou"})));
    const int step = Holds(Letter(1, "cx")) ? 2 : 1;
    return silent ? Skip(step) : Emit("KS", step);
}

Rule CPhoneticKey::Scan::RuleZ() {
    if (Holds(Letter(1, "h"))) {
        return Emit("J", 2);
    }
    if (Holds(AtAny(1, {"zo", "zi", "za"}) || (SlavoGermanic() && !First() && !Letter(-1, "t")))) {
        return EmitPair("S", "TS", 1);
    }
    return Emit("S", 1);
}
