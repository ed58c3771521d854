#pragma once
// The scene's solid shapes: every queued model instance, the spheres and the
// wireframes, each with its rim. All model instances are two draws, their
// rims and their fills: their triangles placed in the world, coloured per
// vertex, and kept, rebuilt only when an instance comes, goes or moves. A
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
    // shape is hidden by another's rim; then the models' fills, lit.
    void DrawModels(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection);
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
    // Every batch's triangles, back to back, as one mesh.
    struct Merged {
        GLMesh mesh;
        std::vector<vector3> positions, normals, colours;
    };

    Batch& BatchFor(int model, const vector3& colour);
    // The model's triangles placed by every matrix into positions (and
    // normals, if given and the model has them); grown by rimWidth on every
    // side when it is not negative.
    static void Place(const Model& model, const std::vector<matrix4>& matrices, float rimWidth,
                      std::vector<vector3>& positions, std::vector<vector3>* normals);
    // The batches drawn this frame into the fill and rim meshes.
    void Merge();

    std::vector<Batch> m_batches;  // one per model and colour, in the order first seen
    Merged m_fills, m_rims;
    float m_rimWidth = 0.0f;  // this frame's
    GLMesh m_sphere, m_wireBox, m_wireSphere;
};

}  // namespace ReEng
