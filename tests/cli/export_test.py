#!/usr/bin/env python3
"""lexicove-cli export on the real dictionary: the CSV file read back with Python's csv
module (RFC 4180) and the Anki file as the tab-separated text Anki imports, each row checked
against the word's page from define --json.

    export_test.py LEXICOVE_CLI DATABASE
"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

cli, database = sys.argv[1:3]
failures = []
items = ["run", "record", "amphibious landing", "ice cream", "geese", "run:10", "qqzx"]


def expect(condition, what):
    if not condition:
        failures.append(what)


with tempfile.TemporaryDirectory() as home:
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": home,
           "LEXICOVE_HOME": home, "LEXICOVE_DATABASE": database}

    def run(*args):
        done = subprocess.run([cli, *args], capture_output=True, env=env)
        return done.returncode, done.stdout, done.stderr.decode("utf-8", "replace")

    def page(word):
        return json.loads(run("define", "--json", word)[1].decode("utf-8"))

    with open(os.path.join(home, "Favorites.txt"), "wb") as f:
        f.write("".join(item + "\r\n" for item in items).encode("cp1252"))

    # CSV: a header and one row per item, each as the word's page has it.
    path = os.path.join(home, "favorites.csv")
    status, _, err = run("export", "favorites", "-o", path)
    expect(status == 0, f"export favorites: {status} {err}")
    with open(path, "rb") as f:
        raw = f.read()
    expect(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b""),
           "CSV lines do not all end with CR LF")
    rows = list(csv.reader(io.StringIO(raw.decode("utf-8"), newline=""), strict=True))
    expect(rows[0] == ["word", "pronunciation", "part of speech", "gloss", "sample"],
           f"header {rows[0]}")
    expect(len(rows) == len(items) + 1, f"{len(rows) - 1} rows for {len(items)} items")
    for item, row in zip(items, rows[1:]):
        word = item.split(":")[0]
        expect(row[0] == word, f"row of {item} is of {row[0]}")
        if word == "qqzx":
            expect(row[1:] == ["", "", "", ""], f"a word not in the dictionary gave {row}")
            continue
        data = page(word)
        first = data["parts"][0]
        sense = first["senses"][0]
        expected = [word, ", ".join(data["pronunciations"]), first["part"], sense["gloss"],
                    (sense["samples"] or [""])[0]]
        expect(row == expected, f"row {row} != {expected}")
    expect('"rəˈkɔrd, '.encode() in raw and b'"a military action of coordinated land, sea, and air' in raw,
           "the fields with commas are not quoted")

    # Anki: its headers, then the word and its pronunciation and first glosses, tab-separated.
    path = os.path.join(home, "favorites.txt")
    status, _, err = run("export", "favorites", "--format", "anki", "-o", path)
    expect(status == 0, f"export --format anki: {status} {err}")
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    lines = text.split("\n")
    expect(lines[:3] == ["#separator:tab", "#html:true", "#columns:Front\tBack"],
           f"Anki headers {lines[:3]}")
    notes = list(csv.reader(io.StringIO("\n".join(lines[3:])), delimiter="\t", strict=True))
    expect(len(notes) == len(items), f"{len(notes)} notes for {len(items)} items")
    for item, note in zip(items, notes):
        word = item.split(":")[0]
        expect(len(note) == 2 and note[0] == word, f"note {note}")
        if word == "qqzx":
            continue
        data = page(word)
        back = note[1].split("<br>")
        expect(back[0] == "/" + "/, /".join(data["pronunciations"]) + "/", f"back {back[0]}")
        glosses = [f"<i>{p['part']}</i> {p['senses'][0]['gloss']}" for p in data["parts"]]
        expect(back[1:] == [g.replace("&", "&amp;").replace('"', "&quot;") for g in glosses],
               f"glosses {back[1:]} != {glosses}")

    # An empty list: the header alone, and status 1; a list that cannot be read: status 1.
    for fmt, header in (("csv", "word,pronunciation,part of speech,gloss,sample\r\n"),
                        ("anki", "#separator:tab\n#html:true\n#columns:Front\tBack\n")):
        status, out, err = run("export", "study", "--format", fmt)
        expect(status == 1 and out.decode() == header and "Study List is empty" in err,
               f"empty {fmt}: {status} {out!r} {err}")
    status, _, err = run("export", "recents", "--format", "xml")
    expect(status == 2, f"--format xml gave {status}")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
