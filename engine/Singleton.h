#pragma once
// Each engine service exists once: GetInstance makes it on first use and
// ReleaseInstance frees it, so the game decides when the service ends.
namespace ReEng {

template <typename T>
class Singleton {
public:
    static T* GetInstance()
    {
        if (s_instance == nullptr) s_instance = new T();
        return s_instance;
    }
    static void ReleaseInstance()
    {
        delete s_instance;
        s_instance = nullptr;
    }

protected:
    Singleton() = default;
    ~Singleton() = default;

private:
    static inline T* s_instance = nullptr;
};

}  // namespace ReEng
