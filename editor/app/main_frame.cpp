#include "editor/app/main_frame.h"

#include "editor/address_xref.h"
#include "editor/app/about_dlg.h"
#include "editor/app/address_pane.h"
#include "editor/app/child_frame.h"
#include "editor/app/download_commands.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/look/user_prompts.h"
#include "editor/app/look/zoom_levels.h"
#include "editor/app/problems_pane.h"
#include "editor/app/recent_files.h"
#include "editor/app/simulation_commands.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_report.h"
#include "editor/screen_references.h"

#include "comkit/gbk.h"
#include "comkit/message_text.h"
#include "comkit/module_path.h"
#include "controls/control_base.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <cerrno>
#include <cmath>
#include <vector>

namespace {

QString Gbk(const char* text)
{
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(text));
}

QLabel* Placeholder(const QString& text)
{
    auto* label = new QLabel(text);
    label->setEnabled(false);
    label->setMargin(4);
    return label;
}

// Where the index-th screen window of a project opens: each one a title bar lower and to the right
// of the one before, so every title shows; after CASCADE_STEPS windows the steps start again at the
// top left.
QPoint CascadePlace(int index, const QWidget* window)
{
    constexpr int CASCADE_STEPS = 8;
    const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) + 4;
    return QPoint(step, step) * (index % CASCADE_STEPS);
}

} // namespace

CMainFrame::CMainFrame(Dialogs dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs)), m_recent(new CRecentFiles)
{
    setObjectName(QStringLiteral("MainFrame"));
    m_pSimulation = new CSimulationCommands(this);
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (m_closing)
            return;
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            frame->GetView()->OnActivateView();
        UpdateCommandStates();
    });
    CreateActions();
    CreateMenus();
    CreateToolBars();
    CreateBarPlaces();
    CreateStatusBar();
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandStates);
    resize(1200, 800);
    UpdateRecentFileActions();
    UpdateTitle();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    DestroyDocument();
    delete m_recent;
}

// ---------------- building the window ----------------

void CMainFrame::CreateActions()
{
    for (const EditorCommandInfo& info : CEditorCommands::All()) {
        QString text = info.menuText.isEmpty() ? info.toolTip : info.menuText;
        auto* action = new QAction(text, this);
        const QString icon = QStringLiteral(":/icons/%1.svg").arg(info.iconName);
        if (!info.iconName.isEmpty() && QFile::exists(icon))
            action->setIcon(QIcon(icon));
        QList<QKeySequence> keys;
        for (const QString& key : info.keys)
            keys << QKeySequence(key, QKeySequence::PortableText);
        action->setShortcuts(keys);
        action->setStatusTip(info.statusText);
        action->setToolTip(info.toolTip.isEmpty() ? text : info.toolTip);
        action->setData(info.id);
        const unsigned id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action); // keys work without a menu entry too
        m_actions.insert(info.id, action);
    }
    m_actions[ID_ORDER_MODE]->setCheckable(true);
    m_actions[ID_VIEW_STATUS_BAR]->setCheckable(true);
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(true);
    for (unsigned id = ID_FILE_MRU_FIRST; id < ID_FILE_MRU_FIRST + CRecentFiles::MAX_FILES; ++id) {
        auto* action = new QAction(this);
        const int index = int(id - ID_FILE_MRU_FIRST);
        connect(action, &QAction::triggered, this, [this, index] { OpenRecentFile(index); });
        m_recentActions << action;
    }
}

void CMainFrame::CreateMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<unsigned> ids) {
        for (unsigned id : ids) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions[id]);
        }
    };
    m_fileMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "文件(&F)"));
    add(m_fileMenu, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_COMPILE,
                     ID_CHECK_PROJECT, ID_DOWNLOAD_COMM_SETTINGS, ID_DOWNLOAD_PROGRAM, 0, ID_EXPORT_REPORT, 0});
    for (QAction* action : m_recentActions)
        m_fileMenu->addAction(action);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_actions[ID_APP_EXIT]);

    m_editMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "编辑(&E)"));
    add(m_editMenu, {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, 0,
                     ID_EDIT_SELECT_ALL});
    m_alignMenu = m_editMenu->addMenu(QCoreApplication::translate("Editor", "对齐(&G)"));
    for (unsigned id : CEditorCommands::ToolBarButtons(TOOLBAR_ALIGN)) {
        if (id == ID_ORDER_MODE)
            continue;
        if (id == 0)
            m_alignMenu->addSeparator();
        else
            m_alignMenu->addAction(m_actions[id]);
    }
    add(m_editMenu, {0, ID_ORDER_MODE});
    connect(m_editMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    // A design view's own menu: what acts on the clicked controls.
    m_contextMenu = new QMenu(this);
    add(m_contextMenu, {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE});
    connect(m_contextMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    m_insertMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "插入(&I)"));
    add(m_insertMenu, {ID_INSERT_TEXT, ID_INSERT_REGISTER, ID_INSERT_LAMP, ID_INSERT_FUNCTION_KEY, ID_INSERT_TREND,
                       ID_INSERT_BAR, ID_INSERT_PICTURE, ID_INSERT_DYNAMIC_TEXT});

    m_screenMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "画面(&S)"));
    add(m_screenMenu, {ID_SCREEN_NEW, ID_SCREEN_COPY, ID_SCREEN_DELETE, 0, ID_SCREEN_PREVIOUS, ID_SCREEN_NEXT, 0,
                       ID_SCREEN_ATTRIBUTES});

    m_simulateMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "模拟(&M)"));
    add(m_simulateMenu, {ID_SIMULATE_OFFLINE, ID_SIMULATE_ONLINE});

    m_viewMenu = menuBar()->addMenu(QCoreApplication::translate("Editor", "查看(&V)"));
    add(m_viewMenu, {ID_VIEW_STATUS_BAR});

    QMenu* help = menuBar()->addMenu(QCoreApplication::translate("Editor", "帮助(&H)"));
    add(help, {ID_HELP, ID_APP_ABOUT});
}

