#pragma once

class QWidget;

// The look every window shares: background and static texts RGB(213,247,255) with black
// text, the dialog font. Edit and list controls keep their own colours.
void applyPanelStyle(QWidget *window);
