#pragma once

// Helpers for the render tests: synset records written out byte by byte, a sink that records
// what the renderer delivers, and a fixture database opened from a temporary folder.

#include <gtest/gtest.h>

#include <strings.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "db/dictionary_database.h"
#include "db/format.h"
#include "render/render_sink.h"
#include "support/fixture_writer.h"
#include "support/temp_dir.h"

namespace render_test {

struct Rel {
    uint8_t kind;
    uint32_t target;
    uint8_t targetWord = 0;
    uint8_t sourceWord = 0;
};

// A synset record: the words ended by CR, the last by LF, the gloss ended by LF, then the
// 6-byte relation entries.
inline std::string Synset(const std::vector<std::string>& words, const std::string& gloss,
                          const std::vector<Rel>& relations = {}) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        out += words[i];
        out += i + 1 == words.size() ? '\n' : '\r';
    }
    out += gloss;
    out += '\n';
    for (const Rel& r : relations) {
        out += static_cast<char>(r.kind);
        out += static_cast<char>(r.target & 0xFF);
        out += static_cast<char>((r.target >> 8) & 0xFF);
        out += static_cast<char>((r.target >> 16) & 0xFF);
        out += static_cast<char>(r.targetWord);
        out += static_cast<char>(r.sourceWord);
    }
    return out;
}

inline uint32_t Ref(uint8_t kind, uint32_t position) {
    return lcv::MakeRef(kind, position);
}

// Records every sink call. refuseAt: the HTML call (1-based) from which on the sink answers
// 0; 0 never refuses.
struct RecordingSink {
    std::string html;
    std::vector<std::string> notes;
    std::vector<std::string> pronunciations;
    std::vector<std::string> htmlCalls;
    int refuseAt = 0;

    static int Proc(void* context, const char* text, int length, int kind) {
        auto* self = static_cast<RecordingSink*>(context);
        std::string piece = length < 0 ? std::string(text) : std::string(text, size_t(length));
        switch (kind) {
            case RENDER_HTML:
                self->htmlCalls.push_back(piece);
                if (self->refuseAt != 0 && int(self->htmlCalls.size()) >= self->refuseAt) {
                    return 0;
                }
                self->html += piece;
                return 1;
            case RENDER_NOTE:
                for (size_t i = 0; i < self->notes.size(); ++i) {
                    if (strcasecmp(self->notes[i].c_str(), piece.c_str()) == 0) {
                        return int(i);
                    }
                }
                self->notes.push_back(piece);
                return int(self->notes.size()) - 1;
            case RENDER_PRONUNCIATION:
                self->pronunciations.push_back(piece);
                return 1;
            default:
                ADD_FAILURE() << "the renderer sent kind " << kind;
                return 0;
        }
    }
};

// A fixture database: append records and words, then Open.
class FixtureDatabase {
  public:
    CFixtureWriter& Writer() { return writer_; }
    uint32_t Append(const std::string& bytes) { return writer_.Append(bytes); }
    void AddWord(const std::string& word, std::vector<uint32_t> refs) {
        writer_.AddWord(word, std::move(refs));
    }
    CDictionaryDatabase& Open() {
        path_ = dir_.Path() + "wordnet.lcv";
        writer_.Write(path_);
        EXPECT_TRUE(db_.Open(path_.c_str()));
        return db_;
    }
    CDictionaryDatabase& Db() { return db_; }

    // Renders word through RenderEntry into a fresh recording sink.
    RecordingSink Render(const char* word, int entryIndex, bool* result = nullptr,
                         int refuseAt = 0) {
        RecordingSink sink;
        sink.refuseAt = refuseAt;
        uint32_t number = db_.FindWord(word);
        EXPECT_NE(number, 0u) << word;
        bool ok = db_.RenderEntry(RecordingSink::Proc, &sink, word, number, entryIndex);
        if (result != nullptr) {
            *result = ok;
        }
        return sink;
    }

  private:
    CTempDir dir_;
    CFixtureWriter writer_;
    std::string path_;
    CDictionaryDatabase db_;
};

// Page fragments, as the renderer writes them.
inline std::string Link(const std::string& word, bool last) {
    return "<a href=\"" + word + "\">" + word + (last ? "</a>" : "</a>, ");
}
inline std::string SynonymTable(const std::vector<std::string>& words) {
    std::string out =
        "<table cellspacing=2 cellpadding=0><tr><td valign=top><small><font "
        "color=007070>&nbsp;syn. </font></small></td><td valign=top><small>";
    for (size_t i = 0; i < words.size(); ++i) {
        out += Link(words[i], i + 1 == words.size());
    }
    return out + "</small></td></tr></table> ";
}
inline std::string Sample(const std::string& text) {
    return " \x95 <i><font color=006020>" + text + "</font></i> ";
}
inline std::string SenseLink(const std::string& word, int index) {
    return "&nbsp;<a href=\"" + word + ":" + std::to_string(index) +
           "\"><img src=link.gif border=0></a>";
}
inline std::string NoteMarker(int number) {
    return "&nbsp;<sup><small><b><font color=#808080>" + std::to_string(number) +
           "</font></b></small></sup>";
}
inline const char* Spacer() {
    return "<br><img src=pixel.gif width=1 height=2>";
}

}  // namespace render_test