void CMainFrame::CreateToolBars()
{
    const QMap<int, QString> titles = {{TOOLBAR_STANDARD, QCoreApplication::translate("Editor", "标准")},
                                       {TOOLBAR_INSERT, QCoreApplication::translate("Editor", "控件")},
                                       {TOOLBAR_ALIGN, QCoreApplication::translate("Editor", "对齐")},
                                       {TOOLBAR_SCREENS, QCoreApplication::translate("Editor", "画面")}};
    for (int id : {TOOLBAR_STANDARD, TOOLBAR_INSERT, TOOLBAR_ALIGN, TOOLBAR_SCREENS}) {
        auto* bar = new QToolBar(titles[id], this);
        bar->setObjectName(QStringLiteral("ToolBar%1").arg(id));
        for (unsigned command : CEditorCommands::ToolBarButtons(id)) {
            if (command == 0)
                bar->addSeparator();
            else
                bar->addAction(m_actions[command]);
        }
        m_toolBars.insert(id, bar);
        m_viewMenu->addAction(bar->toggleViewAction());
    }
}

QToolBar* CMainFrame::MakeBarPlace(const QString& title, const QString& objectName)
{
    auto* place = new QToolBar(title, this);
    place->setObjectName(objectName);
    place->addWidget(Placeholder(title));
    m_viewMenu->addAction(place->toggleViewAction());
    return place;
}

void CMainFrame::CreateBarPlaces()
{
    m_screensPlace = MakeBarPlace(QCoreApplication::translate("Editor", "画面列表"), QStringLiteral("ScreensListBar"));
    m_zoomPlace = MakeBarPlace(QCoreApplication::translate("Editor", "缩放"), QStringLiteral("ZoomBar"));
    m_backColorPlace = MakeBarPlace(QCoreApplication::translate("Editor", "背景颜色"), QStringLiteral("BackColorBar"));
    // Two top rows, so that every bar shows whole on a 1280-pixel display: standard, insert,
    // screens list, zoom; then align, screens, background colour.
    addToolBar(Qt::TopToolBarArea, m_toolBars[TOOLBAR_STANDARD]);
    addToolBar(Qt::TopToolBarArea, m_toolBars[TOOLBAR_INSERT]);
    addToolBar(Qt::TopToolBarArea, m_screensPlace);
    addToolBar(Qt::TopToolBarArea, m_zoomPlace);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_toolBars[TOOLBAR_ALIGN]);
    addToolBar(Qt::TopToolBarArea, m_toolBars[TOOLBAR_SCREENS]);
    addToolBar(Qt::TopToolBarArea, m_backColorPlace);

    m_attributeDock = new QDockWidget(QCoreApplication::translate("Editor", "属性"), this);
    m_attributeDock->setObjectName(QStringLiteral("AttributeBar"));
    m_attributeDock->setWidget(Placeholder(QCoreApplication::translate("Editor", "属性")));
    addDockWidget(Qt::LeftDockWidgetArea, m_attributeDock);
    m_viewMenu->addAction(m_attributeDock->toggleViewAction());
    CreateCheckDocks();
}

void CMainFrame::CreateCheckDocks()
{
    m_problemsPane = new CProblemsPane;
    m_addressPane = new CAddressPane;
    m_problemsDock = new QDockWidget(QCoreApplication::translate("Editor", "问题"), this);
    m_problemsDock->setObjectName(QStringLiteral("ProblemsBar"));
    m_problemsDock->setWidget(m_problemsPane);
    m_addressDock = new QDockWidget(QCoreApplication::translate("Editor", "地址表"), this);
    m_addressDock->setObjectName(QStringLiteral("AddressBar"));
    m_addressDock->setWidget(m_addressPane);
    addDockWidget(Qt::BottomDockWidgetArea, m_problemsDock);
    addDockWidget(Qt::BottomDockWidgetArea, m_addressDock);
    tabifyDockWidget(m_problemsDock, m_addressDock);
    m_problemsDock->raise();
    m_viewMenu->addAction(m_problemsDock->toggleViewAction());
    m_viewMenu->addAction(m_addressDock->toggleViewAction());
    // Edits come in bursts (a drag, typing in the attribute pane): one check after the last.
    m_checkTimer = new QTimer(this);
    m_checkTimer->setSingleShot(true);
    m_checkTimer->setInterval(300);
    connect(m_checkTimer, &QTimer::timeout, this, &CMainFrame::RefreshChecks);
    connect(m_problemsPane, &CProblemsPane::findingActivated, this,
            [this](int screen, unsigned control, bool hasControl) { SelectControl(screen, control, hasControl); });
    connect(m_addressPane, &CAddressPane::controlActivated, this,
            [this](int screen, unsigned control) { SelectControl(screen, control); });
}

