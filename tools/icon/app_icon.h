// The program's icon as its windows carry it: the pictures tintwise-icon
// draws at build time (the same the package installs), built into the program.
#pragma once

#include <QIcon>

namespace tw::icon {

// The icon at 48 x 48 and 256 x 256 pixels.
QIcon applicationIcon();

} // namespace tw::icon
