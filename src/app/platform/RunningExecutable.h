#pragma once

#include <string>

// The full path of the running executable's file.
std::string RunningExecutablePath();
