#pragma once
// Small helpers every window uses: centring, twips, option-button groups.
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>


class QRadioButton;
class QWidget;

// Screen geometry is described in twips (1/1440 inch); these convert through the
// screen's logical DPI.
double twipsToPixels(double twips, const QWidget* widget = nullptr);
double pixelsToTwips(double pixels, const QWidget* widget = nullptr);

// top = (screen height - window height) / 2, left = (screen width - window width) / 2.
void centreOnScreen(QWidget& window);

// The screen's available size in pixels (for placing windows and keeping them on screen).
QSize screenSize(const QWidget* widget = nullptr);

// The available area (without panels) of the screen that shows `widget`, in virtual
// desktop coordinates; the primary screen's when it is not shown yet.
QRect screenArea(const QWidget* widget);

// Where a window's frame goes so that it lies wholly inside `area`: `frame` moved by the
// least that does it (to the area's top-left corner when the frame is larger).
QPoint keptInside(const QRect& frame, const QRect& area);

// Shows a window and brings it to the front without taking the keyboard focus (for
// windows that a command opens and then hands the focus back to the main window).
void showWithoutActivating(QWidget& window);

// True when another window of this program has taken the activation from `window`:
// not another application, and not a message box or dialog of `window`'s own.
bool activationWentElsewhereInProgram(const QWidget& window);

// Runs `handler` when the option becomes selected, by a click or from code; selecting
// the option that is already selected runs nothing.
void onSelected(QRadioButton* option, std::function<void()> handler);
