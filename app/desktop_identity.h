// How the program shows itself to the desktop: the desktop entry its windows
// belong to, and the icon they carry.
#pragma once

namespace tw::app {

// The ID of the desktop entry: the installed org.tintwise.Tintwise.desktop,
// the AppStream component and the icon's name.
inline constexpr const char *kDesktopId = "org.tintwise.Tintwise";

// Ties the application to its desktop entry and gives every window the
// program's icon. Called once the application object exists and before the
// first window is made.
void presentToDesktop();

} // namespace tw::app
