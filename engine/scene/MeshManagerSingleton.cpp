#include "engine/scene/MeshManagerSingleton.h"

#include <algorithm>

#include "engine/scene/CameraManagerSingleton.h"
#include "engine/render/Renderer.h"
#include "engine/io/ResourcePath.h"
#include "engine/core/ErrorLine.h"
#include "engine/core/TextParse.h"

namespace ReEng {

void MeshManagerSingleton::SetModelColours(const std::map<std::string, vector3>& colours) {
    m_modelColours.clear();
    for (const auto& [file, colour] : colours) m_modelColours[NormalisedPath(file)] = colour;
}

int MeshManagerSingleton::FindOrLoadModel(const std::string& fileName) {
    const std::vector<std::string> places = ResourceCandidates(fileName, m_dataFolders);
    const std::string path = FindResource(fileName, m_dataFolders);
    const auto known = m_modelByPath.find(path);
    if (known != m_modelByPath.end()) return known->second;

    // Failures are kept as models too, so a bad file is reported and read once.
    Model model;
    model.path = fileName;
    std::string error;
    ++m_fileReads;
    if (!model.LoadObj(path, error)) {
        ++m_failedLoads;
        // Naming only the last place tried would hide where the game looked first.
        if (model.missing && places.size() > 1) {
            error = "cannot open model file '" + Printable(fileName) + "': not found in";
            for (std::size_t i = 0; i < places.size(); ++i) error += (i ? ", '" : " '") + Printable(places[i]) + "'";
        }
        ReportError(error);
    }
    m_models.push_back(std::move(model));
    const int index = static_cast<int>(m_models.size()) - 1;
    m_modelByPath.emplace(path, index);
    return index;
}

int MeshManagerSingleton::FindInstance(const std::string& instanceName) const {
    // An object sets its matrix and queues itself back to back: the second
    // look-up of the same name is spared the hashing.
    if (m_lastFound >= 0 && m_instances[m_lastFound].name == instanceName) return m_lastFound;
    const auto found = m_instanceByName.find(instanceName);
    if (found == m_instanceByName.end()) return -1;
    m_lastFound = found->second;
    return m_lastFound;
}

REERRORS MeshManagerSingleton::LoadModel(std::string fileName, std::string instanceName, bool, matrix4 matrix, int, int,
                                         int) {
    const int model = FindOrLoadModel(fileName);
    if (instanceName.empty()) return RE_ERROR_NAME;

    // Negative: the renderer's default colour.
    const auto given = m_modelColours.find(NormalisedPath(fileName));
    const vector3 colour = given == m_modelColours.end() ? vector3(-1.0f) : given->second;
    const int existing = FindInstance(instanceName);
    if (existing >= 0) {
        m_instances[existing] = Instance{instanceName, model, matrix, colour};
    } else {
        m_instances.push_back(Instance{instanceName, model, matrix, colour});
        m_instanceByName.emplace(instanceName, static_cast<int>(m_instances.size()) - 1);
    }

    const Model& loaded = m_models[model];
    if (loaded.loaded) return RE_NO_ERROR;
    return loaded.missing ? RE_ERROR_FILE_MISSING : RE_ERROR_FILE;
}

std::vector<vector3> MeshManagerSingleton::GetVertexList(std::string instanceName) {
    const int instance = FindInstance(instanceName);
    if (instance < 0) return {};
    return m_models[m_instances[instance].model].vertices;
}

void MeshManagerSingleton::SetModelMatrix(const matrix4& matrix, const std::string& instanceName, bool) {
    const int instance = FindInstance(instanceName);
    if (instance >= 0) m_instances[instance].matrix = matrix;
}

void MeshManagerSingleton::AddInstanceToRenderList(const std::string& instanceName) {
    const int instance = FindInstance(instanceName);
    if (instance < 0) return;
    const Instance& found = m_instances[instance];
    m_queue.instances.push_back(RenderQueue::Instance{found.name, found.model, found.matrix, found.colour});
}

void MeshManagerSingleton::AddGridToQueue(float size, int orientation, vector3 colour) {
    m_queue.grids.push_back(RenderQueue::Grid{size, orientation, colour});
}

void MeshManagerSingleton::AddSphereToQueue(matrix4 matrix, vector3 colour, int style) {
    m_queue.spheres.push_back(RenderQueue::Sphere{matrix, colour, style});
}

void MeshManagerSingleton::AddWireToQueue(RenderQueue::Shape shape, matrix4 matrix, vector3 colour) {
    m_queue.wires.push_back(RenderQueue::Wire{shape, matrix, colour});
}

void MeshManagerSingleton::PrintLine(std::string text, vector3 colour) {
    m_queue.lines.push_back(RenderQueue::Text{std::move(text), colour});
}

void MeshManagerSingleton::Update(bool) {}

void MeshManagerSingleton::Render() {
    // Assigning into existing strings reuses their buffers frame after frame.
    m_lastText.resize(m_queue.lines.size());
    for (std::size_t i = 0; i < m_queue.lines.size(); ++i) m_lastText[i] = m_queue.lines[i].text;

    if (m_renderer != nullptr && m_drawing) {
        const CameraManagerSingleton& camera = *CameraManagerSingleton::GetInstance();
        const vector3 eye = camera.GetPosition();
        const int mode = static_cast<int>(camera.GetCameraMode());
        if (m_redrawsOwed > 0 || eye != m_drawnEye || mode != m_drawnMode || !m_queue.SamePicture(m_drawn)) {
            Draw(m_queue, camera);
            // Swapped, not copied: both queues keep their storage.
            std::swap(m_queue, m_drawn);
            m_drawnEye = eye;
            m_drawnMode = mode;
            if (m_redrawsOwed > 0) --m_redrawsOwed;
        }
    } else if (m_renderer == nullptr) {
        std::swap(m_queue, m_drawn);  // kept headless too, for tools that read a whole frame
    }
    m_queue.Clear();
    m_queuedOnce.clear();
    ++m_frameIndex;
}

void MeshManagerSingleton::Draw(const RenderQueue& queue, const CameraManagerSingleton& camera) {
    // The projection follows the shape of the picture the renderer draws.
    const PlayArea area = m_renderer->GetPlayArea();
    const float aspect = static_cast<float>(area.width) / static_cast<float>(std::max(1, area.height));
    const SceneView view{camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix(), camera.GetPosition(),
                         CameraManagerSingleton::kHalfWidth};
    m_renderer->Draw(queue, m_models, view);
}

void MeshManagerSingleton::RedrawLast() {
    if (m_renderer != nullptr) Draw(m_drawn, *CameraManagerSingleton::GetInstance());
    if (m_redrawsOwed > 0) --m_redrawsOwed;
}

bool MeshManagerSingleton::FirstThisFrame(const void* owner) {
    if (std::find(m_queuedOnce.begin(), m_queuedOnce.end(), owner) != m_queuedOnce.end()) return false;
    m_queuedOnce.push_back(owner);
    return true;
}

bool MeshManagerSingleton::HasInstance(const std::string& instanceName) const {
    return FindInstance(instanceName) >= 0;
}

matrix4 MeshManagerSingleton::GetModelMatrix(const std::string& instanceName) const {
    const int instance = FindInstance(instanceName);
    return instance < 0 ? matrix4(1.0f) : m_instances[instance].matrix;
}

}  // namespace ReEng
