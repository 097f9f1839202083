// Options of the box and oval tools. Only the option records are declared so far; the shape
// geometry arrives with the shape tools.
#pragma once

#include "core/model/tool_options.hpp"

namespace glyphloom {

struct BoxOptions {
    BoxStyle style = BoxStyle::single;
    bool filled = false;
    bool outline = true;
    bool penLine = true;  // outline in box-drawing glyphs; off: in the current character
    int thickness = 1;    // rings

    friend bool operator==(const BoxOptions&, const BoxOptions&) = default;
};

struct OvalOptions {
    OvalDrawMode drawMode = OvalDrawMode::character();
    bool filled = false;
    bool outline = true;
    int thickness = 1;

    friend bool operator==(const OvalOptions&, const OvalOptions&) = default;
};

}  // namespace glyphloom
