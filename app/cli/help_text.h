// The texts of --help and --version.
#pragma once

#include <string>

std::string HelpText();
std::string VersionText();
