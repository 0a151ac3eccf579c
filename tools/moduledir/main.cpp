// zorbel_moduledir PROGRAM FOLDER: writes FOLDER into PROGRAM's module folder field, so that an
// installed program loads its modules from its own installation and nowhere else. The field is
// the marker below followed by room for the path; the program is changed in place.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3 || argv[2][0] != '/') {
        std::fprintf(stderr, "usage: zorbel_moduledir PROGRAM /ABSOLUTE/FOLDER\n");
        return 2;
    }
    // Must match kModuleDirField in src/core/Backends.cpp.
    const std::string marker = "zorbel-module-folder:";
    constexpr std::size_t kRoom = 4096;
    std::ifstream in(argv[1], std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = bytes.find(marker);
    const std::string folder = argv[2];
    if (!in || at == std::string::npos || bytes.find(marker, at + 1) != std::string::npos) {
        std::fprintf(stderr, "zorbel_moduledir: %s has no single module folder field\n", argv[1]);
        return 1;
    }
    if (folder.size() >= kRoom - marker.size() || at + kRoom > bytes.size()) {
        std::fprintf(stderr, "zorbel_moduledir: %s does not fit\n", argv[2]);
        return 1;
    }
    const std::size_t start = at + marker.size();
    std::memset(bytes.data() + start, 0, kRoom - marker.size());
    std::memcpy(bytes.data() + start, folder.data(), folder.size());
    std::fstream out(argv[1], std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(std::streamoff(start));
    out.write(bytes.data() + start, std::streamsize(kRoom - marker.size()));
    return out ? 0 : 1;
}
