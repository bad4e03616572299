// The address table: the core's cross-reference as a sortable tree.
#include "editor/app/address_pane.h"

#include "comkit/gbk.h"
#include "editor/address_xref.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role { ROLE_SCREEN = Qt::UserRole, ROLE_CONTROL, ROLE_SORT, ROLE_ENTRY };

// Sorts numeric columns by number, the others by text; use rows keep their order under each entry.
class CAddressItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(column, ROLE_SORT);
        const QVariant b = other.data(column, ROLE_SORT);
        if (a.isValid() && b.isValid())
            return a.toLongLong() < b.toLongLong();
        return text(column).localeAwareCompare(other.text(column)) < 0;
    }
};

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

CAddressPane::CAddressPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AddressPane"));
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("AddressFilter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setPlaceholderText(QCoreApplication::translate("Editor", "查找地址，如 D100、264 或 0x108"));
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("AddressTable"));
    m_table->setUniformRowHeights(true);
    m_table->setHeaderLabels(
        {QCoreApplication::translate("Editor", "类别"), QCoreApplication::translate("Editor", "站号"),
         QCoreApplication::translate("Editor", "地址"), QCoreApplication::translate("Editor", "类型"),
         QCoreApplication::translate("Editor", "线路地址"), QCoreApplication::translate("Editor", "十六进制"),
         QCoreApplication::translate("Editor", "读写"), QCoreApplication::translate("Editor", "使用者")});
    m_table->header()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // the core's order until a header is clicked
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_filter);
    layout->addWidget(m_table);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) { SetFilter(text); });
    connect(m_filter, &QLineEdit::returnPressed, this, [this] { FindFirst(); });
    connect(m_table, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Activate(item); });
}

void CAddressPane::Refresh(CProject* project)
{
    const std::vector<CAddressXref::ENTRY> entries =
        project ? CAddressXref::Build(*project) : std::vector<CAddressXref::ENTRY>();
    const bool sorting = m_table->isSortingEnabled();
    m_table->setSortingEnabled(false);
    m_table->clear();
    QList<QTreeWidgetItem*> items;
    for (size_t i = 0; i < entries.size(); ++i) {
        const CAddressXref::ENTRY& e = entries[i];
        auto* item = new CAddressItem(
            QStringList{Q(CAddressXref::ClassText(e.addressClass)), QString::number(e.station),
                        Q(COMMON_EX::GbkToUtf8Lossy(e.typed.c_str())), Q(CAddressXref::KindText(e.kindName)),
                        QString::number(e.lineAddress), Q(CAddressXref::HexAddress(e.lineAddress)),
                        Q(CAddressXref::AccessText(e.access)), Q(CAddressXref::UsesText(e))});
        item->setData(COLUMN_CLASS, ROLE_SORT, qlonglong(e.addressClass) << 40 | qlonglong(i));
        item->setData(COLUMN_STATION, ROLE_SORT, qlonglong(e.station));
        item->setData(COLUMN_LINE, ROLE_SORT, qlonglong(e.lineAddress));
        item->setData(COLUMN_HEX, ROLE_SORT, qlonglong(e.lineAddress));
        item->setData(COLUMN_ACCESS, ROLE_SORT, qlonglong(e.access));
        item->setData(0, ROLE_ENTRY, qulonglong(i));
        for (const CAddressXref::USE& use : e.uses) {
            auto* child = new CAddressItem(item);
            child->setText(COLUMN_ACCESS, Q(CAddressXref::AccessText(use.access)));
            child->setText(COLUMN_USES,
                           Q(CAddressXref::ScreenLabel(use.screenNumber, use.screenName)) + QStringLiteral("：") +
                               Q(CAddressXref::ControlLabel(use.controlType, use.controlID, use.controlName)));
            child->setData(0, ROLE_SCREEN, use.screenNumber);
            child->setData(0, ROLE_CONTROL, use.controlID);
        }
        item->setData(0, ROLE_SCREEN, e.uses.empty() ? 0 : e.uses.front().screenNumber);
        item->setData(0, ROLE_CONTROL, e.uses.empty() ? 0u : e.uses.front().controlID);
        items << item;
    }
    m_entries = entries;
    m_table->addTopLevelItems(items);
    m_table->setSortingEnabled(sorting);
    for (int column = 0; column < COLUMN_USES; ++column)
        m_table->resizeColumnToContents(column);
    SetFilter(m_filter->text());
}

int CAddressPane::SetFilter(const QString& text)
{
    const std::string query = text.trimmed().toStdString();
    int shown = 0;
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_table->topLevelItem(i);
        const size_t entry = size_t(item->data(0, ROLE_ENTRY).toULongLong());
        bool match = entry < m_entries.size() && CAddressXref::Matches(m_entries[entry], query);
        for (int column : {COLUMN_ADDRESS, COLUMN_KIND, COLUMN_USES})
            match = match || item->text(column).contains(text.trimmed(), Qt::CaseInsensitive);
        item->setHidden(!match);
        shown += match ? 1 : 0;
    }
    return shown;
}

bool CAddressPane::FindFirst()
{
    for (int i = 0; i < m_table->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_table->topLevelItem(i);
        if (item->isHidden())
            continue;
        m_table->setCurrentItem(item);
        m_table->scrollToItem(item);
        return true;
    }
    return false;
}

void CAddressPane::Activate(QTreeWidgetItem* item)
{
    if (item && item->data(0, ROLE_SCREEN).toInt() > 0)
        emit controlActivated(item->data(0, ROLE_SCREEN).toInt(), item->data(0, ROLE_CONTROL).toUInt());
}
