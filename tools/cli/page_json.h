#pragma once

// A page's outline (render/page_outline.h) as the document of lexicove-cli define --json,
// text in UTF-8 and pronunciations in Unicode IPA. A word page gives
//   {"word", "pronunciations": [..], "parts": [{"part", "notes": [N..], "senses":
//     [{"gloss", "samples": [..], "synonyms": [..], "links": N}]}], "forms": [{"note", "text"}]}
// where "links" is the entry index of the sense's Word Links page (define --links N) and
// "forms" are the page's numbered notes; a Word Links page gives
//   {"word", "entry", "gloss", "relations": [{"relation", "words": [..]}]}.
// The schema is docs/cli-json.schema.json.

#include "json_output.h"
#include "render/page_outline.h"

CliJson PageJson(const PageOutline& page);
