#pragma once
// A main window with its Colors and Styles window, over a program folder of its own, for the
// project commands; project files are written into that folder's Projects/.
#include <QCloseEvent>
#include <QFile>

#include "styles/TfrmColors.h"
#include "tests/gui/mainwin/MainWindowFixture.h"
#include "tests/unit/project/ProjectTestSupport.h"

namespace quillmap::test {

class LifecycleTest : public MainWindowTest {
protected:
    TForm1& form()
    {
        if (!form_) {
            form_ = &window();
            form_->createColorsWindow();
        }
        return *form_;
    }

    QString projectPath(const QString& name) const { return folder.path() + "/Projects/" + name; }

    QString writeProject(const QString& name, const std::string& bytes)
    {
        const QString path = projectPath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    static std::string readBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return "<missing>";
        return file.readAll().toStdString();
    }

    // Opens a file the way the Open button does, with the dialog answering path.
    void openThroughButton(const QString& path)
    {
        fake.prompts.fileNames.push_back(path);
        form().btnOPEN->click();
    }

    // Asks the window to close, as the close box does; true when it agreed.
    bool requestClose()
    {
        QCloseEvent event;
        QCoreApplication::sendEvent(&form(), &event);
        return event.isAccepted();
    }

    // A small unsaved tree: Root Folder > New Folder > New Document.
    void buildUnsavedTree()
    {
        form();
        buildSmallTree();
        ASSERT_FALSE(form().document().Saved);
    }

    // Everything the project file holds about the items, as the window has them.
    std::vector<std::string> items() { return describe(form().document().tree()); }

    QStringList kinds() const
    {
        QStringList result;
        for (const auto& shown : fake.prompts.shown) result << shown.kind;
        return result;
    }

private:
    TForm1* form_ = nullptr;
};

}  // namespace quillmap::test
