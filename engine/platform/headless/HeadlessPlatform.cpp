#include "engine/platform/headless/HeadlessPlatform.h"

namespace ReEng {

std::unique_ptr<Platform> CreateHeadlessPlatform() { return std::make_unique<HeadlessPlatform>(); }

}  // namespace ReEng
