#pragma once
// Finds the game's files whatever the working directory: next to the
// executable, then in ../share/vaultrix beside it, then in the current one.
#include <string>

namespace ReEng {

// Turns '\' into '/', then returns the first existing candidate, or the
// normalised path itself when none exists.
std::string FindResource(const std::string& relativePath);
std::string ExecutableDirectory();

}  // namespace ReEng
