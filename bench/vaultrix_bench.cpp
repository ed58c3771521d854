// Speed and allocation counts of the game's hot paths: one frame of the
// rules, one whole headless frame, a streamed section and the collision
// tests. Read the CPU column: it leaves out time the machine gave to other
// work. Each benchmark reports heap allocations per iteration.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ext/stdio_filebuf.h>
#include <iostream>
#include <unistd.h>

#include <glm/gtc/matrix_transform.hpp>

#include "alloc_counter.h"
#include "engine/scene/BoundingObjectClass.h"
#include "scene.h"

namespace {

void ReportAllocations(benchmark::State& state, std::uint64_t allocations) {
    state.counters["allocs/iter"] =
        benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
}

// The scene is put back every kBatch frames, outside the timing. In between
// it plays on: the player falls past platforms, bullets fly, the camera
// climbs; the section in play and the number of live objects stay the same.
constexpr int kBatch = 32;

// Plays frames of the scene, putting it back every kBatch frames outside the
// timing, and reports allocations per frame.
template <typename PlayOneFrame>
void PlayFrames(benchmark::State& state, bench::PlayingScene& scene, PlayOneFrame playOneFrame) {
    int played = 0;
    const std::uint64_t before = bench::AllocationCount();
    for (auto _ : state) {
        if (++played == kBatch) {
            state.PauseTiming();
            scene.Restore();
            played = 0;
            state.ResumeTiming();
        }
        playOneFrame();
    }
    const std::uint64_t allocations = bench::AllocationCount() - before;
    if (!scene.StillTwoSections()) state.SkipWithError("the scene left play or changed its sections");
    if (!scene.mesh->GetQueue().Empty()) state.SkipWithError("the frame left its queue filled");
    ReportAllocations(state, allocations);
}

// GameManager::UpdateFrame in Playing with two live sections and ten bullets
// in flight, plus emptying the queue it fills (headless Render: clears).
void BM_RulesFrame(benchmark::State& state) {
    bench::PlayingScene scene;
    PlayFrames(state, scene, [&] {
        scene.game->UpdateFrame(1.0f / 60.0f);
        scene.mesh->Render();
    });
}
BENCHMARK(BM_RulesFrame);

// The real loop's frame, headless: keyboard, mouse, update (clock, rules,
// queue) and display (grid, render, which empties the queue).
void BM_HeadlessFrame(benchmark::State& state) {
    bench::PlayingScene scene;
    PlayFrames(state, scene, [&] { scene.app->RunFrame(); });
}
BENCHMARK(BM_HeadlessFrame);

// What the engine alone does in a steady playing frame: the instances,
// spheres, grid and score line the game queues, then Render. The game's own
// section look-ups (vector copies by design) are not part of it.
void BM_EngineFrame(benchmark::State& state) {
    bench::PlayingScene scene;
    ReEng::MeshManagerSingleton& mesh = *scene.mesh;
    std::vector<std::string> names;
    for (const Platform* platform : scene.game->level->platforms) names.push_back(platform->instanceName);
    for (const Obstacle* obstacle : scene.game->level->obstacles) names.push_back(obstacle->instanceName);
    const glm::mat4 placed = glm::translate(glm::mat4(1.0f), glm::vec3(1.0f, 2.0f, 0.0f));
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        const std::uint64_t before = bench::AllocationCount();
        for (int i = 0; i < 11; ++i) mesh.AddSphereToQueue(placed, glm::vec3(1.0f), 1);
        for (const std::string& name : names) {
            mesh.SetModelMatrix(placed, name, false);
            mesh.AddInstanceToRenderList(name);
        }
        mesh.PrintLine("Score: 1234", glm::vec3(1.0f));
        mesh.Update(false);
        mesh.AddGridToQueue(1.0f, 1, glm::vec3(0.0f, 0.0f, 0.75f));
        mesh.Render();
        allocations += bench::AllocationCount() - before;
    }
    ReportAllocations(state, allocations);
}
BENCHMARK(BM_EngineFrame);

// A section streamed out and the next one streamed in, as the rules do when
// the camera passes the trigger height.
void BM_StreamSection(benchmark::State& state) {
    bench::PlayingScene scene;
    LevelManager& level = *scene.game->level;
    const std::uint64_t readsBefore = static_cast<std::uint64_t>(scene.mesh->GetFileReadCount());
    std::uint64_t allocations = 0;
    for (auto _ : state) {
        const std::uint64_t before = bench::AllocationCount();
        level.RemoveSection(static_cast<int>(level.sectionCount - 2));
        level.GenerateSection(std::rand() % 3, static_cast<int>(level.sectionCount));
        allocations += bench::AllocationCount() - before;
    }
    if (static_cast<std::uint64_t>(scene.mesh->GetFileReadCount()) != readsBefore)
        state.SkipWithError("a model file was read again");
    ReportAllocations(state, allocations);
}
BENCHMARK(BM_StreamSection);

// Two volumes placed so that they overlap: the whole test runs, not just
// the bounding-sphere rejection.
ReEng::BoundingObjectClass MakeBox(const glm::mat4& matrix) {
    const std::vector<glm::vec3> cube = {{-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                                         {-1, -1, 1},  {1, -1, 1},  {-1, 1, 1},  {1, 1, 1}};
    return ReEng::BoundingObjectClass(cube, matrix, "box");
}

void BM_CollideSphereSphere(benchmark::State& state) {
    ReEng::BoundingObjectClass a(glm::vec3(0.0f), 0.5f);
    ReEng::BoundingObjectClass b(glm::vec3(0.0f), 0.5f);
    a.SetModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, 0.0f)));
    b.SetModelMatrix(glm::translate(glm::mat4(1.0f), glm::vec3(0.6f, 0.3f, 0.0f)));
    for (auto _ : state) benchmark::DoNotOptimize(a.IsColliding(b, true));
}
BENCHMARK(BM_CollideSphereSphere);

void BM_CollideSphereBox(benchmark::State& state) {
    ReEng::BoundingObjectClass sphere(glm::vec3(0.0f), 0.5f);
    ReEng::BoundingObjectClass box = MakeBox(
        glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(1.2f, 0.4f, 0.0f)), 0.3f, glm::vec3(0, 0, 1)),
                   glm::vec3(1.5f)));
    sphere.SetModelMatrix(glm::mat4(1.0f));
    for (auto _ : state) benchmark::DoNotOptimize(sphere.IsColliding(box, true));
}
BENCHMARK(BM_CollideSphereBox);

void BM_CollideBoxBox(benchmark::State& state) {
    ReEng::BoundingObjectClass a = MakeBox(glm::mat4(1.0f));
    ReEng::BoundingObjectClass b = MakeBox(
        glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(1.8f, 0.5f, 0.2f)), 0.5f, glm::vec3(0.3f, 0.4f, 1.0f)));
    for (auto _ : state) benchmark::DoNotOptimize(a.IsColliding(b, true));
}
BENCHMARK(BM_CollideBoxBox);

}  // namespace

int main(int argc, char** argv) {
    // The game prints its frame-rate line on stdout every frame; send that
    // to /dev/null and keep the benchmark's table on the real stdout.
    std::fflush(stdout);
    const int table = dup(STDOUT_FILENO);
    if (table < 0 || std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    __gnu_cxx::stdio_filebuf<char> tableBuffer(table, std::ios::out);
    std::streambuf* const original = std::cout.rdbuf(&tableBuffer);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::cout.flush();
    // The buffer dies with main; the stream outlives it.
    std::cout.rdbuf(original);
    return 0;
}
