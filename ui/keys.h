// Key codes as the key-down handlers receive them.
//
// The codes are those of the keyboard's virtual keys: Enter is 13, Escape 27,
// Backspace 8, Tab 9, the arrows 37..40, F1..F12 112..123, letters their
// upper-case ASCII code whatever the shift state, digits and the space bar
// their ASCII code. Keys without a simple code of that kind pass the toolkit's
// own key value through.
#pragma once

namespace tw::ui {

inline constexpr int kKeyBack = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyShift = 16;
inline constexpr int kKeyControl = 17;
inline constexpr int kKeyMenu = 18; // Alt
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyF1 = 112;

// Maps a Qt::Key value to the key code above.
[[nodiscard]] int keyCodeFromQt(int qtKey);

} // namespace tw::ui
