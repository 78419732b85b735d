// Prints the version record of an executable as name=value lines, so packagers and tests can check the block
// that the build embedded.
#include "TVersionInfo.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    TVersionInfo info;
    if (!ReadVersionInfo(argv[1], info)) {
        std::fprintf(stderr, "vorlix-version: %s carries no version block\n", argv[1]);
        return 1;
    }
    const struct {
        const char *Name;
        const std::string &Value;
    } lines[] = {{"FileVersion", info.FileVersion},     {"ProductVersion", info.ProductVersion},
                 {"ProductName", info.ProductName},     {"CompanyName", info.CompanyName},
                 {"FileDescription", info.Description}, {"LegalCopyright", info.Copyright}};
    for (const auto &line : lines)
        std::printf("%s=%s\n", line.Name, line.Value.c_str());
    return 0;
}
