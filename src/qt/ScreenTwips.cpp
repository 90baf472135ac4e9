#include "qt/ScreenTwips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "layouts/Twips.h"

namespace quorvane {

int screenDpi(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int twips(int value, const QWidget* widget) { return twipsToPixels(value, screenDpi(widget)); }

}  // namespace quorvane
