#include "qt/find_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include "qt/qstring_conversion.h"
#include "qt/widgets/found_entry_model.h"
#include "qt/window_look.h"

namespace mw {

FindWindow::FindWindow(FoundEntryModel& found, OpenRow open, QWidget* parent)
    : QWidget(parent, Qt::Window), found_(found), results_(new QTreeView(this)), summary_(new QLabel(this))
{
    ApplyWindowLook(*this);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(560, 320);
    results_->setModel(&found);
    results_->setRootIsDecorated(false);
    results_->setUniformRowHeights(true);
    results_->setAllColumnsShowFocus(true);
    results_->header()->setSectionResizeMode(FoundEntryModel::kEntryColumn, QHeaderView::Stretch);
    results_->header()->setStretchLastSection(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(results_, 1);
    layout->addWidget(summary_);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(results_, &QTreeView::doubleClicked, this, [open = std::move(open)](const QModelIndex& index) {
        if (index.isValid())
            open(index.row());
    });
}

void FindWindow::ShowResults(const QString& pattern)
{
    setWindowTitle(ToQt(FindTitle(FromQt(pattern))));
    summary_->setText(ToQt(FindSummaryText(static_cast<std::size_t>(found_.rowCount()), found_.Failures(),
                                            found_.FolderFailures())));
    results_->resizeColumnToContents(FoundEntryModel::kArchiveColumn);
    ShowInFront(*this);
}

}  // namespace mw
