#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// Path of a PE fixture built from tests/app/fixtures/NAME.rc for an architecture ("x86_64"
// for PE32+, "i686" for PE32); empty when the build had no mingw binutils to make it.
inline std::string PeFixture(const std::string &name, const std::string &arch)
{
    const std::filesystem::path path = std::filesystem::path(VORLIX_PE_FIXTURES) / (name + "-" + arch + ".exe");
    return std::filesystem::exists(path) ? path.string() : std::string();
}

#define VORLIX_REQUIRE_FIXTURE(path, name, arch)                                                                     \
    const std::string path = PeFixture(name, arch);                                                                  \
    if (path.empty()) {                                                                                              \
        GTEST_SKIP() << "PE fixture " << (name) << " for " << (arch)                                                 \
                     << " missing: install binutils-mingw-w64 (scripts/setup) and rebuild";                          \
    }
