#include "qt/window_look.h"

#include <algorithm>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include "startup/window_placement.h"

namespace mw {

namespace {
// A sizeable border is 4 pixels on each side; the caption bar 19 pixels.
constexpr int kBorder = 4;
constexpr int kCaption = 19;
}  // namespace

QFont WindowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

void ApplyWindowLook(QWidget& window)
{
    window.setFont(WindowFont());
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

QLabel* PlaceLabel(QLabel* label, int left, int top, int width, int height)
{
    label->setGeometry(left, top, std::max(width, label->sizeHint().width()), height);
    return label;
}

void CentreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void PlaceBeside(QWidget& window, const QWidget& anchor)
{
    QScreen* screen = anchor.screen() ? anchor.screen() : QGuiApplication::primaryScreen();
    if (!screen || window.isVisible())
        return;
    const auto rect = [](const QRect& r) { return ScreenRect{r.left(), r.top(), r.width(), r.height()}; };
    const QSize outer = window.frameGeometry().size().expandedTo(window.size());
    const ScreenRect place = mw::PlaceBeside(rect(anchor.frameGeometry()), outer.width(), outer.height(),
                                             rect(screen->availableGeometry()));
    window.move(place.left, place.top);
}

void ShowInFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void ShowInFrontLeavingTyping(QWidget& window)
{
    const QWidget* focus = QApplication::focusWidget();
    const bool typing = focus != nullptr && focus->window() != &window && qobject_cast<const QLineEdit*>(focus);
    if (!typing)
        return ShowInFront(window);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
    window.raise();
    window.setAttribute(Qt::WA_ShowWithoutActivating, false);
}

QSize ClientSizeOf(QSize outerSize)
{
    return {outerSize.width() - 2 * kBorder, outerSize.height() - 2 * kBorder - kCaption};
}

}  // namespace mw
