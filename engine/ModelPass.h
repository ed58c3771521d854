#pragma once
// The scene's solid shapes: every queued model instance, the spheres and the
// wireframes, each with its rim. Instances of one model in one colour are
// one draw: their triangles placed in the world once and kept, rebuilt only
// when an instance comes, goes or moves. A software rasterizer pays per
// draw; the platforms and obstacles of a section are some thirty draws of a
// dozen triangles each otherwise.
#include <vector>

#include "engine/GLMesh.h"
#include "engine/MeshPainter.h"
#include "engine/Model.h"
#include "engine/RenderQueue.h"

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
    struct Batch {
        int model = -1;
        vector3 colour{0.0f};  // as queued; negative: the default
        GLMesh fill, rim;
        std::vector<matrix4> matrices;  // what the meshes hold, in order
        std::vector<matrix4> frame;     // this frame's
        float rimWidth = -1.0f;
    };

    Batch& BatchFor(int model, const vector3& colour);
    // The model's triangles placed by every matrix (grown by rimWidth on
    // every side when it is not negative; a rim needs no normals).
    void Rebuild(GLMesh& mesh, const Model& model, const std::vector<matrix4>& matrices, float rimWidth);

    std::vector<Batch> m_batches;  // one per model and colour, in the order first seen
    std::vector<vector3> m_scratchPositions, m_scratchNormals;
    float m_rimWidth = 0.0f;  // this frame's
    GLMesh m_sphere, m_wireBox, m_wireSphere;
};

}  // namespace ReEng
