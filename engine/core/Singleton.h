#pragma once
// Each engine service exists once: GetInstance makes it on first use and
// ReleaseInstance frees it, so the game decides when the service ends. The
// app's EngineServices makes them at start-up and frees what is left at the end.
namespace ReEng {

template <typename T>
class Singleton {
public:
    static T* GetInstance() {
        if (s_instance == nullptr) s_instance = new T();
        return s_instance;
    }
    static void ReleaseInstance() {
        delete s_instance;
        s_instance = nullptr;
    }
    // The live instance, or null: a look that never creates one.
    static T* Peek() { return s_instance; }

protected:
    Singleton() = default;
    ~Singleton() = default;

private:
    static inline T* s_instance = nullptr;
};

}  // namespace ReEng
