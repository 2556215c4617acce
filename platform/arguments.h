// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace vantro::platform {

// The program's arguments in UTF-8, the program's name first. Windows hands
// main() its arguments in the ANSI code page, which loses every letter outside
// it, so there they are taken again from the UTF-16 command line.
std::vector<std::string> utf8_arguments(int argc, char** argv);

}  // namespace vantro::platform
