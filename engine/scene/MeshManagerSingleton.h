#pragma once
// Models, their named instances and the queue of what a frame draws.
// A model file is read once; any number of instance names share it.
#include "engine/core/Singleton.h"
#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/Definitions.h"
#include "engine/render/Model.h"
#include "engine/render/RenderQueue.h"

namespace ReEng {

class CameraManagerSingleton;

class Renderer;

class MeshManagerSingleton : public Singleton<MeshManagerSingleton> {
public:
    // Where model files are looked for besides the program's folder (see
    // FindResource), and the colour each model file is drawn in, by the name
    // it is loaded under. Set by the app before the first LoadModel.
    void SetDataFolders(const std::vector<std::string>& dataFolders) { m_dataFolders = dataFolders; }
    void SetModelColours(const std::map<std::string, vector3>& colours);

    // Binds instanceName to the model in fileName, reading the file only the
    // first time it is named. An existing name is rebound, nothing reloaded.
    // The instance is drawn in the colour given to its file, if any.
    // A file that cannot be read gives RE_ERROR_FILE_MISSING or RE_ERROR_FILE
    // and an instance with no vertices. The remaining arguments are accepted
    // for the game's calls and do not change the result.
    REERRORS LoadModel(std::string fileName, std::string instanceName, bool absoluteRoute = false,
                       matrix4 matrix = matrix4(1.0f), int visibility = 1, int collidable = 1, int state = 0);
    // Distinct vertex positions of the instance's model, in model space.
    std::vector<vector3> GetVertexList(std::string instanceName);
    // Sets the instance's matrix. Unknown names (the empty one included) are ignored.
    // By reference: called for every object every frame.
    void SetModelMatrix(const matrix4& matrix, const std::string& instanceName, bool boundingObjects = false);
    void AddInstanceToRenderList(const std::string& instanceName);

    // Orientation: 1 the xy plane, 2 the xz plane, 4 the yz plane. A negative
    // colour component means the renderer's default colour.
    void AddGridToQueue(float size, int orientation, vector3 colour);
    // A sphere of radius RenderQueue::Sphere::kRadius placed by matrix.
    void AddSphereToQueue(matrix4 matrix, vector3 colour, int style = 1);
    void AddWireToQueue(RenderQueue::Shape shape, matrix4 matrix, vector3 colour);
    // A text line; lines stack from the top-left in the order queued.
    void PrintLine(std::string text, vector3 colour = vector3(1.0f));

    // Per-frame bookkeeping; nothing to do between frames at present.
    void Update(bool force = false);
    // Draws the queue (when a renderer is attached), then empties it. A
    // queue that would draw the same picture as the last one drawn, seen
    // from the same camera, is not drawn again: an unchanging screen costs
    // next to nothing.
    void Render();
    // Whether this step's Render may draw at all (false for the steps run
    // to catch up before a frame is drawn).
    void SetDrawing(bool drawing) { m_drawing = drawing; }
    // The next `frames` draws happen even for an unchanged picture (after an
    // expose, a resize, a change of focus, or to capture it). More than one:
    // a software GL driver may take a frame or two to see a new window size.
    void ForceRedraw(int frames = 1) { m_redrawsOwed = std::max(m_redrawsOwed, frames); }
    bool IsRedrawOwed() const { return m_redrawsOwed > 0; }
    // Draws the last picture drawn again, as it was.
    void RedrawLast();

    // What has been queued since the last Render.
    const RenderQueue& GetQueue() const { return m_queue; }
    // The last queue drawn (headless: the last one rendered), grid included.
    const RenderQueue& GetLastQueue() const { return m_drawn; }
    // The text lines of the last frame rendered.
    const std::vector<std::string>& GetLastFrameText() const { return m_lastText; }

    // The drawing backend; null in a headless run. Not owned.
    void SetRenderer(Renderer* renderer) { m_renderer = renderer; }
    Renderer* GetRenderer() const { return m_renderer; }

    const std::vector<Model>& GetModels() const { return m_models; }
    int GetInstanceCount() const { return static_cast<int>(m_instances.size()); }
    bool HasInstance(const std::string& instanceName) const;
    matrix4 GetModelMatrix(const std::string& instanceName) const;
    // How many model files could not be loaded; the engine ends the run on one.
    int GetFailedLoadCount() const { return m_failedLoads; }
    // How many times a model file has been opened and read.
    int GetFileReadCount() const { return m_fileReads; }
    // Counts Render calls.
    unsigned GetFrameIndex() const { return m_frameIndex; }
    // True the first time owner asks since the last Render: lets a volume be
    // queued once a frame. Kept here, not in the volume, so a new manager
    // starts with a clean slate.
    bool FirstThisFrame(const void* owner);

private:
    // The queue drawn as the camera sees it.
    void Draw(const RenderQueue& queue, const CameraManagerSingleton& camera);

    struct Instance {
        std::string name;
        int model;
        matrix4 matrix;
        vector3 colour;
    };

    MeshManagerSingleton() = default;
    ~MeshManagerSingleton() = default;
    MeshManagerSingleton(const MeshManagerSingleton&) = delete;
    MeshManagerSingleton& operator=(const MeshManagerSingleton&) = delete;

    int FindOrLoadModel(const std::string& fileName);
    int FindInstance(const std::string& instanceName) const;

    friend class Singleton<MeshManagerSingleton>;

    std::vector<std::string> m_dataFolders;
    std::map<std::string, vector3> m_modelColours;  // by normalised file name
    unsigned m_frameIndex = 0;
    std::vector<const void*> m_queuedOnce;  // since the last Render; a handful at most
    std::vector<Model> m_models;
    std::map<std::string, int> m_modelByPath;
    std::vector<Instance> m_instances;
    // Hashed: every queued object looks its name up twice a frame, and names
    // stay for the whole run, so a tree would get deeper as the course streams.
    std::unordered_map<std::string, int> m_instanceByName;
    mutable int m_lastFound = -1;  // instances are never removed, so it stays valid
    RenderQueue m_queue;
    RenderQueue m_drawn;  // the last queue drawn, kept to compare and to redraw
    vector3 m_drawnEye{0.0f};
    int m_drawnMode = -1;
    bool m_drawing = true;
    int m_redrawsOwed = 1;  // the first picture is always drawn
    std::vector<std::string> m_lastText;
    Renderer* m_renderer = nullptr;
    int m_fileReads = 0;
    int m_failedLoads = 0;
};

}  // namespace ReEng
