// The platform objects a run works with.
#pragma once

#include "platform/display.h"
#include "platform/files.h"

namespace fw {

struct Platform {
  FileSystem& files;
  Display& display;
};

}  // namespace fw
