// The unchanged-picture check: only what changes the picture makes it new.
#include <gtest/gtest.h>
#include "engine/render/RenderQueue.h"

using namespace ReEng;

TEST(RenderQueueTest, OnlyWhatChangesThePictureMakesItNew) {
    RenderQueue a, b;
    for (RenderQueue* q : {&a, &b}) {
        q->grids.push_back({1.0f, 1, vector3(0.0f, 0.0f, 0.75f)});
        q->instances.push_back({"plat_1", 0, matrix4(1.0f), vector3(0.8f, 0.5f, 0.2f)});
        q->lines.push_back({"Paused", vector3(1.0f)});
    }
    EXPECT_TRUE(a.SamePicture(b));
    b.instances[0].name = "plat_2";  // a name draws nothing
    EXPECT_TRUE(a.SamePicture(b));
    b.instances[0].matrix[3].y = 0.5f;
    EXPECT_FALSE(a.SamePicture(b));
    b.instances[0].matrix = a.instances[0].matrix;
    b.instances[0].colour.g = 0.6f;
    EXPECT_FALSE(a.SamePicture(b));
    b.instances[0].colour = a.instances[0].colour;
    b.lines[0].text = "Score: 3";
    EXPECT_FALSE(a.SamePicture(b));
    b.lines.clear();
    EXPECT_FALSE(a.SamePicture(b));
}
