#pragma once
// What the engine is told about this game: its name, version, files and
// the colours its models are drawn in.
#include "engine/app/AppInfo.h"

ReEng::AppInfo GameInfo();
