#include "core/format/document.hpp"

namespace glyphloom {

Document Document::blank(int rows, int cols) {
    Document document;
    document.rows = rows;
    document.cols = cols;
    document.layers.emplace_back("Layer 1", CellGrid(rows, cols));
    return document;
}

CellGrid Document::composited() const { return compositeLayers(layers, rows, cols); }

Document documentFromDrawingFile(const DrawingFile& file) {
    Document document;
    document.rows = file.safeRows();
    document.cols = file.safeColumns();
    document.layers = file.resolveLayers();
    // Documents from before colour depths were kept were drawn in sixteen colours.
    document.colorDepth = decodeColorDepth(file.colorDepth.value_or("c16"));
    document.blinkingText = file.blinkingText();
    document.monoTint = decodeMonoTint(file.monoTint.value_or(""));
    SauceFields& sauce = document.sauce;
    sauce.sourceSauce = file.sourceSauce;
    sauce.sauceTitleField = file.sauceTitle.value_or("");
    sauce.sauceComments = file.sauceComments.value_or(std::vector<std::string>{});
    sauce.sauceHistory = file.sauceHistory.value_or(std::vector<std::string>{});
    const int spacing = file.letterSpacing.value_or(0), ratio = file.aspectRatio.value_or(0);
    sauce.letterSpacing = spacing >= 0 && spacing <= 2 ? static_cast<LetterSpacing>(spacing) : LetterSpacing::noPreference;
    sauce.aspectRatio = ratio >= 0 && ratio <= 2 ? static_cast<AspectRatio>(ratio) : AspectRatio::noPreference;
    sauce.sauceFontName = file.sauceFontName.value_or(std::string(defaultSauceFont));
    // Kept for the keys a save writes back; the cells live in the layers, not twice.
    document.carriedDrawingFile = file;
    document.carriedDrawingFile->layers.reset();
    document.carriedDrawingFile->cells.reset();
    return document;
}

DrawingFile glyphloomDocument(const Document& document, const std::optional<std::string>& charCycleSequence) {
    const SauceFields& sauce = document.sauce;
    DrawingFile file;
    file.version = 5;
    file.columns = document.cols;
    file.rows = document.rows;
    file.colorDepth = std::string(rawValue(document.colorDepth));
    file.layers = document.layers;
    file.charCycleSequence = charCycleSequence;
    file.backgroundMode = document.blinkingText ? "blinkingText" : "brightBackgrounds";
    file.monoTint = std::string(rawValue(document.monoTint));
    if (!sauce.sauceTitleField.empty()) file.sauceTitle = sauce.sauceTitleField;
    if (!sauce.sauceComments.empty()) file.sauceComments = sauce.sauceComments;
    if (!sauce.sauceHistory.empty()) file.sauceHistory = sauce.sauceHistory;
    file.sourceSauce = sauce.sourceSauce;
    file.letterSpacing = static_cast<int>(sauce.letterSpacing);
    file.aspectRatio = static_cast<int>(sauce.aspectRatio);
    file.sauceFontName = sauce.sauceFontName;
    if (document.carriedDrawingFile) file.carriedKeys = document.carriedDrawingFile->carriedKeys;
    return file;
}

std::optional<std::vector<std::uint8_t>> exportGlyphloomData(const Document& document,
                                                             const std::optional<std::string>& charCycleSequence) {
    return encodeDrawingFile(glyphloomDocument(document, charCycleSequence));
}

}  // namespace glyphloom
