// Model files, their instances, resource lookup and the queue of a frame.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "engine/MeshManagerSingleton.h"
#include "engine/Model.h"
#include "engine/RenderQueue.h"
#include "engine/ResourcePath.h"

using namespace ReEng;

namespace {

const std::string kData = TEST_DATA_DIR;

std::string Data(const std::string& name) { return kData + "/" + name; }

int CountOccurrences(const std::string& text, const std::string& what) {
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

// Runs a test body in another working directory and always comes back.
class InDirectory {
public:
    explicit InDirectory(const std::string& dir) : m_old(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

}  // namespace

TEST(ModelLoading, QuadCubeIsSplitIntoOutwardFacingTriangles) {
    Model cube;
    std::string error;
    ASSERT_TRUE(cube.LoadObj(Data("cube.obj"), error)) << error;
    EXPECT_TRUE(cube.loaded);
    EXPECT_EQ(cube.positions.size(), 36u);
    ASSERT_EQ(cube.normals.size(), 36u);
    EXPECT_EQ(cube.vertices.size(), 8u);
    for (std::size_t i = 0; i < cube.positions.size(); i += 3) {
        const vector3 middle = (cube.positions[i] + cube.positions[i + 1] + cube.positions[i + 2]) / 3.0f;
        for (std::size_t k = i; k < i + 3; ++k) {
            EXPECT_NEAR(glm::length(cube.normals[k]), 1.0f, 1e-5f);
            // The cube is centred on the origin, so outward means along the face centre.
            EXPECT_NEAR(glm::dot(cube.normals[k], middle), 1.0f, 1e-5f) << "triangle " << i / 3;
        }
    }
}

TEST(ModelLoading, NormalsFromTheFileAreKept) {
    Model slab;
    std::string error;
    ASSERT_TRUE(slab.LoadObj(Data("slab.obj"), error)) << error;
    ASSERT_EQ(slab.normals.size(), 12u);
    // The file says -z although the winding says +z: the file wins.
    EXPECT_EQ(slab.normals[0], vector3(0, 0, -1));
    EXPECT_EQ(slab.normals[5], vector3(0, 0, -1));
    // The last face has none and gets its computed one.
    EXPECT_EQ(slab.normals[6], vector3(0, 0, 1));
    EXPECT_EQ(slab.vertices.size(), 8u);
    EXPECT_TRUE(Contains(slab.vertices, vector3(5, 2, 1)));
}

TEST(ModelLoading, BadFilesLeaveNoGeometryAndAOneLineError) {
    struct Case {
        const char* file;
        bool missing;
    };
    const Case cases[] = {
        {"no_such_model.obj", true},
        {"empty.obj", false},
        {"corrupt.obj", false},
        {"bad_index.obj", false},  // the first triangle is fine, the second is not
        {"nan.obj", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Model model;
        std::string error;
        EXPECT_FALSE(model.LoadObj(Data(c.file), error));
        EXPECT_FALSE(model.loaded);
        EXPECT_EQ(model.missing, c.missing);
        EXPECT_TRUE(model.positions.empty());
        EXPECT_TRUE(model.normals.empty());
        EXPECT_TRUE(model.vertices.empty());
        EXPECT_NE(error.find(Data(c.file)), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

TEST(ModelLoading, NonFiniteAndOutOfRangeInputIsRejected) {
    const char* texts[] = {
        "v 0 0 0\nv 1 0 0\nv 0 1e999 0\nf 1 2 3\n",
        "v 0 0 0\nv 1 0 0\nv 0 -inf 0\nf 1 2 3\n",
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 nan\nf 1//1 2//1 3//1\n",
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//2 3//1\n",
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nf -1 -2 -4\n",
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 2\n",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Model model;
        std::string error;
        EXPECT_FALSE(model.LoadObjText(text, "inline.obj", error));
        EXPECT_TRUE(model.positions.empty());
        EXPECT_NE(error.find("inline.obj"), std::string::npos);
    }
}

TEST(ModelLoading, ReloadingAfterAFailureStartsClean) {
    Model model;
    std::string error;
    ASSERT_TRUE(model.LoadObj(Data("cube.obj"), error));
    EXPECT_FALSE(model.LoadObj(Data("bad_index.obj"), error));
    EXPECT_TRUE(model.vertices.empty());
    EXPECT_FALSE(model.loaded);
}

TEST(ResourcePath, LooksNextToTheExecutableFirst) {
    const std::string exeDir = ExecutableDirectory();
    ASSERT_TRUE(std::filesystem::exists(exeDir + "/engine_tests")) << exeDir;

    const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                          ("vaultrix_res_" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch / "sub");
    std::filesystem::create_directories(exeDir + "/sub");
    std::ofstream(scratch / "sub" / "probe.txt") << "cwd";
    {
        InDirectory in(scratch.string());
        EXPECT_EQ(FindResource("sub\\probe.txt"), "sub/probe.txt");
        std::ofstream(exeDir + "/sub/probe.txt") << "exe";
        EXPECT_EQ(FindResource("sub\\probe.txt"), exeDir + "/sub/probe.txt");
        EXPECT_EQ(FindResource("sub\\absent.txt"), "sub/absent.txt");
    }
    std::filesystem::remove(exeDir + "/sub/probe.txt");
    std::filesystem::remove(exeDir + "/sub");
    std::filesystem::remove_all(scratch);
}

TEST_F(Meshes, OneFileIsReadOnceForAnyNumberOfInstances) {
    EXPECT_EQ(meshes->LoadModel(Data("cube.obj"), "first"), RE_NO_ERROR);
    // The same file named the Windows way is the same model.
    EXPECT_EQ(meshes->LoadModel(kData + "\\cube.obj", "second"), RE_NO_ERROR);
    EXPECT_EQ(meshes->GetFileReadCount(), 1);
    EXPECT_EQ(meshes->GetModels().size(), 1u);
    EXPECT_EQ(meshes->GetInstanceCount(), 2);
    EXPECT_EQ(meshes->GetVertexList("first").size(), 8u);
    EXPECT_EQ(meshes->GetVertexList("second").size(), 8u);
    EXPECT_TRUE(meshes->GetVertexList("nobody").empty());
}

TEST_F(Meshes, RebindingANameKeepsOneInstance) {
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "thing"), RE_NO_ERROR);
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "thing"), RE_NO_ERROR);
    EXPECT_EQ(meshes->GetInstanceCount(), 1);
    EXPECT_TRUE(Contains(meshes->GetVertexList("thing"), vector3(5, 2, 1)));

    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "thing"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->GetInstanceCount(), 1);
    EXPECT_TRUE(meshes->GetVertexList("thing").empty());
    EXPECT_EQ(meshes->GetFileReadCount(), 3);
}

TEST_F(Meshes, AFailedFileIsReportedOnceAndNeverReadAgain) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "a"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "b"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    const std::string printed = testing::internal::GetCapturedStderr();

    EXPECT_EQ(meshes->GetFileReadCount(), 2);
    EXPECT_EQ(CountOccurrences(printed, "missing.obj"), 1) << printed;
    EXPECT_EQ(CountOccurrences(printed, "corrupt.obj"), 1) << printed;
    EXPECT_EQ(CountOccurrences(printed, "\n"), 2) << printed;
    // The instances exist, with nothing to collide with.
    EXPECT_TRUE(meshes->HasInstance("a"));
    EXPECT_TRUE(meshes->HasInstance("b"));
    EXPECT_TRUE(meshes->GetVertexList("a").empty());
    EXPECT_TRUE(meshes->GetVertexList("c").empty());
}

TEST_F(Meshes, MatricesOnlyReachKnownNames) {
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "box"), RE_NO_ERROR);
    const matrix4 moved = glm::translate(matrix4(1.0f), vector3(1, 2, 3));
    meshes->SetModelMatrix(moved, "box");
    meshes->SetModelMatrix(moved, "stranger");
    meshes->SetModelMatrix(moved, "");
    EXPECT_EQ(meshes->GetModelMatrix("box"), moved);
    EXPECT_EQ(meshes->GetInstanceCount(), 1);
    EXPECT_FALSE(meshes->HasInstance("stranger"));
    EXPECT_EQ(meshes->GetModelMatrix("stranger"), matrix4(1.0f));
}