int CMainFrame::RefreshChecks()
{
    m_checkTimer->stop();
    CProject* project = m_document ? m_document->GetProject() : nullptr;
    m_addressPane->Refresh(project);
    return m_problemsPane->Refresh(project);
}

bool CMainFrame::IsCheckPending() const
{
    return m_checkTimer->isActive();
}

bool CMainFrame::ExportReport()
{
    CProject* project = m_document ? m_document->GetProject() : nullptr;
    if (!project)
        return false;
    const QString title = m_document->GetTitle();
    const QFileInfo source(m_document->GetPathName().isEmpty() ? title : m_document->GetPathName());
    const QString proposed = source.absoluteDir().filePath(source.completeBaseName() + QStringLiteral(".pdf"));
    QString path =
        CUserPrompts::FileName(this, CUserPrompts::SAVE_FILE, proposed,
                               QCoreApplication::translate("Editor", "PDF 文档 (*.pdf);;HTML 网页 (*.html *.htm)"));
    if (path.isEmpty())
        return false;
    if (CProjectReport::FormatOf(path.toStdString()) == CProjectReport::FORMAT_UNKNOWN)
        path += QStringLiteral(".pdf");
    std::string error;
    if (!CProjectReport::Write(*project, title.toStdString(), path.toStdString(), error)) {
        ShowError(error);
        return false;
    }
    return true;
}

bool CMainFrame::SelectControl(int screenNumber, unsigned controlID, bool hasControl)
{
    CProject* project = m_document ? m_document->GetProject() : nullptr;
    CScreenBase* screen = project ? project->GetScreenByNumber(screenNumber) : nullptr;
    if (!screen)
        return false;
    ShowScreen(screen);
    const std::vector<CControlBase*> controls = screen->GetLayoutControls();
    for (size_t i = 0; hasControl && i < controls.size(); ++i)
        if (controls[i]->GetControlID() == controlID)
            if (CZQEditorView* view = GetActiveView())
                view->SelectControlByLayoutIndex(int(i));
    return true;
}

void CMainFrame::CreateStatusBar()
{
    for (int i = 0; i < STATUS_PANES; ++i) {
        m_statusPanes[i] = new QLabel(this);
        m_statusPanes[i]->setObjectName(QStringLiteral("StatusPane%1").arg(i));
        if (i == 0)
            statusBar()->addWidget(m_statusPanes[i], 1);
        else
            statusBar()->addPermanentWidget(m_statusPanes[i]);
    }
    m_statusPanes[0]->setText(QCoreApplication::translate("Editor", "就绪"));
    connect(m_actions[ID_VIEW_STATUS_BAR], &QAction::toggled, statusBar(), &QWidget::setVisible);
}

QLabel* CMainFrame::GetStatusPane(int index) const
{
    return index >= 0 && index < STATUS_PANES ? m_statusPanes[index] : nullptr;
}

void CMainFrame::ReplaceBarWidget(QToolBar* place, QWidget* bar)
{
    if (!bar)
        return;
    for (QAction* action : place->actions()) {
        place->removeAction(action);
        delete action;
    }
    place->addWidget(bar);
}

void CMainFrame::SetAttributeBar(QWidget* bar)
{
    if (!bar)
        return;
    delete m_attributeDock->widget();
    m_attributeDock->setWidget(bar);
}

void CMainFrame::SetZoomBar(QWidget* bar)
{
    ReplaceBarWidget(m_zoomPlace, bar);
    m_zoomBarPlugged = bar != nullptr || m_zoomBarPlugged;
}

void CMainFrame::SetScreensListBar(QWidget* bar)
{
    ReplaceBarWidget(m_screensPlace, bar);
}

void CMainFrame::SetBackColorBar(QWidget* bar)
{
    ReplaceBarWidget(m_backColorPlace, bar);
}

// ---------------- commands ----------------

