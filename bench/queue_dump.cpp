// Prints what the game queues for drawing in the steps the browser bench
// times, as JSON, so that the three.js page draws the same frames: a game
// started with Enter (down at step 0, up at 1), played headless with no
// other input, then for each step from `first` on, every model instance
// (and its rim, grown as the renderer grows it), sphere, grid and text line,
// with the camera's view and projection for the picture's 1080 x 720.
//   queue_dump [first=62] [count=300] > frames.json
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/AppClass.h"
#include "app/GameInfo.h"
#include "engine/render/RenderShapes.h"

namespace {

constexpr int kWidth = 1080, kHeight = 720;

// The app with its clear colour in reach.
class DumpApp : public AppClass {
public:
    using AppClass::AppClass;
    ReEng::vector4 ClearColour() const { return m_clearColor; }
};

class Json {
public:
    explicit Json(std::FILE* out) : m_out(out) {}
    void Raw(const char* text) { std::fputs(text, m_out); }
    void Number(float value) { std::fprintf(m_out, "%.9g", static_cast<double>(value)); }
    void Floats(const float* values, int count) {
        Raw("[");
        for (int i = 0; i < count; ++i) {
            if (i > 0) Raw(",");
            Number(values[i]);
        }
        Raw("]");
    }
    void Vec(const ReEng::vector3& v) { Floats(&v.x, 3); }
    void Mat(const ReEng::matrix4& m) { Floats(&m[0][0], 16); }  // column-major, as three.js reads it
    void Text(const std::string& text) {
        Raw("\"");
        for (const char c : text) {
            if (c == '"' || c == '\\')
                std::fprintf(m_out, "\\%c", c);
            else if (static_cast<unsigned char>(c) < 0x20)
                std::fprintf(m_out, "\\u%04x", c);
            else
                std::fputc(c, m_out);
        }
        Raw("\"");
    }

private:
    std::FILE* m_out;
};

struct Bounds {
    ReEng::vector3 centre{0.0f}, half{0.0f};
};

Bounds BoundsOf(const ReEng::Model& model) {
    if (model.positions.empty()) return {};
    ReEng::vector3 low = model.positions.front(), high = low;
    for (const ReEng::vector3& p : model.positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    return {(low + high) * 0.5f, (high - low) * 0.5f};
}

// The queue's sphere is a ball of radius kRadius about the origin.
const Bounds kSphere{ReEng::vector3(0.0f), ReEng::vector3(ReEng::RenderQueue::Sphere::kRadius)};

bool SameInstances(const std::vector<ReEng::RenderQueue::Instance>& a,
                   const std::vector<ReEng::RenderQueue::Instance>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].model != b[i].model || a[i].matrix != b[i].matrix || a[i].colour != b[i].colour) return false;
    return true;
}

// What both a model's instance and a sphere are drawn with: the fill's
// colour and its rim's, the placement and the rim's grown placement; the
// object's closing brace too.
void Shape(Json& json, const ReEng::vector3& fill, const ReEng::matrix4& matrix, const ReEng::matrix4& rim) {
    json.Raw("\"colour\":");
    json.Vec(fill);
    json.Raw(",\"rimColour\":");
    json.Vec(ReEng::RimColour(fill));
    json.Raw(",\"matrix\":");
    json.Mat(matrix);
    json.Raw(",\"rim\":");
    json.Mat(rim);
    json.Raw("}");
}

}  // namespace

