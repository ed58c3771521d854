// Memory as the course streams: the process's resident size and the heap
// in use after 10 and after 1,000 streamed sections, and how often a model
// file was read. Sections are streamed as the rules stream them (the oldest
// dropped, a random pattern built), with a drawn and rendered frame after
// each so the queue's storage is part of the picture.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "alloc_counter.h"
#include "scene.h"

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

}  // namespace

int main() {
    bench::PlayingScene scene;
    LevelManager& level = *scene.game->level;
    std::fflush(stdout);

    const int marks[] = {10, 1000};
    long rss[2] = {};
    long long heap[2] = {};
    int instances[2] = {};
    int streamed = 0;
    for (int m = 0; m < 2; ++m) {
        for (; streamed < marks[m]; ++streamed) {
            level.RemoveSection(static_cast<int>(level.sectionCount - 2));
            level.GenerateSection(std::rand() % 3, static_cast<int>(level.sectionCount));
            scene.game->Draw();
            scene.mesh->Render();
        }
        rss[m] = ResidentKiB();
        heap[m] = bench::LiveBytes();
        instances[m] = scene.mesh->GetInstanceCount();
    }

    const double sections = marks[1] - marks[0];
    std::printf("\nstreamed sections      RSS (KiB)   heap in use (B)   mesh instances\n");
    for (int m = 0; m < 2; ++m) std::printf("%17d %14ld %17lld %16d\n", marks[m], rss[m], heap[m], instances[m]);
    std::printf("growth per section: RSS %.0f B, heap %.0f B, %.1f instance records\n",
                (rss[1] - rss[0]) * 1024.0 / sections, (heap[1] - heap[0]) / sections,
                (instances[1] - instances[0]) / sections);
    std::printf("model file reads: %d\n", scene.mesh->GetFileReadCount());
    return 0;
}