void CMainFrame::RunCommand(unsigned command)
{
    CZQEditorView* view = GetActiveView();
    if (const int type = CEditorCommands::InsertControlType(command)) {
        if (view)
            view->InsertControl(type);
        UpdateCommandStates();
        return;
    }
    if (CEditorCommands::AlignMinimumSelection(command)) {
        if (view)
            view->Align(command);
        UpdateCommandStates();
        return;
    }
    switch (command) {
    case ID_FILE_NEW: NewDocument(); break;
    case ID_FILE_OPEN: OnFileOpen(); break;
    case ID_FILE_CLOSE: CloseDocument(); break;
    case ID_FILE_SAVE:
    case ID_COMPILE: SaveDocument(); break;
    case ID_FILE_SAVE_AS: SaveDocumentAs(); break;
    case ID_CHECK_PROJECT:
        RefreshChecks();
        m_problemsDock->show();
        m_problemsDock->raise();
        break;
    case ID_DOWNLOAD_PROGRAM:
        if (CProject* project = m_document ? m_document->GetProject() : nullptr)
            if (!CDownloadCommands::DownloadProgram(*project, this) && RefreshChecks() > 0) {
                m_problemsDock->show();
                m_problemsDock->raise();
            }
        break;
    case ID_DOWNLOAD_COMM_SETTINGS: CDownloadCommands::DownloadCommSettings(this); break;
    case ID_EXPORT_REPORT: ExportReport(); break;
    case ID_SIMULATE_OFFLINE:
    case ID_SIMULATE_ONLINE:
        if (CProject* project = m_document ? m_document->GetProject() : nullptr) {
            const std::string name = m_document->GetTitle().toStdString();
            if (command == ID_SIMULATE_OFFLINE)
                m_pSimulation->Offline(*project, name);
            else
                m_pSimulation->Online(*project, name, m_document->GetPathName().toStdString());
        }
        break;
    case ID_APP_EXIT: close(); break;
    case ID_EDIT_CUT:
        if (view)
            view->Cut();
        break;
    case ID_EDIT_COPY:
        if (view)
            view->Copy();
        break;
    case ID_EDIT_PASTE:
        if (view)
            view->Paste();
        break;
    case ID_EDIT_DELETE:
        if (view)
            view->DeleteSelection();
        break;
    case ID_EDIT_UNDO:
        if (view)
            view->Undo();
        break;
    case ID_EDIT_REDO:
        if (view)
            view->Redo();
        break;
    case ID_EDIT_SELECT_ALL:
        if (view)
            view->SelectAll();
        break;
    case ID_ORDER_MODE:
        if (view)
            view->ToggleOrderMode();
        break;
    case ID_SCREEN_NEW: OnNewScreen(); break;
    case ID_SCREEN_COPY: OnCopyScreen(); break;
    case ID_SCREEN_DELETE: OnDeleteScreen(); break;
    case ID_SCREEN_PREVIOUS: OnPreviousScreen(); break;
    case ID_SCREEN_NEXT: OnNextScreen(); break;
    case ID_SCREEN_ATTRIBUTES: OnScreenAttributes(); break;
    case ID_HELP: {
        const QString manual = QString::fromStdString(COMMON_EX::GetProgramFilePath("Manual.pdf"));
        if (!QFileInfo::exists(manual) || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
            CUserPrompts::Message(this, QCoreApplication::translate(
                                            "Editor", "无法打开用户手册（没有找到手册或阅读 PDF 文件的程序）：\n%1")
                                            .arg(QDir::toNativeSeparators(manual)));
        break;
    }
    case ID_APP_ABOUT: {
        CAboutDlg about(CAboutDlg::ABOUT, this);
        about.exec();
        break;
    }
    case ID_NEXT_PANE: m_mdiArea->activateNextSubWindow(); break;
    case ID_PREV_PANE: m_mdiArea->activatePreviousSubWindow(); break;
    default: break;
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates()
{
    CZQEditorView* view = GetActiveView();
    CProject* project = m_document ? m_document->GetProject() : nullptr;
    const bool hasDoc = project != nullptr;
    auto enable = [this](unsigned id, bool on) {
        if (QAction* action = m_actions.value(id))
            action->setEnabled(on);
    };
    // Menu 5000 without a project, 5001 with one.
    // The download commands belong to the document's menu and are always enabled there.
    for (unsigned id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_COMPILE, ID_CHECK_PROJECT,
                        ID_DOWNLOAD_COMM_SETTINGS, ID_DOWNLOAD_PROGRAM, ID_EXPORT_REPORT})
        m_actions[id]->setVisible(hasDoc);
    for (QMenu* menu : {m_editMenu, m_insertMenu, m_screenMenu, m_simulateMenu})
        menu->menuAction()->setVisible(hasDoc);
    enable(ID_SIMULATE_OFFLINE, hasDoc);
    enable(ID_SIMULATE_ONLINE, hasDoc);
    for (unsigned id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_COMPILE, ID_CHECK_PROJECT,
                        ID_DOWNLOAD_COMM_SETTINGS, ID_DOWNLOAD_PROGRAM, ID_EXPORT_REPORT})
        enable(id, hasDoc);

    const bool selected = view && view->CanCutCopyDelete();
    enable(ID_EDIT_CUT, selected);
    enable(ID_EDIT_COPY, selected);
    enable(ID_EDIT_DELETE, selected);
    enable(ID_EDIT_PASTE, view && CZQEditorView::CanPaste());
    enable(ID_EDIT_UNDO, view && view->CanUndo());
    enable(ID_EDIT_REDO, view && view->CanRedo());
    enable(ID_EDIT_SELECT_ALL, view && view->GetScreen() && view->GetScreen()->GetControlCount() > 0);
    // "撤消移动": the menu names the step that would be played.
    auto labelled = [](const char* format, const std::string& label) {
        const QString shown = label.empty() ? QString() : QCoreApplication::translate("Editor", label.c_str());
        return QCoreApplication::translate("Editor", format).arg(shown).simplified();
    };
    m_actions[ID_EDIT_UNDO]->setText(
        labelled(QT_TRANSLATE_NOOP("Editor", "撤消%1(&U)"), view ? view->GetOperateCtrl()->GetUndoLabel() : ""));
    m_actions[ID_EDIT_REDO]->setText(
        labelled(QT_TRANSLATE_NOOP("Editor", "重做%1(&R)"), view ? view->GetOperateCtrl()->GetRedoLabel() : ""));
    enable(ID_ORDER_MODE, view && view->GetScreen());
    m_actions[ID_ORDER_MODE]->setChecked(view && view->IsOrderMode());
    for (unsigned id = ID_INSERT_TEXT; id <= ID_INSERT_DYNAMIC_TEXT; ++id)
        enable(id, view && view->CanInsert(CEditorCommands::InsertControlType(id)));
    for (const EditorCommandInfo& info : CEditorCommands::All())
        if (CEditorCommands::AlignMinimumSelection(info.id))
            enable(info.id, view && view->CanAlign(info.id));

    const int active = hasDoc ? project->GetActivateScreenIndex() : -1;
    const int count = hasDoc ? project->GetScreenCount() : 0;
    enable(ID_SCREEN_NEW, hasDoc);
    enable(ID_SCREEN_COPY, hasDoc && view);
    enable(ID_SCREEN_DELETE, hasDoc && view);
    enable(ID_SCREEN_PREVIOUS, hasDoc && active > 0);
    enable(ID_SCREEN_NEXT, hasDoc && active >= 0 && active < count - 1);
    enable(ID_SCREEN_ATTRIBUTES, hasDoc && bool(m_dialogs.screenAttributes));

    if (view && view->GetScreen()) {
        m_statusPanes[1]->setText(view->GetScreenTitle());
        m_statusPanes[2]->setText(
            QStringLiteral("%1%").arg(int(std::lround(view->GetScreen()->GetScreenZoomRate() * 100))));
        m_statusPanes[3]->setText(
            QCoreApplication::translate("Editor", "控件: %1").arg(view->GetScreen()->GetControlCount()));
    } else {
        for (int i = 1; i < STATUS_PANES; ++i)
            m_statusPanes[i]->clear();
    }
}

// ---------------- documents ----------------

CZQEditorView* CMainFrame::GetActiveView() const
{
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->activeSubWindow());
    if (frame && frame->isVisible())
        return frame->GetView();
    return nullptr;
}

