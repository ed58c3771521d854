#include "engine/ModelPass.h"

#include <glm/gtc/matrix_inverse.hpp>

#include "engine/RenderShapes.h"

namespace ReEng {

ModelPass::ModelPass() {
    // The fixed shapes are built and uploaded once, here.
    std::vector<vector3> positions, normals;
    BuildSphere(positions, normals);
    Upload(m_sphere, positions, &normals);
    positions.clear();
    BuildWireBox(positions);
    Upload(m_wireBox, positions, nullptr);
    positions.clear();
    BuildWireSphere(positions);
    Upload(m_wireSphere, positions, nullptr);
}

ModelPass::~ModelPass() {
    for (Batch& batch : m_batches) {
        Delete(batch.fill);
        Delete(batch.rim);
    }
    Delete(m_sphere);
    Delete(m_wireBox);
    Delete(m_wireSphere);
}

ModelPass::Batch& ModelPass::BatchFor(int model, const vector3& colour) {
    for (Batch& batch : m_batches)
        if (batch.model == model && batch.colour == colour) return batch;
    m_batches.emplace_back();
    m_batches.back().model = model;
    m_batches.back().colour = colour;
    return m_batches.back();
}

void ModelPass::Prepare(const RenderQueue& queue, const std::vector<Model>& models, float rimWidth) {
    m_rimWidth = rimWidth;
    for (Batch& batch : m_batches) batch.frame.clear();
    for (const RenderQueue::Instance& instance : queue.instances) {
        if (instance.model < 0 || static_cast<std::size_t>(instance.model) >= models.size()) continue;
        BatchFor(instance.model, instance.colour).frame.push_back(instance.matrix);
    }
    for (Batch& batch : m_batches) {
        if (batch.frame.empty()) continue;
        if (batch.matrices != batch.frame || batch.rimWidth != rimWidth) {
            const Model& model = models[static_cast<std::size_t>(batch.model)];
            batch.matrices = batch.frame;
            batch.rimWidth = rimWidth;
            Rebuild(batch.fill, model, batch.matrices, -1.0f);
            Rebuild(batch.rim, model, batch.matrices, rimWidth);
        }
    }
}

void ModelPass::Rebuild(GLMesh& mesh, const Model& model, const std::vector<matrix4>& matrices, float rimWidth) {
    m_scratchPositions.clear();
    m_scratchNormals.clear();
    vector3 low(0.0f), high(0.0f);
    if (!model.positions.empty()) low = high = model.positions.front();
    for (const vector3& p : model.positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    const bool lit = rimWidth < 0.0f && model.normals.size() == model.positions.size();
    for (const matrix4& placed : matrices) {
        const matrix4 m = rimWidth < 0.0f ? placed : Grown(placed, (low + high) * 0.5f, (high - low) * 0.5f, rimWidth);
        const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(m));
        for (std::size_t i = 0; i < model.positions.size(); ++i) {
            m_scratchPositions.push_back(vector3(m * glm::vec4(model.positions[i], 1.0f)));
            if (lit) m_scratchNormals.push_back(normalMatrix * model.normals[i]);
        }
    }
    mesh.count = static_cast<GLsizei>(m_scratchPositions.size());
    Fill(mesh.positions, m_scratchPositions);
    if (lit) Fill(mesh.normals, m_scratchNormals);
}

void ModelPass::DrawModels(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection) {
    // Shapes are closed: their back faces are always hidden, rims' too.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    for (const Batch& batch : m_batches) {
        if (!batch.frame.empty())
            painter.Draw(batch.rim, GL_TRIANGLES, viewProjection, matrix4(1.0f), RimColour(OrDefault(batch.colour)),
                         false);
    }
    for (const RenderQueue::Sphere& s : queue.spheres)
        painter.Draw(m_sphere, GL_TRIANGLES, viewProjection,
                     Grown(s.matrix, m_sphere.centre, m_sphere.half, m_rimWidth), RimColour(OrDefault(s.colour)),
                     false);
    glEnable(GL_DEPTH_TEST);
    for (const Batch& batch : m_batches) {
        if (!batch.frame.empty())
            painter.Draw(batch.fill, GL_TRIANGLES, viewProjection, matrix4(1.0f), OrDefault(batch.colour), true);
    }
}

void ModelPass::DrawSpheres(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection) {
    for (const RenderQueue::Sphere& s : queue.spheres)
        painter.Draw(m_sphere, GL_TRIANGLES, viewProjection, s.matrix, OrDefault(s.colour), true);
    glDisable(GL_CULL_FACE);
}

void ModelPass::DrawWires(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection) {
    for (const RenderQueue::Wire& w : queue.wires) {
        const GLMesh& mesh = w.shape == RenderQueue::Shape::Box ? m_wireBox : m_wireSphere;
        painter.Draw(mesh, GL_LINES, viewProjection, w.matrix, OrDefault(w.colour), false);
    }
}

}  // namespace ReEng
