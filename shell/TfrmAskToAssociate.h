#pragma once
#include <QDialog>
#include <functional>
#include <memory>

#include "shell/Platform.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace Ui {
class TfrmAskToAssociate;
}

namespace quillmap {

// The prompt that offers to register Quillmap as the program for .qmp files. Created once at
// start-up, shown modally by the start-up check. Yes registers; every way of closing stores the
// never-ask mark for the current version when the box is checked.
class TfrmAskToAssociate : public QDialog {
    Q_OBJECT

public:
    enum Result { No = QDialog::Rejected, Yes = QDialog::Accepted };

    // appFolder ends with a separator; versionText gives the main window's VersionText when the
    // never-ask mark is stored.
    TfrmAskToAssociate(const Platform& platform, QString appFolder, QString executablePath,
                       std::function<QString()> versionText, QWidget* parent = nullptr);
    ~TfrmAskToAssociate() override;

    QLabel* Label1() const;
    QLabel* Label2() const;
    QPushButton* BitBtn1() const;
    QPushButton* BitBtn2() const;
    QCheckBox* chkNeverAsk() const;
    const QString& appFolder() const { return appFolder_; }

    // Every way of closing (Yes, No, Enter, Escape, the close box) ends here.
    void done(int result) override;

public slots:
    void BitBtn1Click();
    void ApplyLanguage();
    void RegisterFileType();
    void FormClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    std::unique_ptr<Ui::TfrmAskToAssociate> ui;
    Platform platform_;
    QString appFolder_;
    QString executablePath_;
    std::function<QString()> versionText_;
};

}  // namespace quillmap
