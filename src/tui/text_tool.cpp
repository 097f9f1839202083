#include "tui/text_tool.hpp"

namespace glyphloom {

void handleFKey(int, AppState&) { }
void typeCharacter(const std::string&, AppState&) { }
void eraseLeft(AppState&) { }
void newLine(AppState&) { }
void stampActiveCharacter(AppState&) { }
std::optional<std::string> glyphForHex(const std::string&) { return std::nullopt; }

}  // namespace glyphloom
