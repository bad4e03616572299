// The window of one screen inside the main frame's work area: a 900 x 420 sub-window holding
// the screen's design view, titled with the screen's name.
#pragma once

#include <QMdiSubWindow>

class CZQEditorView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int DEFAULT_WIDTH = 900;
    static constexpr int DEFAULT_HEIGHT = 420;

    // Takes ownership of the view.
    explicit CChildFrame(CZQEditorView* view, QWidget* parent = nullptr);
    CZQEditorView* GetView() const { return m_view; }

signals:
    // Closing the window of one of several screens: the window was hidden instead.
    void hiddenInsteadOfClosed(CChildFrame* frame);
    // Closing the window of the last screen: the project is to be closed (with the save prompt).
    void projectCloseRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CZQEditorView* m_view;
};
