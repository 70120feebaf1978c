#pragma once
// The program's start, as main runs it.
#include "app/Form1.h"

namespace zemora {

// Takes the locale from the environment (its character set stands in for the system code
// page), creates the window, runs its load handler, which opens `start` (or the start
// address), and then shows it. The window belongs to the toolkit, as every top-level
// window does.
Form1* startProgram(Form1Seams seams, StartPage start = {});

} // namespace zemora
