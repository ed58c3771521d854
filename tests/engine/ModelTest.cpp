// Model files, the mesh manager's instances and frame queue, and the fuzz inputs.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <glm/gtc/matrix_transform.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include "app/GameBindings.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "engine/replay/InputScript.h"
#include "engine/render/Model.h"
#include "engine/app/Options.h"
#include "fuzz/FuzzChecks.h"
#include "tests/engine/FreshEngine.h"
#include "tests/engine/TempFolder.h"

using namespace ReEng;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

static const std::string kData = TEST_DATA_DIR;
static std::string Data(const std::string& name) { return kData + "/" + name; }

// A model file too big to read is made in a folder of the test's own.
class ModelTest : public TempFolder {};

class MeshManagerTest : public FreshEngine {
protected:
    MeshManagerSingleton* meshes = engine.MeshManager();
};

TEST_F(ModelTest, QuadsBecomeOutwardTriangles) {
    Model cube;
    std::string error;
    ASSERT_TRUE(cube.LoadObj(Data("cube.obj"), error)) << error;
    ASSERT_EQ(cube.positions.size(), 36u);
    ASSERT_EQ(cube.normals.size(), 36u);
    for (std::size_t i = 0; i < 36; i += 3) {  // centred cube: normal = face centre's direction
        const vector3 middle = (cube.positions[i] + cube.positions[i + 1] + cube.positions[i + 2]) / 3.0f;
        EXPECT_NEAR(glm::dot(cube.normals[i], middle), 1.0f, 1e-5f) << "triangle " << i / 3;
    }
}

TEST_F(ModelTest, BadFilesLeaveNoGeometryAndAOneLineError) {
    const std::string huge = Path("oversized.obj");
    std::filesystem::resize_file((std::ofstream(huge), huge), Model::kMaxBytes + 1);  // sparse
    std::string corners = "v 0 0 0\nf";
    for (int i = 0; i < 80000; ++i) corners += " 1";
    corners += "\n";
    const struct {
        const char* file;
        const char* text;
        bool missing;
    } cases[] = {
        {"no_such_model.obj", nullptr, true},
        {"empty.obj", nullptr, false},
        {"corrupt.obj", nullptr, false},
        {"bad_index.obj", nullptr, false},  // the first triangle is fine, the second is not
        {"nan.obj", nullptr, false},
        {"big.obj", "v 0 0 0\nv 1e7 0 0\nv 0 1 0\nf 1 2 3\n", false},
        // Indices past the end, which the loader would wrap round to a small one.
        {"wrap.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nf 1 2 4294967298\n", false},
        {"huge.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 99999999999999999999\n", false},
        {"texture.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1/1 2/1 3/1\n", false},
        {"/dev/zero", nullptr, false},  // devices, FIFOs and directories are not model files
        {"/tmp", nullptr, false},
        {huge.c_str(), nullptr, false},
        {"bad_normal.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//7\n", false},  // one normal
        // A polygon of 80,000 corners, which the loader would take seconds to cut.
        {"corners.obj", corners.c_str(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Model model;
        std::string error;
        const std::string file = c.file[0] == '/' ? c.file : Data(c.file);
        EXPECT_FALSE(c.text ? model.LoadObjText(c.text, c.file, error) : model.LoadObj(file, error));
        EXPECT_FALSE(model.loaded) << c.file;
        EXPECT_EQ(model.missing, c.missing) << c.file;
        EXPECT_THAT(model.positions, IsEmpty()) << c.file;
        EXPECT_THAT(model.normals, IsEmpty()) << c.file;
        EXPECT_THAT(model.vertices, IsEmpty()) << c.file;
        EXPECT_THAT(error, HasSubstr(c.file));
        EXPECT_THAT(error, Not(HasSubstr("\n")));
    }
}

TEST_F(ModelTest, CommentsMayEndALineAndRelativeIndicesCountBack) {
    Model model;
    std::string error;
    ASSERT_TRUE(
        model.LoadObjText("v -0.5 -0.52 -0.26 # c\nv 1 0 0\nv 0 1 0#\nvn 0 0 1 # up\n"
                          "f 1//1 2//1 -1//1 # one\n",
                          "comment.obj", error))
        << error;
    EXPECT_EQ(model.positions[0], vector3(-0.5f, -0.52f, -0.26f));
    EXPECT_EQ(model.positions[2], vector3(0, 1, 0));
}

TEST_F(MeshManagerTest, AFileIsReadOnceAndANameNamesOneInstance) {
    EXPECT_EQ(meshes->LoadModel(Data("cube.obj"), "first"), RE_NO_ERROR);
    EXPECT_EQ(meshes->LoadModel(kData + "\\cube.obj", "second"), RE_NO_ERROR);
    EXPECT_EQ(meshes->GetVertexList("second").size(), 8u);
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "first"), RE_NO_ERROR);  // rebinding keeps one instance
    EXPECT_EQ(meshes->GetVertexList("first")[6], vector3(5, 2, 1));
    EXPECT_EQ(meshes->GetFileReadCount(), 2);
    EXPECT_EQ(meshes->GetInstanceCount(), 2);
}

