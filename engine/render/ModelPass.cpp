#include "engine/render/ModelPass.h"

#include <glm/gtc/matrix_inverse.hpp>

#include "engine/render/RenderShapes.h"

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
    Delete(m_fills.mesh);
    Delete(m_rims.mesh);
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
    // Merged again when a batch comes, goes or changes.
    bool changed = false;
    for (Batch& batch : m_batches) {
        const bool drawn = !batch.frame.empty();
        changed |= drawn != batch.merged;
        batch.merged = drawn;
        if (!drawn || (batch.matrices == batch.frame && batch.rimWidth == rimWidth)) continue;
        const Model& model = models[static_cast<std::size_t>(batch.model)];
        batch.matrices = batch.frame;
        batch.rimWidth = rimWidth;
        Place(model, batch.matrices, -1.0f, batch.fill, &batch.normals);
        Place(model, batch.matrices, rimWidth, batch.rim, nullptr);
        changed = true;
    }
    if (changed) Merge();
}

void ModelPass::Place(const Model& model, const std::vector<matrix4>& matrices, float rimWidth,
                      std::vector<vector3>& positions, std::vector<vector3>* normals) {
    positions.clear();
    if (normals != nullptr) normals->clear();
    vector3 low(0.0f), high(0.0f);
    if (!model.positions.empty()) low = high = model.positions.front();
    for (const vector3& p : model.positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    const bool lit = normals != nullptr && model.normals.size() == model.positions.size();
    for (const matrix4& placed : matrices) {
        const matrix4 m = rimWidth < 0.0f ? placed : Grown(placed, (low + high) * 0.5f, (high - low) * 0.5f, rimWidth);
        const glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(m));
        for (std::size_t i = 0; i < model.positions.size(); ++i) {
            positions.push_back(vector3(m * glm::vec4(model.positions[i], 1.0f)));
            // A zero normal is drawn unlit, in its plain colour, as a model
            // without normals always was.
            if (normals != nullptr) normals->push_back(lit ? normalMatrix * model.normals[i] : vector3(0.0f));
        }
    }
}

void ModelPass::Merge() {
    for (Merged* merged : {&m_fills, &m_rims}) {
        merged->positions.clear();
        merged->normals.clear();
        merged->colours.clear();
    }
    for (const Batch& batch : m_batches) {
        if (!batch.merged) continue;
        const vector3 fill = OrDefault(batch.colour);
        m_fills.positions.insert(m_fills.positions.end(), batch.fill.begin(), batch.fill.end());
        m_fills.normals.insert(m_fills.normals.end(), batch.normals.begin(), batch.normals.end());
        m_fills.colours.insert(m_fills.colours.end(), batch.fill.size(), fill);
        m_rims.positions.insert(m_rims.positions.end(), batch.rim.begin(), batch.rim.end());
        m_rims.colours.insert(m_rims.colours.end(), batch.rim.size(), RimColour(fill));
    }
    for (Merged* merged : {&m_fills, &m_rims}) {
        merged->mesh.count = static_cast<GLsizei>(merged->positions.size());
        Fill(merged->mesh.positions, merged->positions);
        Fill(merged->mesh.colours, merged->colours);
    }
    Fill(m_fills.mesh.normals, m_fills.normals);
}

void ModelPass::DrawModels(MeshPainter& painter, const RenderQueue& queue, const matrix4& viewProjection) {
    // Shapes are closed: their back faces are always hidden, rims' too.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST);
    const vector3 unused(0.0f);  // the merged meshes carry their colours
    painter.Draw(m_rims.mesh, GL_TRIANGLES, viewProjection, matrix4(1.0f), unused, false);
    for (const RenderQueue::Sphere& s : queue.spheres)
        painter.Draw(m_sphere, GL_TRIANGLES, viewProjection,
                     Grown(s.matrix, m_sphere.centre, m_sphere.half, m_rimWidth), RimColour(OrDefault(s.colour)),
                     false);
    glEnable(GL_DEPTH_TEST);
    painter.Draw(m_fills.mesh, GL_TRIANGLES, viewProjection, matrix4(1.0f), unused, true);
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
