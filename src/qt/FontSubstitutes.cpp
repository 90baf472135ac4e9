#include "qt/FontSubstitutes.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace quorvane {

namespace {

// Where fonts-wine puts its Tahoma (regular and bold).
constexpr const char* kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

struct Substitute {
    const char* face;
    const char* substitutes[2];
};

// The first substitute that is installed wins. MS Sans Serif's own bitmap font, which fonts-wine
// ships, is refused by the system's font configuration, so it takes the metric-compatible sans.
constexpr Substitute kSubstitutes[] = {
    {"Comic Sans MS", {"Comic Neue", "DejaVu Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Tahoma", {"Liberation Sans", "DejaVu Sans"}},
};

}  // namespace

void installFontSubstitutes() {
    bool tahoma = false;
    for (const char* file : kTahomaFiles) {
        const QString path = QString::fromLatin1(file);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) tahoma = true;
    }
    const QStringList families = QFontDatabase::families();
    for (const Substitute& s : kSubstitutes) {
        const QString face = QString::fromLatin1(s.face);
        if (face == QLatin1String("Tahoma") && tahoma) continue;
        QStringList available;
        for (const char* candidate : s.substitutes)
            if (families.contains(QString::fromLatin1(candidate))) available.append(QString::fromLatin1(candidate));
        if (!available.isEmpty()) QFont::insertSubstitutions(face, available);
    }
}

}  // namespace quorvane