TEST_F(MeshManagerTest, AFailedFileIsReportedOnceAndNeverReadAgain) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "a"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("missing.obj"), "b"), RE_ERROR_FILE_MISSING);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    EXPECT_EQ(meshes->LoadModel(Data("corrupt.obj"), "c"), RE_ERROR_FILE);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(meshes->GetFileReadCount(), 2);
    EXPECT_EQ(meshes->GetFailedLoadCount(), 2);                                 // the engine ends the run on these
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 2) << printed;  // one line each
    EXPECT_THAT(printed, AllOf(HasSubstr("missing.obj"), HasSubstr("corrupt.obj")));
    EXPECT_TRUE(meshes->HasInstance("b"));
    EXPECT_THAT(meshes->GetVertexList("b"), IsEmpty());  // nothing to collide with
}

TEST_F(MeshManagerTest, AFrameIsQueuedInOrderWithItsColoursAndRenderEmptiesIt) {
    const vector3 orange(0.8f, 0.5f, 0.2f);
    meshes->SetModelColours({{kData + "\\cube.obj", orange}});  // named either way
    ASSERT_EQ(meshes->LoadModel(Data("cube.obj"), "box"), RE_NO_ERROR);
    ASSERT_EQ(meshes->LoadModel(Data("slab.obj"), "slab"), RE_NO_ERROR);
    const matrix4 moved = glm::translate(matrix4(1.0f), vector3(0, 4, 0));
    meshes->SetModelMatrix(moved, "slab");
    for (const char* name : {"slab", "ghost", "box"}) meshes->AddInstanceToRenderList(name);
    const RenderQueue& queue = meshes->GetQueue();
    ASSERT_EQ(queue.instances.size(), 2u);
    EXPECT_EQ(queue.instances[0].model, 1);
    EXPECT_EQ(queue.instances[0].matrix, moved);
    EXPECT_EQ(queue.instances[1].name, "box");
    EXPECT_EQ(queue.instances[1].colour, orange);
    EXPECT_LT(queue.instances[0].colour.r, 0.0f);  // no colour given: the renderer's default
    meshes->Render();
    EXPECT_TRUE(meshes->GetQueue().Empty());
}

// Whether a parser takes the data, for entries whose name says which it must do.
static bool Accepts(const std::string& target, const std::string& data) {
    std::string error;
    if (target == "model") return Model().LoadObjText(data, "fuzz.obj", error);
    std::istringstream in(data);
    if (target == "input_script") {
        InputScript script;
        script.SetNames(GameInputNames());
        return script.Parse(in, "fuzz.txt", error);
    }
    std::vector<std::string> args(1);
    for (char c : data) {
        if (c == '\0')
            args.emplace_back();
        else
            args.back().push_back(c);
    }
    return Options().Parse(args, error);
}

// Replays the seeds and every input that once broke a parser. An entry named
// accepted_* must also be taken, one named refused_* refused.
TEST(FuzzReplayTest, CorpusAndRegressionsPassTheFuzzChecks) {
    const std::pair<const char*, std::string (*)(const std::string&)> targets[] = {
        {"input_script", fuzzcheck::CheckInputScript},
        {"options", fuzzcheck::CheckOptions},
        {"model", fuzzcheck::CheckModel}};
    namespace fs = std::filesystem;
    int count = 0;
    for (const auto& [target, check] : targets)
        for (const char* kind : {"corpus", "regressions"})
            for (const auto& entry : fs::directory_iterator(fs::path(FUZZ_DIR) / kind / target)) {
                std::ostringstream data;
                data << std::ifstream(entry.path(), std::ios::binary).rdbuf();
                EXPECT_EQ(check(data.str()), "") << entry.path();
                const std::string name = entry.path().filename().string();
                if (name.rfind("accepted_", 0) == 0 || name.rfind("refused_", 0) == 0) {
                    EXPECT_EQ(Accepts(target, data.str()), name[0] == 'a') << entry.path();
                }
                ++count;
            }
    EXPECT_GT(count, 9);
}
