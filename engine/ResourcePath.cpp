#include "engine/ResourcePath.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ReEng {

namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

std::string ExecutableDirectory() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) return ".";
    buffer[n] = '\0';
    const std::string exe(buffer);
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return exe.substr(0, slash);
}

std::string NormalisedPath(std::string path) {
    // Games name their files the Windows way.
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::vector<std::string> ResourceCandidates(const std::string& relativePath,
                                            const std::vector<std::string>& dataFolders) {
    const std::string rel = NormalisedPath(relativePath);
    if (rel.empty() || rel.front() == '/') return {rel};

    const std::string exeDir = ExecutableDirectory();
    std::vector<std::string> candidates{exeDir + "/" + rel};
    for (const std::string& folder : dataFolders) candidates.push_back(exeDir + "/../" + folder + "/" + rel);
    for (std::string& candidate : candidates) candidate = std::filesystem::path(candidate).lexically_normal().string();
    candidates.push_back(rel);
    return candidates;
}

std::string FindResource(const std::string& relativePath, const std::vector<std::string>& dataFolders) {
    const std::vector<std::string> candidates = ResourceCandidates(relativePath, dataFolders);
    for (const std::string& candidate : candidates) {
        if (Exists(candidate)) return candidate;
    }
    return candidates.back();
}

}  // namespace ReEng
