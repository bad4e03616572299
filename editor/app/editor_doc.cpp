#include "editor/app/editor_doc.h"

#include "controls/screens_list.h"
#include "editor/app/editor_view.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include "comkit/serial_attri.h"
#include "controls/screen_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <QFileInfo>

namespace {

bool FirstOfTheCatalogues(CProject& project, QWidget*)
{
    UINT id = 0;
    char device[256] = {}, plc[256] = {};
    CDeviceCollection::GetInstance()->StartGetDevice();
    CPLCCollection::GetInstance()->StartGetPLC();
    if (!CDeviceCollection::GetInstance()->GetNextDevice(id, device, nullptr) ||
        !CPLCCollection::GetInstance()->GetNextPLC(id, plc, nullptr))
        return false;
    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri serial;
    return project.SetDeviceAndPLC(device, plc, &serial) == 1;
}

} // namespace

CZQEditorDoc::CZQEditorDoc(DeviceSelector selector, QObject* parent)
    : QObject(parent), m_selector(selector ? std::move(selector) : DeviceSelector(FirstOfTheCatalogues))
{
}

CZQEditorDoc::~CZQEditorDoc() = default;

bool CZQEditorDoc::SelectDevice(CProject& project, QWidget* parent) const
{
    return m_selector(project, parent);
}

bool CZQEditorDoc::NewProject(QWidget* parent)
{
    auto project = std::make_unique<CProject>();
    if (!SelectDevice(*project, parent) || !project->GetScreensList())
        return false;
    m_project = std::move(project);
    m_path.clear();
    emit pathChanged(m_path);
    SetModified(true);
    return true;
}

bool CZQEditorDoc::OpenProject(const QString& path, std::string& error)
{
    std::unique_ptr<CProject> project(CProjectFile::Open(path.toStdString(), error));
    if (!project)
        return false;
    m_project = std::move(project);
    m_path = QFileInfo(path).absoluteFilePath();
    emit pathChanged(m_path);
    SetModified(false);
    return true;
}

bool CZQEditorDoc::SaveProject(const QString& path, std::string& error)
{
    if (!m_project) {
        error = "no project is open";
        return false;
    }
    if (!CProjectFile::Save(path.toStdString(), *m_project, error))
        return false;
    m_path = QFileInfo(path).absoluteFilePath();
    emit pathChanged(m_path);
    SetModified(false);
    return true;
}

QString CZQEditorDoc::GetTitle() const
{
    return m_path.isEmpty() ? QStringLiteral("ZQEdit1") : QFileInfo(m_path).fileName();
}

void CZQEditorDoc::SetModified(bool modified)
{
    if (modified)
        emit edited();
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CZQEditorDoc::MarkScreensChanged()
{
    if (!m_project)
        return;
    m_project->SetChangeMarker(1);
    SetModified(true);
}

void CZQEditorDoc::AddView(CZQEditorView* view)
{
    if (view && !m_views.contains(view))
        m_views.append(view);
}

void CZQEditorDoc::RemoveView(CZQEditorView* view)
{
    m_views.removeAll(view);
}

void CZQEditorDoc::MoveViewToTail(CZQEditorView* view)
{
    if (m_views.removeAll(view))
        m_views.append(view);
}

void CZQEditorDoc::MoveViewToHead(CZQEditorView* view)
{
    if (m_views.removeAll(view))
        m_views.prepend(view);
}

CZQEditorView* CZQEditorDoc::GetViewOfScreenIndex(int index) const
{
    if (!m_project || !m_project->GetScreensList() || index < 0)
        return nullptr;
    CScreenBase* screen = m_project->GetScreensList()->GetScreenAt(index);
    for (CZQEditorView* view : m_views)
        if (screen && view->GetScreen() == screen)
            return view;
    return nullptr;
}