QList<CZQEditorView*> CMainFrame::GetViews() const
{
    QList<CZQEditorView*> views;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            views << frame->GetView();
    return views;
}

CChildFrame* CMainFrame::FrameOf(const CZQEditorView* view) const
{
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            if (frame->GetView() == view)
                return frame;
    return nullptr;
}

bool CMainFrame::PromptSave()
{
    if (!m_document || !m_document->IsModified())
        return true;
    switch (CUserPrompts::AskSave(this, m_document->GetTitle())) {
    case QMessageBox::Yes: return SaveDocument();
    case QMessageBox::No: return true;
    default: return false;
    }
}

bool CMainFrame::NewDocument()
{
    if (!PromptSave())
        return false;
    auto* document = new CZQEditorDoc(m_dialogs.selectDevice, this);
    if (!document->NewProject(this)) {
        delete document;
        return false;
    }
    DestroyDocument();
    InstallDocument(document);
    return true;
}

bool CMainFrame::OnFileOpen()
{
    if (!PromptSave())
        return false;
    // The dialog starts in the open project's folder, else in the folder of the newest recent file.
    QString folder;
    if (m_document && !m_document->GetPathName().isEmpty())
        folder = QFileInfo(m_document->GetPathName()).absolutePath();
    else if (!m_recent->GetFiles().isEmpty())
        folder = QFileInfo(m_recent->GetFiles().first()).absolutePath();
    const QString path = CUserPrompts::FileName(this, CUserPrompts::OPEN_FILE, folder, CUserPrompts::ProjectFilter());
    if (path.isEmpty())
        return false;
    return LoadDocument(path); // the save prompt is answered; a refused file keeps the project as it is
}

