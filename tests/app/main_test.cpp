// The built program's dynamic dependencies, read from its ELF header: libraries it loads at
// every start are start-up time, so the ones only some sessions (or only tests) need must
// not be among them.
#include <elf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom {
namespace main_test {

template <typename Record>
bool readAt(std::ifstream& in, std::uint64_t offset, Record& into) {
    in.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(in.read(reinterpret_cast<char*>(&into), sizeof into));
}

// The DT_NEEDED names of a 64-bit ELF file; nothing when it is not one.
std::optional<std::vector<std::string>> neededLibraries(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    Elf64_Ehdr header;
    if (!readAt(in, 0, header) || std::string(reinterpret_cast<char*>(header.e_ident), 4) != ELFMAG ||
        header.e_ident[EI_CLASS] != ELFCLASS64)
        return std::nullopt;
    std::vector<std::string> needed;
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr dynamic, strings;
        if (!readAt(in, header.e_shoff + std::uint64_t{i} * header.e_shentsize, dynamic)) return std::nullopt;
        if (dynamic.sh_type != SHT_DYNAMIC) continue;
        if (!readAt(in, header.e_shoff + std::uint64_t{dynamic.sh_link} * header.e_shentsize, strings))
            return std::nullopt;
        for (std::uint64_t at = 0; at + sizeof(Elf64_Dyn) <= dynamic.sh_size; at += sizeof(Elf64_Dyn)) {
            Elf64_Dyn entry;
            if (!readAt(in, dynamic.sh_offset + at, entry)) return std::nullopt;
            if (entry.d_tag == DT_NULL) break;
            if (entry.d_tag != DT_NEEDED) continue;
            in.seekg(static_cast<std::streamoff>(strings.sh_offset + entry.d_un.d_val));
            std::string name;
            std::getline(in, name, '\0');
            needed.push_back(name);
        }
    }
    return needed;
}

TEST(ProgramBinary, LoadsNoLibraryOnlySomeSessionsOrTheTestsNeed) {
    const auto needed = neededLibraries(GLYPHLOOM_BINARY);
    ASSERT_TRUE(needed) << GLYPHLOOM_BINARY << " is not a 64-bit ELF file";
    ASSERT_FALSE(needed->empty());  // the reader found the dynamic section at all
    for (const std::string& name : *needed) {
        // libcurl is opened when a font download starts; zlib and libpng are test references.
        for (const char* unwanted : {"libcurl", "libz.", "libpng"})
            EXPECT_NE(name.rfind(unwanted, 0), 0u) << GLYPHLOOM_BINARY << " links " << name;
    }
}

}  // namespace main_test
}  // namespace glyphloom
