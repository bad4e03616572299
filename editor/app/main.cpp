// The editor program: one main window, a project named on the command line or the splash.
#include "editor/app/editor_app.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CZQEditorApp editor;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const bool splash = !arguments.removeAll(QStringLiteral("--no-splash"));
    if (!editor.InitInstance(arguments, splash))
        return 1;
    return application.exec();
}