bool CMainFrame::OpenDocument(const QString& path, bool dropped)
{
    if (m_document && m_document->IsModified()) {
        if (dropped) {
            if (CUserPrompts::Message(this,
                                      QCoreApplication::translate(
                                          "EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_CLOSE_WITHOUT_SAVE)),
                                      QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) != QMessageBox::Ok)
                return false;
        } else if (!PromptSave()) {
            return false;
        }
    }
    return LoadDocument(path);
}

bool CMainFrame::LoadDocument(const QString& path)
{
    auto* document = new CZQEditorDoc(m_dialogs.selectDevice, this);
    std::string error;
    if (!document->OpenProject(path, error)) {
        delete document;
        ShowError(error);
        return false;
    }
    DestroyDocument();
    InstallDocument(document);
    m_recent->Add(path);
    UpdateRecentFileActions();
    return true;
}

bool CMainFrame::OpenRecentFile(int index)
{
    if (index < 0 || index >= m_recent->GetFiles().size())
        return false;
    const QString path = m_recent->GetFiles()[index];
    if (!QFileInfo::exists(path)) {
        ShowError(COMMON_EX::TrArgs("Files", QT_TRANSLATE_NOOP("Files", "cannot open %1: %2"),
                                    {path.toStdString(), COMMON_EX::TrSystemReason(ENOENT)}));
        m_recent->Remove(path);
        UpdateRecentFileActions();
        return false;
    }
    return OpenDocument(path);
}

bool CMainFrame::SaveDocument()
{
    if (!m_document)
        return false;
    if (m_document->GetPathName().isEmpty())
        return SaveDocumentAs();
    std::string error;
    if (!m_document->SaveProject(m_document->GetPathName(), error)) {
        ShowError(error);
        return false;
    }
    m_recent->Add(m_document->GetPathName());
    UpdateRecentFileActions();
    UpdateTitle();
    return true;
}

bool CMainFrame::SaveDocumentAs()
{
    if (!m_document)
        return false;
    const QString proposed =
        m_document->GetPathName().isEmpty()
            ? QString::fromStdString(CProjectFile::ProposeSaveName(m_document->GetTitle().toStdString()))
            : m_document->GetPathName();
    const QString chosen =
        CUserPrompts::FileName(this, CUserPrompts::SAVE_FILE, proposed, CUserPrompts::ProjectFilter());
    if (chosen.isEmpty())
        return false;
    const QString path = QString::fromStdString(CProjectFile::NormalizeSavePath(chosen.toStdString()));
    std::string error;
    if (!m_document->SaveProject(path, error)) {
        ShowError(error);
        return false;
    }
    m_recent->Add(path);
    UpdateRecentFileActions();
    UpdateTitle();
    return true;
}

bool CMainFrame::CloseDocument()
{
    if (!m_document)
        return true;
    if (!PromptSave())
        return false;
    m_pSimulation->Stop(); // it simulates the project that closes
    DestroyDocument();
    return true;
}

void CMainFrame::InstallDocument(CZQEditorDoc* document)
{
    m_document = document;
    connect(document, &CZQEditorDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(document, &CZQEditorDoc::pathChanged, this, &CMainFrame::UpdateTitle);
    connect(document, &CZQEditorDoc::edited, m_checkTimer, qOverload<>(&QTimer::start));
    CProject* project = document->GetProject();
    CZQEditorView* first = nullptr;
    for (int i = 0; i < project->GetScreenCount(); ++i) {
        CZQEditorView* view = CreateView(project->GetNextScreenWithoutWindow());
        if (!first)
            first = view;
    }
    if (first)
        ActivateView(first);
    UpdateTitle();
    UpdateCommandStates();
    RefreshChecks();
}

void CMainFrame::DestroyDocument()
{
    if (!m_document)
        return;
    // The bars let go first; while the windows go one by one the others become active, which
    // must not hand the bars a screen that is about to be deleted.
    emit documentClosed();
    m_closing = true;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        m_mdiArea->removeSubWindow(window);
        delete window;
    }
    m_closing = false;
    delete m_document;
    m_document = nullptr;
    RefreshChecks();
    UpdateTitle();
    UpdateCommandStates();
}

CZQEditorView* CMainFrame::CreateView(CScreenBase* screen)
{
    auto* view = new CZQEditorView(m_document);
    view->SetScreen(screen);
    view->SetContextMenu(m_contextMenu);
    connect(view, &CZQEditorView::activeScreenChanged, this, &CMainFrame::OnViewActivated);
    connect(view, &CZQEditorView::selectionChanged, this, [this](CZQEditorView* v) {
        UpdateCommandStates();
        emit selectionChanged(v);
    });
    connect(view, &CZQEditorView::zoomWheelRequested, this, &CMainFrame::OnZoomWheel);
    connect(view, &CZQEditorView::statusTextChanged, m_statusPanes[0], &QLabel::setText);
    auto* frame = new CChildFrame(view);
    m_mdiArea->addSubWindow(frame);
    frame->resize(CChildFrame::DEFAULT_WIDTH, CChildFrame::DEFAULT_HEIGHT);
    frame->move(CascadePlace(m_mdiArea->subWindowList().size() - 1, frame));
    connect(frame, &CChildFrame::hiddenInsteadOfClosed, this, &CMainFrame::OnFrameHidden);
    connect(frame, &CChildFrame::projectCloseRequested, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { CloseDocument(); }, Qt::QueuedConnection);
    });
    frame->show();
    return view;
}

