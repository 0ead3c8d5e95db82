#!/usr/bin/env python3
"""lexicove-cli --json on the real dictionary, checked against docs/cli-json.schema.json with
Debian's python3-jsonschema, and against what the plain-text page says.

    json_schema_test.py LEXICOVE_CLI DATABASE SCHEMA
"""
import json
import subprocess
import sys

import jsonschema

cli, database, schema_path = sys.argv[1:4]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []


def run(*args):
    done = subprocess.run([cli, "--database", database, *args], capture_output=True)
    return done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")


def document(*args):
    status, out, err = run(*args)
    if status != 0:
        failures.append(f"{args}: status {status}: {err}")
        return None
    value = json.loads(out.decode("utf-8"))  # strict UTF-8: a stray 8-bit byte fails here
    for error in validator.iter_errors(value):
        failures.append(f"{args}: {error.message}")
    return value


def expect(condition, what):
    if not condition:
        failures.append(what)


# Every command's document fits the schema.
for args in (["define", "--json", "run"], ["define", "--json", "ice", "cream"],
             ["define", "--json", "good"], ["define", "--json", "geese"],
             ["define", "--json", "--links", "10", "run"], ["list", "--json", "ru", "-n", "5"],
             ["list", "--json"], ["random", "--json", "-n", "5"], ["keys", "--json", "Smith"],
             ["search", "--json", "--puzzle", "c?t"], ["search", "--json", "--wildcard", "*",
                                                        "--limit", "3"],
             ["suggest", "--json", "recieve"]):
    document(*args)

# The word page holds what the plain page shows.
run_page = document("define", "--json", "run")
_, plain, _ = run("define", "run")
plain = plain.decode("utf-8")
if run_page:
    expect(run_page["word"] == "run", "the page of run is not of run")
    expect(run_page["pronunciations"] == ["ˈrʌn"], f"pronunciations {run_page['pronunciations']}")
    parts = [p["part"] for p in run_page["parts"]]
    expect(parts == ["noun", "verb"], f"parts {parts}")
    senses = [s for p in run_page["parts"] for s in p["senses"]]
    expect(len(senses) == plain.count("[links "), "a sense is missing")
    first = run_page["parts"][0]["senses"][0]
    expect(first == {"gloss": "a score in baseball made by a runner touching all four bases "
                              "safely",
                     "samples": ["the Yankees scored 3 runs in the bottom of the 9th"],
                     "synonyms": ["tally"], "links": 10}, f"first sense {first}")
    for sense in senses:
        expect(f"{sense['gloss']}" in plain, f"gloss not on the plain page: {sense['gloss']}")
        expect(f"[links {sense['links']}]" in plain, f"links {sense['links']}")
    expect({"note": 1, "text": "plural: runs"} in run_page["forms"], f"forms {run_page['forms']}")
    expect(run_page["forms"][1]["text"].startswith("Tenses: ran, run\nSample:\n"),
           f"verb note {run_page['forms'][1]}")

# The base form's page for an inflected form; the relation groups of a Word Links page.
geese = document("define", "--json", "geese")
expect(geese is not None and geese["word"] == "goose", "geese does not give goose's page")
links = document("define", "--json", "--links", "10", "run")
if links:
    expect(links["entry"] == 10 and links["gloss"].startswith("a score in baseball"), "links")
    expect(links["relations"][0] == {"relation": "Synonym", "words": ["tally"]},
           f"relations {links['relations']}")
listed = document("list", "--json", "ru", "-n", "3")
expect(listed == {"prefix": "ru", "words": ["ru", "ru 486", "ruanda"]}, f"list {listed}")
found = document("search", "--json", "--puzzle", "c?t")
expect(found is not None and "cat" in found["words"] and found["status"] == "Completed",
       f"search {found}")
_, plain_search, _ = run("search", "--puzzle", "c?t")
expect(found is not None and plain_search.decode().split("\n")[:-2] == found["words"],
       "search --json and the plain rows differ")
truncated = document("search", "--json", "--wildcard", "*", "--limit", "3")
expect(truncated is not None and len(truncated["words"]) == 3 and
       truncated["status"] == "Truncated", f"truncated search {truncated}")
status, out, _ = run("search", "--json", "--puzzle", "qqqqqqqqqqqqqqx")
expect(status == 1 and json.loads(out) == {"words": [], "status": "No word found"},
       f"search without words: {status} {out!r}")
suggested = document("suggest", "--json", "recieve")
_, plain_suggest, _ = run("suggest", "recieve")
expect(suggested is not None and suggested["text"] == "recieve" and
       suggested["words"][0] == "receive" and
       suggested["words"] == plain_suggest.decode().splitlines(), f"suggest {suggested}")
keys = document("keys", "--json", "Smith")
expect(keys == {"text": "smith", "primary": "SM0", "alternate": "XMT"}, f"keys {keys}")

# A word not found: status 1 and no document; --html and --json together: a usage error.
status, out, _ = run("define", "--json", "qqqzzx")
expect(status == 1 and out == b"", f"a missing word gave status {status} and {out!r}")
status, _, err = run("define", "--json", "--html", "run")
expect(status == 2 and "not both" in err, f"--json --html gave {status}: {err}")

# The schema is not vacuous: a page without its word, or with a stray key, is refused.
if run_page:
    broken = dict(run_page)
    del broken["word"]
    expect(not validator.is_valid(broken), "a page without its word passes the schema")
    expect(not validator.is_valid({**run_page, "extra": 1}), "a stray key passes the schema")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
