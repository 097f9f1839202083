// The SAUCE metadata record that classic ANSI art carries as a trailer: the in-memory record
// with its derived views (credit, history and note lines, the display hints packed into its
// flags), the byte format (reader and writer of the 128-byte trailer and its comment block)
// and its JSON coding. Which record a saved file carries is decided by the editor state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphloom {

// Raw values are what files store (0–2).
enum class LetterSpacing { noPreference = 0, eightPixel = 1, ninePixel = 2 };
enum class AspectRatio { noPreference = 0, legacy = 1, square = 2 };

inline constexpr std::array<LetterSpacing, 3> allLetterSpacings{LetterSpacing::noPreference, LetterSpacing::eightPixel,
                                                                LetterSpacing::ninePixel};
inline constexpr std::array<AspectRatio, 3> allAspectRatios{AspectRatio::noPreference, AspectRatio::legacy,
                                                            AspectRatio::square};
// "No preference", "8 pixel", "9 pixel" / "No preference", "Stretched", "Square".
std::string_view label(LetterSpacing spacing);
std::string_view label(AspectRatio ratio);

struct SauceRecord {
    std::string title;          // up to 35 bytes on disk
    std::string author;         // up to 20 bytes
    std::string group;          // up to 20 bytes
    std::string date;           // "yyyyMMdd"
    std::uint8_t dataType = 1;  // 1 = character
    std::uint8_t fileType = 1;  // 1 = ANSi
    int tInfo1 = 0;             // width in columns
    int tInfo2 = 0;             // height in rows
    int tInfo3 = 0;
    int tInfo4 = 0;
    std::uint8_t flags = 0;  // bit 0 iCE colours, bits 1–2 letter spacing, bits 3–4 aspect ratio
    std::string fontName;
    std::vector<std::string> comments;  // one entry per 64-byte comment line

    bool iceColors() const { return (flags & 1u) != 0; }
    // Bit values 3 are undefined and read as no preference.
    LetterSpacing letterSpacing() const;
    void setLetterSpacing(LetterSpacing spacing);
    AspectRatio aspectRatio() const;
    void setAspectRatio(AspectRatio ratio);

    // Author or group, ignoring surrounding whitespace.
    bool hasCredit() const;
    // A credit, a title or any comment: something a user would not want silently replaced.
    bool carriesAuthorship() const;
    // "author of group", or whichever of the two is present; empty when neither is.
    std::string creditLine() const;
    // Comments starting "Original artwork" (provenance), and all the others, order kept.
    std::vector<std::string> historyLines() const;
    std::vector<std::string> noteLines() const;
    // The provenance line recorded when a user takes over someone else's record.
    static std::string historyLine(const SauceRecord& record);

    friend bool operator==(const SauceRecord&, const SauceRecord&) = default;
};

// A record found in a file, with where the art ends.
struct SauceLocation {
    SauceRecord record;
    std::size_t recordStart = 0;  // offset of "SAUCE00"
    std::size_t bodyEnd = 0;      // start of the comment block, else recordStart
    friend bool operator==(const SauceLocation&, const SauceLocation&) = default;
};

// The trailer of a file; nothing when the last 128 bytes are not a record.
std::optional<SauceLocation> readSauce(std::span<const std::uint8_t> bytes);

// End-of-file marker, comment block and record, to append behind the art.
std::vector<std::uint8_t> sauceRecordData(const SauceRecord& record, std::uint32_t bodySize);

// The flags byte a writer stores for two display hints (iCE bit not included).
std::uint8_t sauceHintFlags(LetterSpacing spacing, AspectRatio ratio);

// The record as JSON text: an object with all thirteen keys (text that is not UTF-8 is
// written as U+FFFD). Reading, absent (or null) keys take the defaults (empty text, 1 for
// the two types, 0 for numbers, no comments); text that is not one JSON value, a value that
// is not an object, a key of the wrong type or a number out of its field's range gives nothing.
std::string sauceRecordJSON(const SauceRecord& record);
std::optional<SauceRecord> sauceRecordFromJSON(std::string_view json);

// The text without leading and trailing Unicode white space (line breaks included).
std::string trimmedWhitespace(std::string_view text);
// The first `count` user-perceived characters of the text.
std::string prefixCharacters(std::string_view text, std::size_t count);

}  // namespace glyphloom
