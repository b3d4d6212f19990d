#pragma once
// The program's look: the Japanese application font and the application icon.
// The composition root applies it at start; tools that render the windows
// apply it too, so what they show is what the user sees.
namespace kioku {

// Sets the application font to IPA Gothic (when installed) at a readable size
// and the application icon, lets every window show its keyboard focus, and
// lets Enter press the focused button as Space does.
void applyAppearance();

} // namespace kioku
