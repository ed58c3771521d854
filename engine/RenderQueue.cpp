#include "engine/RenderQueue.h"

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

}  // namespace ReEng
