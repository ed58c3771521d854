#pragma once
// What the engine is told about this game: its name, version, files and
// the colours its models are drawn in.
#include "engine/AppInfo.h"

ReEng::AppInfo GameInfo();
