#pragma once
// The list of the broken links a link check found: the item's place in the tree, its link and
// the reason, one row each. Activating a row asks for its item to be shown; a row whose item
// has since been removed does nothing.
#include <QDialog>
#include <QPersistentModelIndex>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillmap {

class LinkCheckResults : public QDialog {
    Q_OBJECT
public:
    explicit LinkCheckResults(QWidget* parent);

    struct Row {
        QPersistentModelIndex item;
        QString place;  // captions from the top of the tree down, joined by " / "
        QString link;
        QString reason;
    };
    void show(const QString& summary, const QString& siteFolder, const std::vector<Row>& rows);

    // Whether web addresses are asked too.
    bool online() const;

    QLabel* lblSummary;
    QTreeWidget* listResults;
    QCheckBox* chkOnline;
    QPushButton* btnCheckAgain;
    QPushButton* btnSiteFolder;

signals:
    void itemChosen(const QModelIndex& item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listResultsActivated(QTreeWidgetItem* row);

    std::vector<QPersistentModelIndex> items_;
};

}  // namespace quillmap
