// The SAUCE metadata record that classic ANSI art carries as a trailer, with the two display
// hints it packs into its flags. Only the record's fields live here so far; reading, writing
// and the provenance rules arrive with the SAUCE module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphloom {

// Raw values are what files store (0–2).
enum class LetterSpacing { noPreference = 0, eightPixel = 1, ninePixel = 2 };
enum class AspectRatio { noPreference = 0, legacy = 1, square = 2 };

struct SauceRecord {
    std::string title;     // up to 35 bytes on disk
    std::string author;    // up to 20 bytes
    std::string group;     // up to 20 bytes
    std::string date;      // "yyyyMMdd"
    std::uint8_t dataType = 1;  // 1 = character
    std::uint8_t fileType = 1;  // 1 = ANSi
    int tInfo1 = 0;  // width in columns
    int tInfo2 = 0;  // height in rows
    int tInfo3 = 0;
    int tInfo4 = 0;
    std::uint8_t flags = 0;  // bit 0 iCE colours, bits 1–2 letter spacing, bits 3–4 aspect ratio
    std::string fontName;
    std::vector<std::string> comments;  // one entry per 64-byte comment line

    friend bool operator==(const SauceRecord&, const SauceRecord&) = default;
};

}  // namespace glyphloom
