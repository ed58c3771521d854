#pragma once
// Presents finished frames.
namespace ReEng {

class WindowClass;

class GLSystemSingleton {
public:
    static GLSystemSingleton* GetInstance();
    static void ReleaseInstance();

    // The window whose frames are presented; null in a headless run.
    void SetWindow(WindowClass* window) { m_window = window; }
    void GLSwapBuffers();

private:
    GLSystemSingleton() = default;
    static GLSystemSingleton* s_instance;
    WindowClass* m_window = nullptr;
};

}  // namespace ReEng
