// The editor's main window: menus, the four toolbars, the bars' places, the status bar and the
// work area with one window per screen; it runs the file and screen commands and routes the
// messages between the views and the bars.
//
// The bars of the attribute pane, the zoom, the screen selection and the background colour are
// plugged in with SetAttributeBar, SetZoomBar, SetScreensListBar and SetBackColorBar; until then
// each place shows an empty placeholder. Their messages arrive at the public slots below, and the
// frame's signals tell them what happened in the views.
#pragma once

#include <QMainWindow>
#include <QMap>

#include <functional>

class CAddressPane;
class CChildFrame;
class CProblemsPane;
class CProject;
class CRecentFiles;
class CScreenBase;
class CZQEditorDoc;
class CZQEditorView;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

class CSimulationCommands;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Toolbar identifiers (the bars' places: 204 attribute pane, 205 zoom, 206 screens list,
    // 207 background colour).
    enum { TOOLBAR_STANDARD = 5000, TOOLBAR_INSERT = 5002, TOOLBAR_ALIGN = 5003, TOOLBAR_SCREENS = 5004 };
    static constexpr int STATUS_PANES = 4;

    // Shows the modal screen attributes dialog for a project (installed by the dialogs); true
    // when the user confirmed it (Cancel changes nothing).
    using ScreenAttributesDialog = std::function<bool(CProject& project, QWidget* parent)>;

    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // ---- the document and its windows ----
    CZQEditorDoc* GetDocument() const { return m_document; }
    // The "模拟" menu's running simulation (ended when the project closes and with the frame).
    CSimulationCommands* GetSimulation() const { return m_pSimulation; }
    CZQEditorView* GetActiveView() const;
    // Every view of the document, in the order their windows were made.
    QList<CZQEditorView*> GetViews() const;
    CChildFrame* FrameOf(const CZQEditorView* view) const;
    QMdiArea* GetMdiArea() const { return m_mdiArea; }
    QAction* GetAction(unsigned command) const { return m_actions.value(command); }
    QMenu* GetEditMenu() const { return m_editMenu; }
    QToolBar* GetToolBar(int id) const { return m_toolBars.value(id); }
    QLabel* GetStatusPane(int index) const;

    // ---- file commands; each returns whether it went through ----
    // Save prompt, then a new project from the device selection (the old one stays when it is
    // cancelled).
    bool NewDocument();
    // Save prompt (for a dropped file the question of string 5002), signature check and load;
    // a file that is no project shows string 3002 and leaves the open project as it was.
    bool OpenDocument(const QString& path, bool dropped = false);
    // The open command: save prompt, file dialog (in the open project's folder, else the newest
    // recent file's), then the file in place of the project; a refused file keeps the project and
    // its modified mark.
    bool OnFileOpen();
    bool SaveDocument();
    bool SaveDocumentAs();
    // Save prompt, then the project and its windows go; false when the user cancels.
    bool CloseDocument();
    // Opens a recent file (0 = newest).
    bool OpenRecentFile(int index);

    // ---- screen commands ----
    void OnNewScreen();
    void OnCopyScreen();
    // Before a screen is deleted: when jump keys or function pages name it, lists them and asks
    // Yes/No; true for Yes or when nothing names it.
    bool ReferencesAllowDelete(CProject& project, int screenNumber);
    void OnDeleteScreen();
    void OnPreviousScreen();
    void OnNextScreen();
    void OnScreenAttributes();
    // Shows and activates the window of a screen of the open project (also a hidden one).
    void ShowScreen(CScreenBase* screen);
    static void SetScreenAttributesDialog(ScreenAttributesDialog dialog);

    // The zoom of the project's screens (rows 0-6); every view is laid out again.
    void SetZoomRow(int row);
    // Enables, disables and checks every command by the rules of the current state.
    void UpdateCommandStates();

    // ---- the bars' places (each takes ownership of the widget, replacing the placeholder) ----
    // The attribute pane, docked at the left (dockable on every side).
    void SetAttributeBar(QWidget* bar);
    // The zoom bar, in the top row beside the screens list bar. Once plugged, Ctrl+wheel steps
    // go to it (zoomStepRequested) instead of being applied by the frame.
    void SetZoomBar(QWidget* bar);
    // The screen selection bar, in the top row beside the insert toolbar.
    void SetScreensListBar(QWidget* bar);
    // The background colour bar, in the top row beside the screens toolbar.
    void SetBackColorBar(QWidget* bar);
    QDockWidget* GetAttributeDock() const { return m_attributeDock; }

    // ---- the project check and the address table (docked at the bottom) ----
    CProblemsPane* GetProblemsPane() const { return m_problemsPane; }
    CAddressPane* GetAddressPane() const { return m_addressPane; }
    QDockWidget* GetProblemsDock() const { return m_problemsDock; }
    QDockWidget* GetAddressDock() const { return m_addressDock; }
    // Checks the open project now and fills both docks (emptied without a project); returns the
    // errors found. Every edit schedules it: a burst of edits runs it once, a moment after the last.
    int RefreshChecks();
    // True while an edit's check is scheduled and has not run yet.
    bool IsCheckPending() const;
    // Shows the screen (1-based) and selects its control with that identifier; with a control
    // the project does not have (or none) only the screen. False when there is no such screen.
    bool SelectControl(int screenNumber, unsigned controlID, bool hasControl = true);
    // "导出报告": the file dialog (a PDF beside the project proposed; a name without .pdf, .html or
    // .htm becomes a PDF), then the report; a write error is shown. True when it was written.
    bool ExportReport();

public slots:
    // Messages of the bars.
    void OnAttributeScreenChosen();           // the screen itself was chosen in the attribute pane
    void OnAttributeControlChosen(int index); // a control (draw-order position) was chosen
    void OnZoomChosen(int row);               // a zoom row 0-6 was chosen
    void OnScreenChosen(int row);             // a screen (list position) was chosen
    void OnBackColorChanged();                // the background colour index changed
    void OnAttributeChanged();                // an attribute of the shown object changed
    void OnScreenNameChanged();               // the active screen's name changed

signals:
    // To the attribute, zoom and screens list bars: another screen (view) became active.
    void activeScreenChanged(CZQEditorView* view);
    // To the attribute pane: the selection or content of the active view changed.
    void selectionChanged(CZQEditorView* view);
    // To the zoom bar: a Ctrl+wheel step (120 per notch) on a view.
    void zoomStepRequested(int delta);
    // To every bar: the project was closed; pointers into it are no longer valid.
    void documentClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateBarPlaces();
    void CreateStatusBar();
    void CreateCheckDocks();
    QToolBar* MakeBarPlace(const QString& title, const QString& objectName);
    void ReplaceBarWidget(QToolBar* place, QWidget* bar);
    void RunCommand(unsigned command);
    // Asks to save a modified project; false when the user cancels (or the save fails).
    bool PromptSave();
    // Opens path in place of the open project (no prompt); a refused file shows why and leaves
    // the open project, modified flag included, as it was.
    bool LoadDocument(const QString& path);
    void InstallDocument(CZQEditorDoc* document);
    void DestroyDocument();
    CZQEditorView* CreateView(CScreenBase* screen);
    // A new screen, or a copy of `original`, with its window (refused at the screen limit).
    void AppendScreen(CScreenBase* original);
    void ActivateView(CZQEditorView* view);
    void OnViewActivated(CZQEditorView* view);
    void OnFrameHidden(CChildFrame* frame);
    void OnZoomWheel(int delta);
    void UpdateRecentFileActions();
    void UpdateTitle();
    void ShowError(const std::string& utf8);

    CZQEditorDoc* m_document = nullptr;
    CSimulationCommands* m_pSimulation = nullptr; // a child of the frame
    QMdiArea* m_mdiArea = nullptr;
    QMap<unsigned, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QMap<int, QToolBar*> m_toolBars;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_alignMenu = nullptr;
    QMenu* m_contextMenu = nullptr;
    QMenu* m_insertMenu = nullptr;
    QMenu* m_screenMenu = nullptr;
    QMenu* m_simulateMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QDockWidget* m_attributeDock = nullptr;
    QDockWidget* m_problemsDock = nullptr;
    QDockWidget* m_addressDock = nullptr;
    CProblemsPane* m_problemsPane = nullptr;
    CAddressPane* m_addressPane = nullptr;
    QTimer* m_checkTimer = nullptr;
    QToolBar* m_zoomPlace = nullptr;
    QToolBar* m_screensPlace = nullptr;
    QToolBar* m_backColorPlace = nullptr;
    bool m_zoomBarPlugged = false;
    bool m_closing = false; // the project's windows are being destroyed
    QLabel* m_statusPanes[STATUS_PANES] = {};
    CRecentFiles* m_recent = nullptr;
};
