#pragma once

class QWidget;

namespace quorvane {

// Twips to pixels with the screen's logical DPI (the one `widget` is on, else the primary one).
int screenDpi(const QWidget* widget = nullptr);
int twips(int value, const QWidget* widget = nullptr);

}  // namespace quorvane
