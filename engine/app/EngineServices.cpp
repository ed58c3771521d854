#include "engine/app/EngineServices.h"

namespace ReEng {

EngineServices::EngineServices(const AppInfo& info) {
    m_system.Take();
    // Headless, the window object only carries the quit request and the
    // default play area.
    m_window = std::make_unique<WindowClass>(info.name);
    m_system.instance->SetWindow(m_window.get());
    m_glSystem.Take();
    m_meshManager.Take();
    m_meshManager.instance->SetDataFolders(info.dataFolders);
    m_meshManager.instance->SetModelColours(info.modelColours);
    m_cameraManager.Take();
}

EngineServices::~EngineServices() {
    m_cameraManager.Release();
    // Whichever mesh manager is alive must not keep drawing with the renderer.
    if (MeshManagerSingleton* meshes = MeshManagerSingleton::Peek()) meshes->SetRenderer(nullptr);
    m_meshManager.Release();
    // Asked afresh: a service made elsewhere may already be gone.
    if (GLSystemSingleton* gl = GLSystemSingleton::Peek()) {
        gl->SetWindow(nullptr);
        gl->SetPresenting(nullptr, nullptr, nullptr);
    }
    // GL objects go while the window's context still exists.
    m_renderer.reset();
    m_glSystem.Release();
    if (SystemSingleton* system = SystemSingleton::Peek()) system->SetWindow(nullptr);
    m_window.reset();
    m_system.Release();
}

void EngineServices::AttachRenderer(std::unique_ptr<Renderer> renderer) {
    m_renderer = std::move(renderer);
    m_meshManager.instance->SetRenderer(m_renderer.get());
    m_glSystem.instance->SetWindow(m_renderer ? m_window.get() : nullptr);
}

}  // namespace ReEng
