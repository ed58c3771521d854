#pragma once
// Finds the program's files whatever the working directory: next to the
// executable, then in each of the app's data folders beside it (e.g.
// ../share/NAME), then in the current one.
#include <string>
#include <vector>

namespace ReEng {

// Turns '\' into '/', then returns the first existing candidate, or the
// normalised path itself when none exists. dataFolders: the app's
// (AppInfo::dataFolders), relative to the executable's parent folder.
std::string FindResource(const std::string& relativePath, const std::vector<std::string>& dataFolders = {});
// The places FindResource looks, in order (the path alone when absolute).
std::vector<std::string> ResourceCandidates(const std::string& relativePath,
                                            const std::vector<std::string>& dataFolders = {});
// The path with '\' turned into '/': how files are named inside the engine.
std::string NormalisedPath(std::string path);
std::string ExecutableDirectory();

}  // namespace ReEng
