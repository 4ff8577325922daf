#pragma once
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "shell/ApplicationTitle.h"
#include "app/TForm1.h"
#include "import/ImportCommands.h"
#include "project/ProjectFiles.h"
#include "tree/ItemCommands.h"
#include "tree/PropertiesPanel.h"
#include "tests/gui/support/Doubles.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace quillmap::test {

// Lets queued work (such as the tree editor's commit on Enter) run.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A main window over a program folder of its own (with out/ and Projects/) and platform doubles.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("out");
        QDir(folder.path()).mkpath("Projects");
        setApplicationTitle("Quillmap");
        PropertiesPanel::LastLinkFolder.clear();
    }

    TForm1& window()
    {
        if (!form) {
            form = std::make_unique<TForm1>(fake.platform(), appFolder(), arguments);
            form->createColorsWindow();
        }
        return *form;
    }

    QString appFolder() const { return folder.path() + "/"; }

    void addOutFile(const QString& name)
    {
        QFile file(folder.path() + "/out/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    Node* item(int absoluteIndex) { return window().document().tree().itemAt(absoluteIndex); }
    std::string caption(int absoluteIndex) { return item(absoluteIndex)->caption; }

    // Root folder, a folder below it and a document in that folder; the document stays selected.
    void buildSmallTree()
    {
        TForm1& w = window();
        w.btnAddFolder->click();  // 0 Root Folder
        w.btnAddFolder->click();  // 1 New Folder
        w.btnAddDoc->click();     // 2 New Document
    }

    QTemporaryDir folder;
    FakePlatform fake;
    QStringList arguments;
    std::unique_ptr<TForm1> form;
};

}  // namespace quillmap::test