void CMainFrame::ActivateView(CZQEditorView* view)
{
    CChildFrame* frame = FrameOf(view);
    if (!frame)
        return;
    frame->show();
    if (m_mdiArea->activeSubWindow() == frame)
        view->OnActivateView();
    else
        m_mdiArea->setActiveSubWindow(frame);
    view->setFocus();
}

void CMainFrame::OnViewActivated(CZQEditorView* view)
{
    UpdateCommandStates();
    emit activeScreenChanged(view);
}

void CMainFrame::OnFrameHidden(CChildFrame*)
{
    if (!m_document)
        return;
    for (auto it = m_document->GetViews().crbegin(); it != m_document->GetViews().crend(); ++it) {
        CChildFrame* frame = FrameOf(*it);
        if (frame && frame->isVisible()) {
            ActivateView(*it);
            return;
        }
    }
    UpdateCommandStates();
}

void CMainFrame::ShowScreen(CScreenBase* screen)
{
    for (CZQEditorView* view : GetViews())
        if (view->GetScreen() == screen) {
            ActivateView(view);
            return;
        }
}

// ---------------- screen commands ----------------

void CMainFrame::OnNewScreen()
{
    AppendScreen(nullptr);
}

void CMainFrame::OnCopyScreen()
{
    if (CZQEditorView* view = GetActiveView())
        AppendScreen(view->GetScreen());
}

void CMainFrame::AppendScreen(CScreenBase* original)
{
    if (!m_document || !m_document->GetProject())
        return;
    CProject* project = m_document->GetProject();
    if (project->GetScreenCount() >= CProject::MAX_SCREENS) {
        CUserPrompts::Message(this, QCoreApplication::translate("EditorStrings",
                                                                CEditorStrings::Get(CEditorStrings::IDS_SCREEN_LIMIT)));
        return;
    }
    if (original)
        project->CopyScreen(original);
    else
        project->AddNewScreen();
    m_document->MarkScreensChanged();
    ActivateView(CreateView(project->GetNextScreenWithoutWindow()));
}

