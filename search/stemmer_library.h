#pragma once

// CStemmerLibrary: Snowball's stemmer library (libstemmer), opened on first use rather than
// linked. Its tables carry some ten thousand relocations that the dynamic linker would write at
// every start of every program (a twentieth of a whole `lexicove-cli define` run), while only
// a meaning search and the database builder ever stem a word.

#include <libstemmer.h>

#include <string>

class CStemmerLibrary {
  public:
    // The library, opened once per process (thread-safe); null when it cannot be opened or
    // lacks one of its functions.
    static const CStemmerLibrary* Get();
    // Why Get() is null; empty when the library is there.
    static const std::string& Error();

    decltype(&sb_stemmer_new) New = nullptr;
    decltype(&sb_stemmer_delete) Delete = nullptr;
    decltype(&sb_stemmer_stem) Stem = nullptr;
    decltype(&sb_stemmer_length) Length = nullptr;

  private:
    CStemmerLibrary() = default;
    static CStemmerLibrary& Instance();
    // Opens the library and resolves its functions; empty, or the message on failure.
    std::string Open();
};
