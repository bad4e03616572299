// The problems list: the core's findings shown in the user's language.
#include "editor/app/problems_pane.h"

#include "editor/project_check.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Role { ROLE_SCREEN = Qt::UserRole, ROLE_CONTROL, ROLE_HAS_CONTROL };

QStyle::StandardPixmap IconOf(CProjectCheck::Severity severity)
{
    switch (severity) {
    case CProjectCheck::SEVERITY_ERROR: return QStyle::SP_MessageBoxCritical;
    case CProjectCheck::SEVERITY_WARNING: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

CProblemsPane::CProblemsPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ProblemsPane"));
    m_summary = new QLabel(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ProblemsList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels(
        {QCoreApplication::translate("Editor", "严重性"), QCoreApplication::translate("Editor", "画面"),
         QCoreApplication::translate("Editor", "控件"), QCoreApplication::translate("Editor", "说明")});
    m_list->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Activate(item); });
    Refresh(nullptr);
}

int CProblemsPane::Refresh(CProject* project)
{
    const std::vector<CProjectCheck::FINDING> findings =
        project ? CProjectCheck::Run(*project) : std::vector<CProjectCheck::FINDING>();
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const CProjectCheck::FINDING& f : findings) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(CProjectCheck::SeverityText(f.severity)),
                                                     QString::fromStdString(CProjectCheck::PlaceScreen(f)),
                                                     QString::fromStdString(CProjectCheck::PlaceControl(f)),
                                                     QString::fromStdString(f.text)});
        item->setIcon(COLUMN_SEVERITY, style()->standardIcon(IconOf(f.severity)));
        item->setToolTip(COLUMN_TEXT, item->text(COLUMN_TEXT));
        item->setData(0, ROLE_SCREEN, f.screenNumber);
        item->setData(0, ROLE_CONTROL, f.controlID);
        item->setData(0, ROLE_HAS_CONTROL, f.hasControl);
        items << item;
    }
    m_list->addTopLevelItems(items);
    for (int column = 0; column < COLUMN_TEXT; ++column)
        m_list->resizeColumnToContents(column);
    const int errors = CProjectCheck::Count(findings, CProjectCheck::SEVERITY_ERROR);
    m_summary->setText(QCoreApplication::translate("Editor", "%1 个错误，%2 个警告，%3 个提示")
                           .arg(errors)
                           .arg(CProjectCheck::Count(findings, CProjectCheck::SEVERITY_WARNING))
                           .arg(CProjectCheck::Count(findings, CProjectCheck::SEVERITY_INFO)));
    return errors;
}

QString CProblemsPane::GetSummary() const
{
    return m_summary->text();
}

void CProblemsPane::Activate(QTreeWidgetItem* item)
{
    if (item)
        emit findingActivated(item->data(0, ROLE_SCREEN).toInt(), item->data(0, ROLE_CONTROL).toUInt(),
                              item->data(0, ROLE_HAS_CONTROL).toBool());
}
