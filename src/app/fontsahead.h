#pragma once

#include <future>

// Reading the desktop's font configuration is most of the cost of the first text drawn. It is
// begun on another thread while the application object connects to the display; the result
// is waited for before the first window. Where there is no such configuration it does nothing.
std::future<void> readFontsAhead();
