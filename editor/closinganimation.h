#pragma once

class QWidget;

namespace tavlo {

class Pause;

// The main window's farewell: it shrinks to its title bar, then narrows, in steps of
// 200 twips, letting window events run between the steps, and says "   ...later".
void collapseAndNarrow(QWidget& window, Pause& pause);

} // namespace tavlo
