// The simulation's table of registers and coils.
#include "emulator/app/simulation_table.h"

#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "editor/address_xref.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "emulator/simulated_plc.h"

#include <QHeaderView>
#include <QTimer>

namespace {

constexpr int REFRESH_MS = 20;

QTableWidgetItem* Fixed(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

CSimulationTable::CSimulationTable(CSimulatedPlc& plc, std::vector<SIM_ROW> rows, std::function<void()> edited,
                                   QWidget* parent)
    : QTableWidget(int(rows.size()), COLUMN_COUNT, parent), m_plc(plc), m_rows(std::move(rows)),
      m_edited(std::move(edited)), m_pTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("simulationTable"));
    setHorizontalHeaderLabels({ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "地址")),
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "站号")),
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "类型")),
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "值")),
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "用于"))});
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const SIM_ROW& r = m_rows[std::size_t(row)];
        setItem(row, COLUMN_ADDRESS, Fixed(QString::fromStdString(r.typed)));
        setItem(row, COLUMN_STATION, Fixed(QString::number(r.station)));
        setItem(row, COLUMN_CLASS,
                Fixed(r.coil ? ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "线圈"))
                             : ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "寄存器"))));
        auto* value = new QTableWidgetItem;
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, COLUMN_VALUE, value);
        setItem(row, COLUMN_USES, Fixed(QString::fromStdString(r.uses)));
    }
    ShowValues();
    resizeColumnsToContents();
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { OnChanged(item); });
    connect(m_pTimer, &QTimer::timeout, this, [this] { Refresh(); });
    m_pTimer->start(REFRESH_MS);
}

std::vector<SIM_ROW> CSimulationTable::RowsOf(const std::vector<BYTE>& content)
{
    std::vector<SIM_ROW> rows;
    if (!CProject::CheckSignature(content.data(), DWORD(content.size())))
        return rows;
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(content, error);
    if (!project)
        return rows;
    for (const CAddressXref::ENTRY& entry : CAddressXref::Build(*project)) {
        SIM_ROW row;
        row.coil = entry.addressClass == CAddressXref::ADDRESS_COIL;
        row.station = entry.station;
        row.address = int(entry.lineAddress & 0xFFFF);
        row.typed = COMMON_EX::GbkToUtf8Lossy(entry.typed.c_str());
        row.uses = CAddressXref::UsesText(entry);
        rows.push_back(row);
    }
    return rows;
}

void CSimulationTable::Refresh()
{
    if (m_plc.GetRevision() != m_nShownRevision)
        ShowValues();
}

void CSimulationTable::ShowValues()
{
    m_nShownRevision = m_plc.GetRevision();
    m_bShowing = true;
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const SIM_ROW& r = m_rows[std::size_t(row)];
        QTableWidgetItem* value = item(row, COLUMN_VALUE);
        if (isPersistentEditorOpen(value) || (state() == EditingState && currentItem() == value))
            continue;
        const QString text = r.coil ? QString::number(m_plc.GetCoil(r.station, r.address) ? 1 : 0)
                                    : QString::number(m_plc.GetRegister(r.station, r.address));
        if (value->text() != text)
            value->setText(text);
    }
    m_bShowing = false;
}

void CSimulationTable::OnChanged(QTableWidgetItem* item)
{
    if (m_bShowing || item->column() != COLUMN_VALUE)
        return;
    const SIM_ROW& r = m_rows[std::size_t(item->row())];
    bool number = false;
    const int value = item->text().trimmed().toInt(&number);
    const bool accepted = number && (r.coil ? (value == 0 || value == 1) : (value >= -32768 && value <= 65535));
    if (accepted) {
        if (r.coil)
            m_plc.SetCoil(r.station, r.address, value == 1);
        else
            m_plc.SetRegister(r.station, r.address, WORD(value & 0xFFFF));
    }
    // The cell shows what the PLC holds now: the value as stored, or the old one after a refusal.
    m_bShowing = true;
    item->setText(r.coil ? QString::number(m_plc.GetCoil(r.station, r.address) ? 1 : 0)
                         : QString::number(m_plc.GetRegister(r.station, r.address)));
    m_bShowing = false;
    ShowValues();
    if (accepted && m_edited)
        m_edited();
}
