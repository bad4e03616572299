// The "地址表" dock's content: every PLC address of the project, one row each with its uses as
// child rows, sortable by any column and filtered (and searched) by address; double-clicking a
// row asks for its control.
#pragma once

#include "editor/address_xref.h"

#include <QWidget>

#include <vector>

class CProject;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class CAddressPane : public QWidget {
    Q_OBJECT
public:
    enum Column {
        COLUMN_CLASS,
        COLUMN_STATION,
        COLUMN_ADDRESS,
        COLUMN_KIND,
        COLUMN_LINE,
        COLUMN_HEX,
        COLUMN_ACCESS,
        COLUMN_USES,
        COLUMN_COUNT
    };

    explicit CAddressPane(QWidget* parent = nullptr);

    // Builds the table of the project (null empties it); the filter stays and applies.
    void Refresh(CProject* project);
    QTreeWidget* GetTable() const { return m_table; }
    QLineEdit* GetFilter() const { return m_filter; }
    // Shows only the addresses the text names (CAddressXref::Matches) or whose address, kind or
    // uses contain it; an empty text shows all. Returns the number shown.
    int SetFilter(const QString& text);
    // Selects and shows the first address shown; false when there is none (Enter in the filter).
    bool FindFirst();

signals:
    // A row was double-clicked (or Enter pressed on it): the use's screen (1-based) and control.
    void controlActivated(int screenNumber, unsigned controlID);

private:
    void Activate(QTreeWidgetItem* item);

    QLineEdit* m_filter = nullptr;
    QTreeWidget* m_table = nullptr;
    std::vector<CAddressXref::ENTRY> m_entries; // row i's entry is m_entries[ROLE_ENTRY of row i]
};
