#pragma once

// CPagePreparer: turns a page as the program writes it (8-bit HTML in the code page, as the
// handheld's display control took it) into the UTF-16 HTML that the desktop display shows.
// No Qt: the display is a thin widget over this.
//
// What changes, and why:
// - Text is converted from the code page (app/code_page.h) to UTF-16.
// - A colour attribute (color, bgcolor, text, link, vlink, alink) whose value is six hex
//   digits without "#" ("color=006020") gets the "#": the handheld's control read such values
//   as colours, the desktop's HTML reader takes them for unknown colour names.
// - With a colour map, every colour attribute of six hex digits (with or without "#") is
//   replaced by the map's colour for it: the page's fixed colours follow a dark palette.
// - Text inside a font whose face is "SILSophiaIPA" is in the 8-bit pronunciation encoding:
//   each run of it goes through the IPA converter, and the face becomes an IPA-capable font
//   of the desktop. The innermost font with a face decides; a font without one inherits.
// - A link target (href) and an image name (src) are replaced by an opaque URL that carries
//   their bytes exactly as written in the page, so that link taps and image requests give
//   back the raw 8-bit text ("ice cream", "run:3", ":pron") and not a parsed URL.
// - Blank text after "</html>" (the page's closing CR LF) is dropped: it would show as a
//   space at the end of the page and of a selection.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The URL prefixes of replaced link targets and image names; the bytes follow in hex.
inline constexpr char PAGE_LINK_PREFIX[] = "lexicove-link:";
inline constexpr char PAGE_IMAGE_PREFIX[] = "lexicove-image:";

class CPagePreparer {
  public:
    // Converts one run of 8-bit pronunciation text to UTF-16.
    using IpaConverter = std::function<std::u16string(std::string_view)>;
    // The colour (0xRRGGBB) shown for one written in the page; background for bgcolor.
    using ColourMap = std::function<uint32_t(uint32_t rgb, bool background)>;

    // ipaFamily: the font family that replaces "SILSophiaIPA".
    CPagePreparer(IpaConverter ipa, std::string ipaFamily);

    std::u16string Prepare(std::string_view page) const;
    // Colours are shown as written when there is no map (the default).
    void SetColourMap(ColourMap map) { colours_ = std::move(map); }

    // The raw link target or image name of a URL made by Prepare; false for any other URL.
    static bool DecodeLink(std::u16string_view url, std::string* target);
    static bool DecodeImage(std::u16string_view url, std::string* name);

  private:
    struct Attribute {
        std::string_view name;
        std::string_view value;  // without its quotes
        size_t valueBegin = 0;   // the value's span in the tag, quotes included
        size_t valueEnd = 0;     // (both 0 for an attribute without a value)
    };

    // Appends the tag tag (from "<" to ">" inclusive), rewritten; updates the font stack.
    void AppendTag(std::string_view tag, std::u16string* out, std::string* fonts) const;
    void AppendText(std::string_view text, bool ipa, std::u16string* out) const;
    // The quoted value that replaces a colour attribute's value; empty to keep it.
    std::string ColourValue(const Attribute& attribute) const;

    IpaConverter ipa_;
    ColourMap colours_;
    std::string ipaFamily_;
};
