// Who owns the engine's services: made in order, freed once, whoever frees first.
#include <gtest/gtest.h>
#include "engine/scene/BoundingObjectClass.h"
#include "engine/app/EngineServices.h"

using namespace ReEng;

namespace {

bool AnyAlive() {
    return SystemSingleton::Peek() || GLSystemSingleton::Peek() || MeshManagerSingleton::Peek() ||
           CameraManagerSingleton::Peek();
}

}  // namespace

TEST(EngineServicesTest, FreesWhatItMadeOnceEvenAfterTheGameFreedSome) {
    ASSERT_FALSE(AnyAlive());
    {
        EngineServices engine;
        EXPECT_EQ(engine.MeshManager(), MeshManagerSingleton::GetInstance());
        EXPECT_EQ(engine.System(), SystemSingleton::GetInstance());
        // The game's Release frees these two itself (ASan sees a second free).
        MeshManagerSingleton::ReleaseInstance();
        CameraManagerSingleton::ReleaseInstance();
        EXPECT_EQ(engine.MeshManager(), nullptr);
        // A look-up after that makes a new one, which is freed at the end too.
        MeshManagerSingleton::GetInstance();
    }
    EXPECT_FALSE(AnyAlive());
}

TEST(EngineServicesTest, AServiceThatExistedBeforeIsLeftToItsMaker) {
    CameraManagerSingleton* camera = CameraManagerSingleton::GetInstance();
    { EngineServices engine; }
    EXPECT_EQ(CameraManagerSingleton::Peek(), camera);
    EXPECT_EQ(MeshManagerSingleton::Peek(), nullptr);
    CameraManagerSingleton::ReleaseInstance();
}

TEST(EngineServicesTest, EachEngineCountsItsOwnFramesAndQueuesAVolumeAgain) {
    BoundingObjectClass volume(vector3(0.0f), 1.0f);
    volume.SetVisible(true);
    for (int run = 0; run < 2; ++run) {
        EngineServices engine;
        MeshManagerSingleton& meshes = *engine.MeshManager();
        EXPECT_EQ(meshes.GetFrameIndex(), 0u) << run;
        volume.AddToRenderList(true);
        volume.AddToRenderList(true);  // once a frame
        EXPECT_EQ(meshes.GetQueue().wires.size(), 1u) << run;
        meshes.Render();
        EXPECT_EQ(meshes.GetFrameIndex(), 1u);
    }
}
