// Model files, their instances and the queue of a frame.
#include <algorithm>
#include <string>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "engine/MeshManagerSingleton.h"
#include "engine/Model.h"

using namespace ReEng;

namespace {

const std::string kData = TEST_DATA_DIR;

std::string Data(const std::string& name) { return kData + "/" + name; }

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

bool Contains(const std::vector<vector3>& list, vector3 v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

class Meshes : public ::testing::Test {
protected:
    void TearDown() override { MeshManagerSingleton::ReleaseInstance(); }
    MeshManagerSingleton* meshes = MeshManagerSingleton::GetInstance();
};

}  // namespace

TEST(ModelLoading, QuadCubeIsSplitIntoOutwardFacingTriangles) {
    Model cube;
    std::string error;
    ASSERT_TRUE(cube.LoadObj(Data("cube.obj"), error)) << error;
    EXPECT_EQ(cube.positions.size(), 36u);
    ASSERT_EQ(cube.normals.size(), 36u);
    EXPECT_EQ(cube.vertices.size(), 8u);
    for (std::size_t i = 0; i < cube.positions.size(); ++i) {
        const std::size_t first = i - i % 3;
        const vector3 middle = (cube.positions[first] + cube.positions[first + 1] + cube.positions[first + 2]) / 3.0f;
        // Centred on the origin: a unit outward normal is the face centre's direction.
        EXPECT_NEAR(glm::dot(cube.normals[i], middle), 1.0f, 1e-5f) << "triangle " << i / 3;
    }

    // The file's own normals win over the winding.
    Model slab;
    ASSERT_TRUE(slab.LoadObj(Data("slab.obj"), error)) << error;
    EXPECT_EQ(slab.normals[0], vector3(0, 0, -1));
    EXPECT_EQ(slab.normals[6], vector3(0, 0, 1));
}

TEST(ModelLoading, BadFilesLeaveNoGeometryAndAOneLineError) {
    const struct {
        const char* file;
        bool missing;
    } cases[] = {
        {"no_such_model.obj", true}, {"empty.obj", false}, {"corrupt.obj", false},
        {"bad_index.obj", false},  // the first triangle is fine, the second is not
        {"nan.obj", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Model model;
        std::string error;
        EXPECT_FALSE(model.LoadObj(Data(c.file), error));
        EXPECT_FALSE(model.loaded);
        EXPECT_EQ(model.missing, c.missing);
        EXPECT_TRUE(model.positions.empty() && model.normals.empty() && model.vertices.empty());
        EXPECT_NE(error.find(Data(c.file)), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    Model model;
    std::string error;
    EXPECT_FALSE(model.LoadObjText("v 0 0 0\nv 1 0 0\nv 0 1e999 0\nf 1 2 3\n", "huge.obj", error));
    EXPECT_FALSE(model.LoadObjText("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//2 3//1\n", "n.obj", error));
}

TEST_F(Meshes, AFileIsReadOnceAndANameNamesOneInstance) {
    EXPECT_EQ(meshes->LoadModel(Data("cube.obj"), "first"), RE_NO_ERROR);
    EXPECT_EQ(meshes->LoadModel(kData + "\\cube.obj", "second"), RE_NO_ERROR);
    EXPECT_EQ(meshes->GetVertexList("second").size(), 8u);
    EXPECT_TRUE(meshes->GetVertexList("nobody").empty());
    // Rebound to another file and back, a name keeps one instance.
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "first"), RE_NO_ERROR);
    EXPECT_TRUE(Contains(meshes->GetVertexList("first"), vector3(5, 2, 1)));
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "first"), RE_NO_ERROR);
    EXPECT_FALSE(Contains(meshes->GetVertexList("first"), vector3(5, 2, 1)));
    EXPECT_EQ(meshes->GetFileReadCount(), 2);
    EXPECT_EQ(meshes->GetInstanceCount(), 2);
}

TEST_F(Meshes, AFailedFileIsReportedOnceAndNeverReadAgain) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "a"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "b"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    const std::string printed = testing::internal::GetCapturedStderr();

    EXPECT_EQ(meshes->GetFileReadCount(), 2);
    EXPECT_EQ(Count(printed, "missing.obj"), 1) << printed;
    EXPECT_EQ(Count(printed, "corrupt.obj"), 1) << printed;
    EXPECT_EQ(Count(printed, "\n"), 2) << printed;
    // The instance exists, with nothing to collide with.
    EXPECT_TRUE(meshes->HasInstance("b"));
    EXPECT_TRUE(meshes->GetVertexList("b").empty());
}

TEST_F(Meshes, AFrameIsQueuedInOrderAndRenderEmptiesIt) {
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "box"), RE_NO_ERROR);
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "slab"), RE_NO_ERROR);
    const matrix4 moved = glm::translate(matrix4(1.0f), vector3(0, 4, 0));
    meshes->SetModelMatrix(moved, "slab");
    meshes->SetModelMatrix(moved, "");
    EXPECT_EQ(meshes->GetInstanceCount(), 2);

    meshes->AddInstanceToRenderList("slab");
    meshes->AddInstanceToRenderList("ghost");
    meshes->AddInstanceToRenderList("box");
    meshes->PrintLine("Score: 10");
    meshes->PrintLine("Lives: 3");
    const RenderQueue& queue = meshes->GetQueue();
    ASSERT_EQ(queue.instances.size(), 2u);
    EXPECT_EQ(queue.instances[0].model, 1);
    EXPECT_EQ(queue.instances[0].matrix, moved);
    EXPECT_EQ(queue.instances[1].name, "box");
    EXPECT_EQ(queue.instances[1].matrix, matrix4(1.0f));

    const unsigned frame = meshes->GetFrameIndex();
    meshes->Render();
    EXPECT_TRUE(meshes->GetQueue().Empty());
    EXPECT_EQ(meshes->GetFrameIndex(), frame + 1);
    EXPECT_EQ(meshes->GetLastFrameText(), (std::vector<std::string>{"Score: 10", "Lives: 3"}));
    // A frame without text leaves none behind from the one before.
    meshes->Render();
    EXPECT_TRUE(meshes->GetLastFrameText().empty());
}