TEST_F(Meshes, AFrameIsQueuedInOrderAndRenderEmptiesIt) {
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "box"), RE_NO_ERROR);
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "slab"), RE_NO_ERROR);
    const matrix4 moved = glm::translate(matrix4(1.0f), vector3(0, 4, 0));
    meshes->SetModelMatrix(moved, "slab");

    meshes->AddGridToQueue(10.0f, 1, vector3(-1.0f));
    meshes->AddInstanceToRenderList("slab");
    meshes->AddInstanceToRenderList("ghost");
    meshes->AddInstanceToRenderList("box");
    meshes->AddSphereToQueue(moved, vector3(1, 0, 0), 2);
    meshes->PrintLine("Score: 10");
    meshes->PrintLine("Lives: 3", vector3(1, 1, 0));

    const RenderQueue& queue = meshes->GetQueue();
    ASSERT_EQ(queue.instances.size(), 2u);
    EXPECT_EQ(queue.instances[0].name, "slab");
    EXPECT_EQ(queue.instances[0].model, 1);
    EXPECT_EQ(queue.instances[0].matrix, moved);
    EXPECT_EQ(queue.instances[1].name, "box");
    EXPECT_EQ(queue.instances[1].model, 0);
    ASSERT_EQ(queue.grids.size(), 1u);
    EXPECT_EQ(queue.grids[0].orientation, 1);
    ASSERT_EQ(queue.spheres.size(), 1u);
    EXPECT_EQ(queue.spheres[0].style, 2);
    ASSERT_EQ(queue.lines.size(), 2u);
    EXPECT_EQ(queue.lines[1].colour, vector3(1, 1, 0));

    const unsigned frame = meshes->GetFrameIndex();
    meshes->Render();
    EXPECT_TRUE(meshes->GetQueue().Empty());
    EXPECT_EQ(meshes->GetFrameIndex(), frame + 1);
    EXPECT_EQ(meshes->GetLastFrameText(), (std::vector<std::string>{"Score: 10", "Lives: 3"}));

    // A frame without text leaves no text behind from the one before.
    meshes->PrintLine("Paused");
    meshes->Render();
    EXPECT_EQ(meshes->GetLastFrameText(), (std::vector<std::string>{"Paused"}));
    meshes->Render();
    EXPECT_TRUE(meshes->GetLastFrameText().empty());
}

TEST(RenderQueueTest, ClearEmptiesEveryListButKeepsStorage) {
    RenderQueue queue;
    EXPECT_TRUE(queue.Empty());
    queue.wires.push_back({RenderQueue::Shape::Box, matrix4(1.0f), vector3(1.0f)});
    EXPECT_FALSE(queue.Empty());
    queue.lines.push_back({"x", vector3(1.0f)});
    queue.grids.push_back({1.0f, 1, vector3(1.0f)});
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    EXPECT_GE(queue.wires.capacity(), 1u);
    EXPECT_GE(queue.lines.capacity(), 1u);
}
