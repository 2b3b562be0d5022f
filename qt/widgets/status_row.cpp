#include "qt/widgets/status_row.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "qt/widgets/status_bar.h"

namespace mw {

StatusRow MakeStatusRow(QWidget* window, const QString& cancelToolTip)
{
    constexpr int kStatusBarHeight = 16;
    StatusRow row{new QHBoxLayout, new StatusBar(window), new QPushButton(QStringLiteral("Cancel"), window)};
    row.bar->setFixedHeight(kStatusBarHeight);
    row.cancel->setFixedHeight(kStatusBarHeight);
    row.cancel->setFocusPolicy(Qt::NoFocus);
    row.cancel->setToolTip(cancelToolTip);
    row.cancel->hide();
    row.layout->addWidget(row.bar, 1);
    row.layout->addWidget(row.cancel);
    return row;
}

}  // namespace mw
