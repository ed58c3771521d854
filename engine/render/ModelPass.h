#pragma once
// The scene's solid shapes: every queued model instance, the spheres and the
// wireframes, each with its rim. All the shapes are two draws, their rims and
// their fills. The models' triangles are placed in the world, coloured per
// vertex, and kept, rebuilt only when an instance comes, goes or moves; the
// spheres follow as copies of one sphere, each moved by a placement of its
// own every frame, so only the placements change as the spheres move. A
// software rasterizer pays per draw (a browser's, some 0.1 to 0.3 ms each);
// the platforms and obstacles of a section are some thirty draws of a dozen
// triangles each otherwise.
#include <vector>

#include "engine/render/GLMesh.h"
#include "engine/render/MeshPainter.h"
#include "engine/render/Model.h"
#include "engine/render/RenderQueue.h"

namespace ReEng {

class ModelPass {
public:
    // Uploads the fixed shapes; needs a current GL context.
    ModelPass();
    ~ModelPass();
    ModelPass(const ModelPass&) = delete;
    ModelPass& operator=(const ModelPass&) = delete;

    // Brings each batch up to this frame's instances, rims `rimWidth` world
    // units wide.
    void Prepare(const RenderQueue& queue, const std::vector<Model>& models, float rimWidth);
    // Rims under every shape, flat and leaving the depth buffer alone, so no
    // shape is hidden by another's rim; then the fills of the models and of
    // the spheres, lit.
    void DrawModels(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection);
    // The fills of spheres past the slots a draw has (none in this game).
    void DrawSpheres(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection);
    void DrawWires(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection);

private:
    // A model's instances in one colour, placed in the world.
    struct Batch {
        int model = -1;
        vector3 colour{0.0f};  // as queued; negative: the default
        std::vector<vector3> fill, normals, rim;
        std::vector<matrix4> matrices;  // what the triangles hold, in order
        std::vector<matrix4> frame;     // this frame's
        float rimWidth = -1.0f;
        bool merged = false;  // in the merged meshes
    };
    // Every batch's triangles, then the spheres' copies, as one mesh.
    struct Merged {
        GLMesh mesh;
        std::vector<vector3> positions, normals, colours;
        std::vector<float> slots;
        std::vector<matrix4> mvp;  // this frame's placements by slot
        std::vector<glm::mat3> normal;
    };

    Batch& BatchFor(int model, const vector3& colour);
    // The model's triangles placed by every matrix into positions (and
    // normals, if given and the model has them); grown by rimWidth on every
    // side when it is not negative.
    static void Place(const Model& model, const std::vector<matrix4>& matrices, float rimWidth,
                      std::vector<vector3>& positions, std::vector<vector3>* normals);
    // The batches drawn this frame and the spheres' copies into the fill and
    // rim meshes.
    void Merge();
    // Appends a copy of the sphere for each merged one, from slot 1, in its colour.
    void AddSpheres(Merged& merged, bool rim);

    std::vector<Batch> m_batches;  // one per model and colour, in the order first seen
    Merged m_fills, m_rims;
    float m_rimWidth = 0.0f;               // this frame's
    std::vector<vector3> m_mergedSpheres;  // the spheres' colours in the merge, by slot from 1
    GLMesh m_sphere, m_wireBox, m_wireSphere;
    std::vector<vector3> m_spherePositions, m_sphereNormals;  // its triangles, for copies
};

}  // namespace ReEng
