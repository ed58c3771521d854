#pragma once
// The one owner of the engine's services: it makes them in order (clock,
// window, presenting, meshes, camera) and frees them in reverse order. The
// game may free the mesh and camera managers itself first; a service is
// freed here only if it was made here and is still alive, so nothing is
// freed twice. GetInstance stays the look-up everyone uses.
#include <memory>

#include "engine/app/AppInfo.h"
#include "engine/scene/CameraManagerSingleton.h"
#include "engine/render/GLSystemSingleton.h"
#include "engine/scene/MeshManagerSingleton.h"
#include "engine/render/Renderer.h"
#include "engine/time/SystemSingleton.h"
#include "engine/window/WindowClass.h"

namespace ReEng {

class EngineServices {
public:
    // A service that already exists is used, not made, and left alone at the end.
    explicit EngineServices(const AppInfo& info = AppInfo());
    ~EngineServices();
    EngineServices(const EngineServices&) = delete;
    EngineServices& operator=(const EngineServices&) = delete;

    SystemSingleton* System() const { return m_system.instance; }
    WindowClass* Window() const { return m_window.get(); }
    GLSystemSingleton* GLSystem() const { return m_glSystem.instance; }
    // Null once the game has freed them.
    MeshManagerSingleton* MeshManager() const { return MeshManagerSingleton::Peek(); }
    CameraManagerSingleton* CameraManager() const { return CameraManagerSingleton::Peek(); }

    // Draws with renderer from now on; it is freed before the window, while
    // its GL context still exists. Null in a headless run.
    void AttachRenderer(std::unique_ptr<Renderer> renderer);
    Renderer* GetRenderer() const { return m_renderer.get(); }

private:
    template <typename T>
    struct Service {
        T* instance = nullptr;
        bool made = false;  // by this owner, which then frees it

        void Take() {
            made = T::Peek() == nullptr;
            instance = T::GetInstance();
        }
        // Whatever instance is alive: the game may have freed the one made
        // here, and a look-up since may have made another.
        void Release() {
            if (made && T::Peek() != nullptr) T::ReleaseInstance();
            instance = nullptr;
        }
    };

    Service<SystemSingleton> m_system;
    std::unique_ptr<WindowClass> m_window;
    Service<GLSystemSingleton> m_glSystem;
    std::unique_ptr<Renderer> m_renderer;
    Service<MeshManagerSingleton> m_meshManager;
    Service<CameraManagerSingleton> m_cameraManager;
};

}  // namespace ReEng
