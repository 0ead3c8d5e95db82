# The Debian package, made by CPack from the install rules above (cpack -G DEB in the build
# folder, or scripts/dev.sh package, which also runs lintian over it). It installs under /usr:
# the programs find the dictionary and the speech engine relative to /usr/bin as from any
# other prefix.

set(LEXICOVE_MAINTAINER "Brennovale <lexicove@brennovale.org>" CACHE STRING
    "The Debian package's maintainer, as \"Name <address>\"")
set(LEXICOVE_DEBIAN_RELEASE 1)

# debian/changelog's newest entry must be this version, or the package's changelog would
# name another one.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog changelog_top LIMIT_COUNT 1)
set(debian_version ${PROJECT_VERSION}-${LEXICOVE_DEBIAN_RELEASE})
if(NOT changelog_top MATCHES "^lexicove \\(${debian_version}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog begins with \"${changelog_top}\": add an "
                        "entry for lexicove (${debian_version}) at its top")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS debian/changelog)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexicove)
set(CPACK_PACKAGE_VENDOR Brennovale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${LEXICOVE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English dictionary, thesaurus and word search")
# The extended description, in lines of at most 79 characters (Debian's policy).
set(CPACK_PACKAGE_DESCRIPTION
    "Lexicove is an English dictionary and thesaurus built from WordNet 3.0. For
each word it shows the pronunciation, the senses by part of speech with
glosses, samples and synonyms, the word's forms, and per sense the Word Links
page of its relations.

It also finds words by crossword pattern, by anagram, by wildcard pattern and
by sound. Favorites, a Study List, a word of the day and reading aloud through
espeak-ng come with it. The terminal program lexicove-cli gives the same
dictionary to scripts, as text or JSON, and exports the word lists as CSV or
Anki notes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${LEXICOVE_DEBIAN_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LEXICOVE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LEXICOVE_HOMEPAGE})
# The libraries the programs link come from dpkg-shlibdeps. Qt's platform plugins (the window
# needs one to open at all) are only recommended by Qt's libraries, so they are named here;
# the IPA font shows the pronunciations, wl-paste reads the selections on Wayland and a sound
# player plays speech sent as a wave file.
# The stemmer library is opened at run time by its soname, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libstemmer0d")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-sil-doulos | fonts-sil-charis, fonts-dejavu-core, wl-clipboard")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pipewire-bin | pulseaudio-utils | alsa-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
