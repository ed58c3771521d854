#include "engine/io/ResourcePath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#undef FindResource  // windows.h's alias of FindResourceA would rename ours
#else
#include <unistd.h>
#endif

namespace ReEng {

namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The running executable's full path, or empty when the system will not say.
std::filesystem::path ExecutablePath() {
#ifdef _WIN32
    // The wide form: a folder named in any language. The buffer grows until
    // the path fits, since long paths exceed MAX_PATH.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n));
        if (buffer.size() >= 32768) return {};  // the longest path Windows has
        buffer.resize(buffer.size() * 2);
    }
#else
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) return {};
    return std::filesystem::path(std::string(buffer, static_cast<std::size_t>(n)));
#endif
}

}  // namespace

std::string ExecutableDirectory() {
    const std::filesystem::path exe = ExecutablePath();
    if (exe.empty() || !exe.has_parent_path()) return ".";
    return exe.parent_path().string();
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
