#include "FormSupport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>


namespace {
QScreen* screenOf(const QWidget* widget) {
    if (widget && widget->screen()) return widget->screen();
    return QGuiApplication::primaryScreen();
}
}  // namespace

double twipsToPixels(double twips, const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return twips * dpi / 1440.0;
}

double pixelsToTwips(double pixels, const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return pixels * 1440.0 / dpi;
}

QSize screenSize(const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

QRect screenArea(const QWidget* widget) {
    const QScreen* screen = screenOf(widget);
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint keptInside(const QRect& frame, const QRect& area) {
    const int left = std::max(area.left(), std::min(frame.left(), area.left() + area.width() - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.top() + area.height() - frame.height()));
    return {left, top};
}

void centreOnScreen(QWidget& window) {
    const QSize screen = screenSize(&window);
    const QSize frame = window.frameGeometry().size();
    window.move((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

void showWithoutActivating(QWidget& window) {
    const bool before = window.testAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_ShowWithoutActivating, true);
    window.show();
    window.raise();
    window.setAttribute(Qt::WA_ShowWithoutActivating, before);
}

bool activationWentElsewhereInProgram(const QWidget& window) {
    const QWidget* active = QApplication::activeWindow();
    if (!active) return false;
    for (const QWidget* w = active; w; w = w->parentWidget())
        if (w == &window) return false;
    return true;
}

void onSelected(QRadioButton* option, std::function<void()> handler) {
    QObject::connect(option, &QRadioButton::toggled, option, [handler = std::move(handler)](bool checked) {
        if (checked) handler();
    });
}
