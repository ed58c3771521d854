// libFuzzer target: any bytes through the model parser; see FuzzChecks.h.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string complaint = fuzzcheck::CheckModel(std::string(reinterpret_cast<const char*>(data), size));
    if (!complaint.empty()) {
        std::fprintf(stderr, "model: %s\n", complaint.c_str());
        std::abort();
    }
    return 0;
}
