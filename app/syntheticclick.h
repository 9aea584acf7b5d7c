#pragma once
// A left click at the centre of a window, given in place of a user by the test
// drive and the benchmark probe (both click the splash window to reach the chooser).

class QWidget;

namespace SyntheticClick {

enum class Delivery {
    Now, // sent: the window has handled the press and the release when the call returns
    Queued, // posted: the window handles them on a later turn of the event loop
};

// A press and then a release of the left button at the centre of `window`.
void clickCentre(QWidget* window, Delivery delivery);

} // namespace SyntheticClick
