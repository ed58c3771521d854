#include "engine/core/ErrorLine.h"

#include <iostream>

namespace ReEng {

namespace {

std::string& Program() {
    static std::string name = "reeng";
    return name;
}

}  // namespace

void SetErrorProgram(const std::string& name) { Program() = name; }

const std::string& ErrorProgram() { return Program(); }

void ReportError(const std::string& what) { std::cerr << Program() << ": " << what << '\n'; }

}  // namespace ReEng
