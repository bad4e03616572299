// The editor's document: the one open project, its file name and modified flag, and the design
// views that show its screens in the order they were last activated.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class CProject;
class CZQEditorView;
class QWidget;

class CZQEditorDoc : public QObject {
    Q_OBJECT
public:
    // Sets a project's panel model and PLC; false when the user cancels (the project is then
    // unchanged). The program gives the device selection dialog; an empty one stands for the first
    // panel model and the first PLC of the catalogues.
    using DeviceSelector = std::function<bool(CProject& project, QWidget* parent)>;

    // The document selects devices through `selector` (empty: the first of the catalogues).
    explicit CZQEditorDoc(DeviceSelector selector = {}, QObject* parent = nullptr);
    ~CZQEditorDoc() override;

    // A new project with one screen, device and PLC from the selector; marked modified. False
    // (document still empty) when the selector cancels or the catalogues offer nothing.
    bool NewProject(QWidget* parent);
    // Opens a project file: nothing of the document changes unless the whole file loads.
    // False with the reason (UTF-8, string 3002 for a file that is no project) in `error`.
    bool OpenProject(const QString& path, std::string& error);
    // Writes the project to `path` without ever leaving a half-written file; on success the
    // document takes the path and is unmodified. False with the reason in `error`.
    bool SaveProject(const QString& path, std::string& error);

    CProject* GetProject() const { return m_project.get(); }
    // The file, empty for a project never saved.
    QString GetPathName() const { return m_path; }
    // The file's name, or "ZQEdit1" style title of a new project.
    QString GetTitle() const;

    bool IsModified() const { return m_modified; }
    // modifiedChanged when the flag changes; edited() for every true.
    void SetModified(bool modified);
    // The screen set changed: the project's change marker becomes 1 and the document modified.
    void MarkScreensChanged();

    // Views: in the order they were last activated (the active one last).
    const QList<CZQEditorView*>& GetViews() const { return m_views; }
    void AddView(CZQEditorView* view);
    void RemoveView(CZQEditorView* view);
    void MoveViewToTail(CZQEditorView* view);
    void MoveViewToHead(CZQEditorView* view);
    // The view that shows the project's screen at that 0-based list position; null when none.
    CZQEditorView* GetViewOfScreenIndex(int index) const;

    // The device selection of NewProject and of the device change ("设置"): the selector given
    // to the constructor, for `project` (an open one too); false when it cancels.
    bool SelectDevice(CProject& project, QWidget* parent) const;

signals:
    void modifiedChanged(bool modified);
    // Every SetModified(true), also when the document was modified already: an edit happened.
    void edited();
    void pathChanged(const QString& path);

private:
    DeviceSelector m_selector;
    std::unique_ptr<CProject> m_project;
    QString m_path;
    bool m_modified = false;
    QList<CZQEditorView*> m_views;
};