int main(int argc, char** argv) {
    const int first = argc > 1 ? std::atoi(argv[1]) : 62;
    const int count = argc > 2 ? std::atoi(argv[2]) : 300;
    if (first < 2 || count < 1) {
        std::fprintf(stderr, "queue_dump: usage: queue_dump [first >= 2] [count >= 1]\n");
        return 2;
    }
    // The game prints its frame-rate line on stdout every step: that goes
    // to /dev/null, the JSON to the real stdout.
    std::fflush(stdout);
    const int fd = dup(STDOUT_FILENO);
    std::FILE* out = fd < 0 ? nullptr : fdopen(fd, "w");
    if (out == nullptr || std::freopen("/dev/null", "w", stdout) == nullptr) return 1;

    // Steps of exactly 1/60 s, as the browser's manual page asks for.
    DumpApp app(nullptr, {"--headless", "--frame-time", "0.016666666666666666"}, 0, false);
    app.SetAppInfo(GameInfo());
    app.InitHeadless();
    const ReEng::MeshManagerSingleton& mesh = *ReEng::MeshManagerSingleton::GetInstance();
    const ReEng::CameraManagerSingleton& camera = *ReEng::CameraManagerSingleton::GetInstance();
    // The renderer's rim: kRimPixels of the play area's width, in world units.
    const float rimWidth = ReEng::kRimPixels * 2.0f * ReEng::CameraManagerSingleton::kHalfWidth / kWidth;

    Json json(out);
    json.Raw("{\"width\":");
    json.Number(kWidth);
    json.Raw(",\"height\":");
    json.Number(kHeight);
    json.Raw(",\"clear\":");
    const ReEng::vector4 clear = app.ClearColour();
    json.Vec(ReEng::vector3(clear));
    json.Raw(",\"first\":");
    json.Number(static_cast<float>(first));
    json.Raw(",\"frames\":[");
    std::vector<ReEng::RenderQueue::Instance> last;
    for (int step = 0; step < first + count; ++step) {
        app.GetInput().SetKey(sf::Keyboard::Return, step == 0);
        app.RunFrame();
        if (step < first) continue;
        const ReEng::RenderQueue& queue = mesh.GetLastQueue();
        const std::vector<ReEng::Model>& models = mesh.GetModels();
        json.Raw(step > first ? ",\n{" : "\n{");
        json.Raw("\"step\":");
        json.Number(static_cast<float>(step));
        json.Raw(",\"eye\":");
        json.Vec(camera.GetPosition());
        json.Raw(",\"view\":");
        json.Mat(camera.GetViewMatrix());
        json.Raw(",\"projection\":");
        json.Mat(camera.GetProjectionMatrix(static_cast<float>(kWidth) / kHeight));
        // Instances are written only when they changed since the last step.
        if (step == first || !SameInstances(queue.instances, last)) {
            json.Raw(",\"instances\":[");
            for (std::size_t i = 0; i < queue.instances.size(); ++i) {
                const ReEng::RenderQueue::Instance& instance = queue.instances[i];
                const bool known = instance.model >= 0 && static_cast<std::size_t>(instance.model) < models.size();
                const Bounds box = known ? BoundsOf(models[static_cast<std::size_t>(instance.model)]) : Bounds{};
                const ReEng::vector3 fill = ReEng::OrDefault(instance.colour);
                json.Raw(i > 0 ? ",{\"model\":" : "{\"model\":");
                json.Text(known ? models[static_cast<std::size_t>(instance.model)].path : "");
                json.Raw(",");
                Shape(json, fill, instance.matrix, ReEng::Grown(instance.matrix, box.centre, box.half, rimWidth));
            }
            json.Raw("]");
            last = queue.instances;
        }
        json.Raw(",\"spheres\":[");
        for (std::size_t i = 0; i < queue.spheres.size(); ++i) {
            const ReEng::RenderQueue::Sphere& sphere = queue.spheres[i];
            const ReEng::vector3 fill = ReEng::OrDefault(sphere.colour);
            json.Raw(i > 0 ? ",{" : "{");
            Shape(json, fill, sphere.matrix, ReEng::Grown(sphere.matrix, kSphere.centre, kSphere.half, rimWidth));
        }
        json.Raw("],\"grids\":[");
        for (std::size_t i = 0; i < queue.grids.size(); ++i) {
            const ReEng::RenderQueue::Grid& grid = queue.grids[i];
            json.Raw(i > 0 ? ",{\"size\":" : "{\"size\":");
            json.Number(grid.size);
            json.Raw(",\"orientation\":");
            json.Number(static_cast<float>(grid.orientation));
            json.Raw(",\"colour\":");
            json.Vec(ReEng::OrDefault(grid.colour));
            json.Raw("}");
        }
        json.Raw("],\"lines\":[");
        for (std::size_t i = 0; i < queue.lines.size(); ++i) {
            json.Raw(i > 0 ? ",{\"text\":" : "{\"text\":");
            json.Text(queue.lines[i].text);
            json.Raw(",\"colour\":");
            json.Vec(ReEng::OrDefault(queue.lines[i].colour));
            json.Raw("}");
        }
        json.Raw("]}");
    }
    json.Raw("\n]}\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
