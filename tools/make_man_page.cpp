// Writes the manual page glyphloom(1) to the file named by its one argument; run at build time.
#include <cstdio>

#include "app/manual_page.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_man_page OUT\n");
        return 2;
    }
    const std::string page = glyphloom::manualPage();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) return 1;
    const bool written = std::fwrite(page.data(), 1, page.size(), out) == page.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
