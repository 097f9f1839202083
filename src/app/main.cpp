// glyphloom: the terminal ANSI art studio. Everything happens in runGlyphloom.
#include "app/entry.hpp"

int main(int argc, char** argv) { return glyphloom::runGlyphloom(glyphloom::CommandLine(argc, argv)); }
