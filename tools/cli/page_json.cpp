#include "page_json.h"

#include "cli.h"
#include "render/ipa_encoding.h"

namespace {

CliJson SenseJson(const OutlineSense& sense) {
    CliJson json = {{"gloss", ToUtf8(sense.gloss)},
                    {"samples", WordsJson(sense.samples)},
                    {"synonyms", WordsJson(sense.synonyms)}};
    if (sense.links > 0) {
        json["links"] = sense.links;
    }
    if (!sense.notes.empty()) {
        json["notes"] = sense.notes;
    }
    return json;
}

}  // namespace

CliJson PageJson(const PageOutline& page) {
    CliJson json = {{"word", ToUtf8(page.word)}};
    if (page.entry > 0) {
        json["entry"] = page.entry;
        json["gloss"] = ToUtf8(page.gloss);
        json["relations"] = CliJson::array();
        for (const OutlineRelation& relation : page.relations) {
            json["relations"].push_back(
                {{"relation", ToUtf8(relation.relation)}, {"words", WordsJson(relation.words)}});
        }
        return json;
    }
    json["pronunciations"] = CliJson::array();
    for (const std::string& pronunciation : page.pronunciations) {
        json["pronunciations"].push_back(IpaToUtf8(pronunciation.c_str()));
    }
    json["parts"] = CliJson::array();
    for (const OutlinePart& part : page.parts) {
        CliJson senses = CliJson::array();
        for (const OutlineSense& sense : part.senses) {
            senses.push_back(SenseJson(sense));
        }
        json["parts"].push_back(
            {{"part", ToUtf8(part.part)}, {"notes", part.notes}, {"senses", senses}});
    }
    json["forms"] = CliJson::array();
    for (const OutlineNote& note : page.forms) {
        json["forms"].push_back({{"note", note.number}, {"text", ToUtf8(note.text)}});
    }
    return json;
}
