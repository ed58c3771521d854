#include "engine/render/RenderQueue.h"

namespace ReEng {

void RenderQueue::Clear() {
    // clear() keeps capacity, so a steady frame allocates no vectors.
    grids.clear();
    instances.clear();
    spheres.clear();
    wires.clear();
    lines.clear();
}

bool RenderQueue::Empty() const {
    return grids.empty() && instances.empty() && spheres.empty() && wires.empty() && lines.empty();
}

namespace {

bool Same(const RenderQueue::Grid& a, const RenderQueue::Grid& b) {
    return a.size == b.size && a.orientation == b.orientation && a.colour == b.colour;
}
bool Same(const RenderQueue::Instance& a, const RenderQueue::Instance& b) {
    return a.model == b.model && a.matrix == b.matrix && a.colour == b.colour;
}
bool Same(const RenderQueue::Sphere& a, const RenderQueue::Sphere& b) {
    return a.matrix == b.matrix && a.colour == b.colour && a.style == b.style;
}
bool Same(const RenderQueue::Wire& a, const RenderQueue::Wire& b) {
    return a.shape == b.shape && a.matrix == b.matrix && a.colour == b.colour;
}
bool Same(const RenderQueue::Text& a, const RenderQueue::Text& b) { return a.text == b.text && a.colour == b.colour; }

template <typename T>
bool SameList(const std::vector<T>& a, const std::vector<T>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Same(a[i], b[i])) return false;
    return true;
}

}  // namespace

bool RenderQueue::SamePicture(const RenderQueue& other) const {
    return SameList(grids, other.grids) && SameList(instances, other.instances) && SameList(spheres, other.spheres) &&
           SameList(wires, other.wires) && SameList(lines, other.lines);
}

}  // namespace ReEng