bool CMainFrame::ReferencesAllowDelete(CProject& project, int screenNumber)
{
    const std::vector<CScreenReferences::REFERENCE> references = CScreenReferences::Find(project, screenNumber);
    if (references.empty())
        return true;
    QStringList lines;
    for (const CScreenReferences::REFERENCE& reference : references)
        lines << QStringLiteral("  ") + QString::fromStdString(CScreenReferences::Label(reference));
    const QString text =
        QCoreApplication::translate("Editor",
                                    "以下按键和功能页指向%1：\n%2\n\n删除后它们仍按画面号指向其后的画面或不存在的"
                                    "画面。仍要删除这个画面吗？")
            .arg(QString::fromStdString(
                     CAddressXref::ScreenLabel(screenNumber,
                                               CAddressXref::StoredName(project.GetScreenByNumber(screenNumber)))),
                 lines.join(QLatin1Char('\n')));
    return CUserPrompts::Message(this, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CMainFrame::OnDeleteScreen()
{
    CZQEditorView* view = GetActiveView();
    if (!m_document || !m_document->GetProject() || !view)
        return;
    CProject* project = m_document->GetProject();
    if (project->GetScreenCount() < 2) {
        CUserPrompts::Message(this,
                              QCoreApplication::translate("EditorStrings",
                                                          CEditorStrings::Get(CEditorStrings::IDS_DELETE_LAST_SCREEN)));
        return;
    }
    project->SetActivateScreen(view->GetScreen());
    if (!ReferencesAllowDelete(*project, project->GetActivateScreenIndex() + 1))
        return;
    const QString text =
        QCoreApplication::translate("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_DELETE_SCREEN_ASK))
            .replace(QStringLiteral("%s"), Gbk(view->GetScreen()->GetScreenName()));
    if (CUserPrompts::Message(this, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) !=
        QMessageBox::Ok)
        return;
    // The bars let go of the screen first, then its window goes (another one may become active
    // meanwhile), then the screen.
    CScreenBase* screen = view->GetScreen();
    emit activeScreenChanged(nullptr);
    CChildFrame* frame = FrameOf(view);
    m_document->RemoveView(view);
    m_mdiArea->removeSubWindow(frame);
    delete frame;
    project->SetActivateScreen(screen);
    project->RemoveCurrentActivateScreen();
    m_document->MarkScreensChanged();
    // The view at the head of the activation order takes over, shown again when it was hidden.
    if (!m_document->GetViews().isEmpty())
        ActivateView(m_document->GetViews().first());
    emit activeScreenChanged(GetActiveView());
    UpdateCommandStates();
}

void CMainFrame::OnPreviousScreen()
{
    if (!m_document || !m_document->GetProject())
        return;
    const int index = m_document->GetProject()->GetActivateScreenIndex() - 1;
    if (CZQEditorView* view = index >= 0 ? m_document->GetViewOfScreenIndex(index) : nullptr)
        ActivateView(view);
}

void CMainFrame::OnNextScreen()
{
    if (!m_document || !m_document->GetProject())
        return;
    const int index = m_document->GetProject()->GetActivateScreenIndex() + 1;
    if (CZQEditorView* view = index >= 1 ? m_document->GetViewOfScreenIndex(index) : nullptr)
        ActivateView(view);
}

void CMainFrame::OnScreenAttributes()
{
    if (!m_document || !m_document->GetProject() || !m_dialogs.screenAttributes)
        return;
    CProject* project = m_document->GetProject();
    auto settings = [project] {
        std::vector<int> values{project->GetBacklightDelay()};
        for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page)
            values.push_back(project->GetFunctionPage(page));
        return values;
    };
    const std::vector<int> before = settings();
    if (m_dialogs.screenAttributes(*project, this) && settings() != before)
        m_document->SetModified(true);
}

// ---------------- zoom and the bars' messages ----------------

void CMainFrame::SetZoomRow(int row)
{
    if (!m_document || !m_document->GetProject())
        return;
    const double rate = CZoomLevels::RateOfRow(row);
    if (m_document->GetProject()->GetScreenZoomRate() == rate)
        return;
    m_document->GetProject()->SetScreenZoomRate(rate);
    for (CZQEditorView* view : GetViews())
        view->UpdateGeometryFromZoom();
    UpdateCommandStates();
}

void CMainFrame::OnZoomWheel(int delta)
{
    if (m_zoomBarPlugged) {
        emit zoomStepRequested(delta);
        return;
    }
    if (m_document && m_document->GetProject())
        SetZoomRow(CZoomLevels::StepRow(CZoomLevels::RowOfRate(m_document->GetProject()->GetScreenZoomRate()), delta));
}

void CMainFrame::OnAttributeScreenChosen()
{
    if (CZQEditorView* view = GetActiveView())
        view->SelectScreenItself();
}

void CMainFrame::OnAttributeControlChosen(int index)
{
    if (CZQEditorView* view = GetActiveView())
        view->SelectControlByLayoutIndex(index);
}

void CMainFrame::OnZoomChosen(int row)
{
    SetZoomRow(row);
}

void CMainFrame::OnScreenChosen(int row)
{
    if (m_document && m_document->GetProject() && m_document->GetProject()->GetScreensList())
        if (CScreenBase* screen = m_document->GetProject()->GetScreensList()->GetScreenAt(row))
            ShowScreen(screen);
}

void CMainFrame::OnBackColorChanged()
{
    for (CZQEditorView* view : GetViews())
        view->RefreshScreen();
}

void CMainFrame::OnAttributeChanged()
{
    if (m_document)
        m_document->SetModified(true);
    if (CZQEditorView* view = GetActiveView())
        view->RefreshScreen();
    UpdateCommandStates();
}

void CMainFrame::OnScreenNameChanged()
{
    if (CZQEditorView* view = GetActiveView())
        view->setWindowTitle(view->GetScreenTitle());
    OnAttributeChanged();
}

// ---------------- window events ----------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (CloseDocument())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            OpenDocument(url.toLocalFile(), true);
            return;
        }
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The edit keys (Ctrl+C / V / X / Z / Y / A, Ctrl+Ins, Shift+Ins, Shift+Del, Alt+Backspace and
    // Delete) belong to the focused window when it is no design view, so edit boxes in the bars
    // keep their own clipboard, undo and delete keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const int code = key->key();
        const bool ctrlKey = modifiers == Qt::ControlModifier &&
                             (code == Qt::Key_C || code == Qt::Key_V || code == Qt::Key_X || code == Qt::Key_Z ||
                              code == Qt::Key_Y || code == Qt::Key_A || code == Qt::Key_Insert);
        const bool shiftKey = modifiers == Qt::ShiftModifier && (code == Qt::Key_Insert || code == Qt::Key_Delete);
        const bool altKey = modifiers == Qt::AltModifier && code == Qt::Key_Backspace;
        const bool deleteKey = code == Qt::Key_Delete && modifiers == Qt::NoModifier;
        QWidget* focus = QApplication::focusWidget();
        if ((ctrlKey || shiftKey || altKey || deleteKey) && focus && focus == watched && isAncestorOf(focus) &&
            !qobject_cast<CZQEditorView*>(focus)) {
            key->accept(); // delivered as a key press to the focused window, not as a command
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateRecentFileActions()
{
    const QStringList& files = m_recent->GetFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size())
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
    }
}

void CMainFrame::UpdateTitle()
{
    if (!m_document) {
        setWindowTitle(QStringLiteral("ZQEditor"));
        return;
    }
    setWindowTitle(QStringLiteral("%1%2 - ZQEditor")
                       .arg(m_document->GetTitle(), m_document->IsModified() ? QStringLiteral("*") : QString()));
}

void CMainFrame::ShowError(const std::string& utf8)
{
    CUserPrompts::Message(this, QString::fromStdString(utf8));
}
