// The results of a search across the installation from the contents
// window: the wad, entry and size of each entry found; a double click on
// one opens its wad at that entry.
#pragma once

#include <functional>

#include <QWidget>

class QLabel;
class QTreeView;

namespace mw {

class FoundEntryModel;

class FindWindow : public QWidget {
    Q_OBJECT

public:
    // Opens a row of the model in the contents window.
    using OpenRow = std::function<void(int row)>;
    FindWindow(FoundEntryModel& found, OpenRow open, QWidget* parent = nullptr);

    QTreeView* Results() const { return results_; }
    QLabel* Summary() const { return summary_; }
    // Shown in front, with what the search found in a line under the list.
    void ShowResults(const QString& pattern);

private:
    FoundEntryModel& found_;
    QTreeView* results_;
    QLabel* summary_;
};

}  // namespace mw
