#pragma once
// Finds the game's files whatever the working directory: next to the
// executable, then in ../share/vaultrix or ../share/games/vaultrix beside it,
// then in the current one. The font is the system's first, when it has one.
#include <string>
#include <vector>

namespace ReEng {

inline constexpr char kFontFile[] = "assets/fonts/DejaVuSansMono.ttf";

// Turns '\' into '/', then returns the first existing candidate, or the
// normalised path itself when none exists.
std::string FindResource(const std::string& relativePath);
// The places FindResource looks, in order (the path alone when absolute).
std::vector<std::string> ResourceCandidates(const std::string& relativePath);
std::string ExecutableDirectory();

}  // namespace ReEng
