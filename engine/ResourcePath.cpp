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

std::vector<std::string> ResourceCandidates(const std::string& relativePath) {
    // The game names its files the Windows way.
    std::string rel = relativePath;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    if (rel.empty() || rel.front() == '/') return {rel};

    const std::string exeDir = ExecutableDirectory();
    std::vector<std::string> candidates;
    // The system's copy of the font is the one its distribution keeps up to
    // date; ours is for installs where there is none.
    if (rel == kFontFile) candidates.push_back(VAULTRIX_SYSTEM_FONT);
    // Next to the executable, then a bin/ install's data, then a games/ one's.
    for (const char* dir : {"/", "/../share/vaultrix/", "/../share/games/vaultrix/"}) {
        candidates.push_back(std::filesystem::path(exeDir + dir + rel).lexically_normal().string());
    }
    candidates.push_back(rel);
    return candidates;
}

std::string FindResource(const std::string& relativePath) {
    const std::vector<std::string> candidates = ResourceCandidates(relativePath);
    for (const std::string& candidate : candidates) {
        if (Exists(candidate)) return candidate;
    }
    return candidates.back();
}

}  // namespace ReEng
