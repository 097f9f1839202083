// glyphloom: the terminal ANSI art studio. Everything happens in runGlyphloom.
#include "app/entry.hpp"
#include "app/memory_policy.hpp"

int main(int argc, char** argv) {
    glyphloom::keepFreedMemoryForReuse();
    return glyphloom::runGlyphloom(glyphloom::CommandLine(argc, argv));
}
