// libFuzzer target: any bytes through the input_script parser; see FuzzChecks.h.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string complaint = fuzzcheck::CheckInputScript(std::string(reinterpret_cast<const char*>(data), size));
    if (!complaint.empty()) {
        std::fprintf(stderr, "input_script: %s\n", complaint.c_str());
        std::abort();
    }
    return 0;
}
