#pragma once
namespace kioku {
// A short beep (QApplication::beep).
void beep();
} // namespace kioku
