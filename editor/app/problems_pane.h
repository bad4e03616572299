// The "问题" dock's content: the project check's findings, one row each, with a count of errors,
// warnings and notes; double-clicking a row asks for its control (or its screen).
#pragma once

#include <QWidget>

class CProject;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class CProblemsPane : public QWidget {
    Q_OBJECT
public:
    enum Column { COLUMN_SEVERITY, COLUMN_SCREEN, COLUMN_CONTROL, COLUMN_TEXT, COLUMN_COUNT };

    explicit CProblemsPane(QWidget* parent = nullptr);

    // Runs the check on the project and shows its findings; null empties the list. Returns the
    // number of errors found.
    int Refresh(CProject* project);
    QTreeWidget* GetList() const { return m_list; }
    // "2 个错误，1 个警告，0 个提示"
    QString GetSummary() const;

signals:
    // A row was double-clicked (or Enter pressed on it): its 1-based screen (0: the project
    // itself) and, when `hasControl`, its control's identifier.
    void findingActivated(int screenNumber, unsigned controlID, bool hasControl);

private:
    void Activate(QTreeWidgetItem* item);

    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
};
