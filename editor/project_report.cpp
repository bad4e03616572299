// The project report: one HTML body, with its pictures as data URIs for HTML or as document
// resources for the PDF that QTextDocument lays out on A4 pages.
#include "editor/project_report.h"

#include "comkit/gbk.h"
#include "comkit/message_text.h"
#include "comkit/serial_attri.h"
#include "comkit/whole_file.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_function.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "editor/address_xref.h"
#include "editor/project.h"
#include "editor/project_check.h"
#include "editor/project_file.h"
#include "editor/project_render.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <functional>

namespace {

const char* const CONTEXT = "ProjectReport";
using Xref = CAddressXref;

QString T(const char* text)
{
    return QString::fromStdString(COMMON_EX::Tr(CONTEXT, text));
}

QString Gbk(const std::string& gbk)
{
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(gbk.c_str()));
}

// A model name (GBK) as it is shown: through the catalogue's "Model" entries.
QString ModelName(const std::string& gbk)
{
    return QString::fromStdString(COMMON_EX::Tr("Model", COMMON_EX::GbkToUtf8Lossy(gbk.c_str()).c_str()));
}

QString E(const QString& text)
{
    return text.toHtmlEscaped();
}

QString Row(const QStringList& cells, const char* tag = "td")
{
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        row += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), E(cell));
    return row + QStringLiteral("</tr>\n");
}

QString Table(const QStringList& headers, const QString& rows)
{
    return QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n") +
           Row(headers, "th") + rows + QStringLiteral("</table>\n");
}

QString Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

QString Parity(int parity)
{
    switch (parity) {
    case COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::PARITY_NONE: return T(QT_TRANSLATE_NOOP("ProjectReport", "无"));
    case COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::PARITY_ODD: return T(QT_TRANSLATE_NOOP("ProjectReport", "奇"));
    case COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::PARITY_EVEN: return T(QT_TRANSLATE_NOOP("ProjectReport", "偶"));
    default: return QString::number(parity);
    }
}

QString Screen(CProject& project, int number)
{
    if (number <= 0)
        return T(QT_TRANSLATE_NOOP("ProjectReport", "不使用"));
    CScreenBase* screen = project.GetScreenByNumber(number);
    return QString::fromStdString(Xref::ScreenLabel(number, Xref::StoredName(screen)));
}

// The cells of a control's row: kind, position, text, address, digits, limits, key and target, order.
QStringList ControlCells(CProject& project, CControlBase* control)
{
    std::string kind;
    CControlCreator::GetControlBaseName(unsigned(control->GetControlType()), kind);
    QString text = Gbk(Xref::StoredName(control));
    if (auto* label = dynamic_cast<CControlStaticText*>(control))
        text = Gbk(label->GetText() ? label->GetText() : "");
    QString address = Gbk(Xref::TypedAddress(control));
    Xref::AddressClass addressClass;
    int access;
    if (Xref::AddressOf(control, addressClass, access)) {
        CScreenBase* screen = control->GetScreenPointer();
        const DWORD line =
            addressClass == Xref::ADDRESS_REGISTER
                ? screen->ConvertPLCRegisterAddress(control->GetRegister(), DWORD(control->GetRegisterAddr()))
                : screen->ConvertPLCCoilAddress(control->GetCoil(), DWORD(control->GetCoilAddr()));
        address +=
            QStringLiteral(" (%1, %2 %3, %4)")
                .arg(QString::number(line), T(QT_TRANSLATE_NOOP("ProjectReport", "站")),
                     QString::number(control->GetPLCStation()), QString::fromStdString(Xref::AccessText(access)));
    }
    QString digits, limits, key;
    if (auto* reg = dynamic_cast<CControlRegister*>(control)) {
        digits = QStringLiteral("%1.%2").arg(reg->GetIntegerDigits()).arg(reg->GetDecimalDigits());
        limits = QStringLiteral("%1 - %2").arg(reg->GetMinimum()).arg(reg->GetMaximum());
    }
    if (auto* function = dynamic_cast<CControlFunction*>(control)) {
        key = Gbk(function->GetKeyAttribute()->GetText());
        key += function->GetFunction() == CControlFunction::FUNCTION_JUMP
                   ? QStringLiteral(" → ") + Screen(project, function->GetJumpScreen())
                   : QStringLiteral(": ") + ModelName(function->GetValueSettingAttribute()->GetText());
    }
    return {QString::number(control->GetControlID()),
            ModelName(kind),
            QStringLiteral("%1, %2  %3 × %4")
                .arg(control->GetX())
                .arg(control->GetY())
                .arg(control->GetWidth())
                .arg(control->GetHeight()),
            text,
            address,
            digits,
            limits,
            key,
            control->GetDrawOrderID() ? QString::number(control->GetDrawOrderID()) : QString()};
}

// The HTML body; picture(n) gives the src of screen n's picture.
QString Body(CProject& project, const std::string& title, const std::function<QString(int)>& picture)
{
    QString html =
        QStringLiteral("<h1>%1</h1>\n")
            .arg(E(T(QT_TRANSLATE_NOOP("ProjectReport", "项目报告：%1")).arg(QString::fromStdString(title))));
    // The panel.
    QString rows;
    rows += Row({T(QT_TRANSLATE_NOOP("ProjectReport", "面板型号")), Gbk(project.GetDeviceName())});
    rows += Row({T(QT_TRANSLATE_NOOP("ProjectReport", "PLC 协议")), ModelName(project.GetPLCName())});
    if (COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial = project.GetPLCSerialAttributes())
        rows +=
            Row({T(QT_TRANSLATE_NOOP("ProjectReport", "通讯设置")),
                 T(QT_TRANSLATE_NOOP("ProjectReport", "%1，%2 波特，%3 数据位，%4 校验，停止位 %5"))
                     .arg(QString::fromLatin1(serial->GetSerialName() ? serial->GetSerialName() : ""))
                     .arg(int(serial->GetBaudrate()))
                     .arg(int(serial->GetDataBits()))
                     .arg(Parity(serial->GetParity()))
                     .arg(serial->GetStopBits() == COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::STOPBITS_TWO
                              ? QStringLiteral("2")
                          : serial->GetStopBits() == COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::STOPBITS_ONE_HALF
                              ? QStringLiteral("1.5")
                              : QStringLiteral("1"))});
    const WORD backlight = project.GetBacklightDelay();
    rows += Row({T(QT_TRANSLATE_NOOP("ProjectReport", "背光")),
                 backlight == CProject::BACKLIGHT_ALWAYS_ON
                     ? T(QT_TRANSLATE_NOOP("ProjectReport", "常亮"))
                     : T(QT_TRANSLATE_NOOP("ProjectReport", "%1 秒后关闭")).arg(backlight)});
    for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page)
        rows += Row({T(QT_TRANSLATE_NOOP("ProjectReport", "功能页 %1")).arg(page + 1),
                     Screen(project, project.GetFunctionPage(page))});
    rows += Row({T(QT_TRANSLATE_NOOP("ProjectReport", "画面和控件")),
                 T(QT_TRANSLATE_NOOP("ProjectReport", "%1 个画面，%2 个控件，下载映像 %3 字节"))
                     .arg(project.GetScreenCount())
                     .arg(project.GetControlsCount())
                     .arg(project.Compile(nullptr, 0))});
    html += QStringLiteral("<h2>%1</h2>\n").arg(E(T(QT_TRANSLATE_NOOP("ProjectReport", "面板"))));
    html += Table({T(QT_TRANSLATE_NOOP("ProjectReport", "项目")), T(QT_TRANSLATE_NOOP("ProjectReport", "设置"))}, rows);

    // The screens.
    const QStringList controlHeaders = {T(QT_TRANSLATE_NOOP("ProjectReport", "编号")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "类型")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "位置和大小")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "文字或名称")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "地址 (线路地址、站号、读写)")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "位数")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "范围")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "按键和动作")),
                                        T(QT_TRANSLATE_NOOP("ProjectReport", "输入顺序"))};
    for (int number = 1; number <= project.GetScreenCount(); ++number) {
        CScreenBase* screen = project.GetScreenByNumber(number);
        html += QStringLiteral("<h2>%1</h2>\n<p><img src=\"%2\" alt=\"%3\"></p>\n")
                    .arg(E(Screen(project, number)), picture(number),
                         E(T(QT_TRANSLATE_NOOP("ProjectReport", "画面%1的图片")).arg(number)));
        QString controls;
        for (CControlBase* control : screen->GetLayoutControls())
            controls += Row(ControlCells(project, control));
        html += Table(controlHeaders, controls);
    }

    // The addresses.
    QString addresses;
    for (const Xref::ENTRY& e : Xref::Build(project))
        addresses +=
            Row({QString::fromStdString(Xref::ClassText(e.addressClass)), QString::number(e.station), Gbk(e.typed),
                 QString::number(e.lineAddress), QString::fromStdString(Xref::HexAddress(e.lineAddress)),
                 QString::fromStdString(Xref::AccessText(e.access)), QString::fromStdString(Xref::UsesText(e))});
    html += QStringLiteral("<h2>%1</h2>\n").arg(E(T(QT_TRANSLATE_NOOP("ProjectReport", "地址表"))));
    html += Table({T(QT_TRANSLATE_NOOP("ProjectReport", "类别")), T(QT_TRANSLATE_NOOP("ProjectReport", "站号")),
                   T(QT_TRANSLATE_NOOP("ProjectReport", "地址")), T(QT_TRANSLATE_NOOP("ProjectReport", "线路地址")),
                   T(QT_TRANSLATE_NOOP("ProjectReport", "十六进制")), T(QT_TRANSLATE_NOOP("ProjectReport", "读写")),
                   T(QT_TRANSLATE_NOOP("ProjectReport", "使用者"))},
                  addresses);

    // The findings.
    const std::vector<CProjectCheck::FINDING> findings = CProjectCheck::Run(project);
    html += QStringLiteral("<h2>%1</h2>\n").arg(E(T(QT_TRANSLATE_NOOP("ProjectReport", "检查结果"))));
    if (findings.empty()) {
        html += QStringLiteral("<p>%1</p>\n").arg(E(T(QT_TRANSLATE_NOOP("ProjectReport", "检查没有发现问题。"))));
    } else {
        QString found;
        for (const CProjectCheck::FINDING& f : findings)
            found += Row({QString::fromStdString(CProjectCheck::SeverityText(f.severity)),
                          QString::fromStdString(CProjectCheck::PlaceScreen(f)),
                          QString::fromStdString(CProjectCheck::PlaceControl(f)), QString::fromStdString(f.text)});
        html += Table({T(QT_TRANSLATE_NOOP("ProjectReport", "严重性")), T(QT_TRANSLATE_NOOP("ProjectReport", "画面")),
                       T(QT_TRANSLATE_NOOP("ProjectReport", "控件")), T(QT_TRANSLATE_NOOP("ProjectReport", "说明"))},
                      found);
    }
    return html;
}

QString Page(const QString& title, const QString& body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>\n"
                          "<style>body{font-family:sans-serif} table{border-collapse:collapse;margin-bottom:1em} "
                          "th{background:#e8e8e8;text-align:left} img{border:1px solid #888}</style></head>\n"
                          "<body>\n%2</body></html>\n")
        .arg(title.toHtmlEscaped(), body);
}

} // namespace

CProjectReport::FORMAT CProjectReport::FormatOf(const std::string& path)
{
    const QString name = QString::fromStdString(path).toLower();
    if (name.endsWith(QLatin1String(".pdf")))
        return FORMAT_PDF;
    if (name.endsWith(QLatin1String(".html")) || name.endsWith(QLatin1String(".htm")))
        return FORMAT_HTML;
    return FORMAT_UNKNOWN;
}

std::string CProjectReport::Html(CProject& project, const std::string& title)
{
    const QString body = Body(project, title, [&project](int number) {
        return QStringLiteral("data:image/png;base64,") +
               Png(CProjectRender::RenderScreen(project.GetScreenByNumber(number), PICTURE_ZOOM));
    });
    return Page(QString::fromStdString(title), body).toStdString();
}

std::string CProjectReport::Pdf(CProject& project, const std::string& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("ZQEditor"));
        QTextDocument document;
        document.setDefaultStyleSheet(QStringLiteral("th{background-color:#e8e8e8}"));
        const QString body = Body(project, title, [&](int number) {
            QString name = QStringLiteral("screen%1.png").arg(number);
            document.addResource(QTextDocument::ImageResource, QUrl(name),
                                 CProjectRender::RenderScreen(project.GetScreenByNumber(number), PICTURE_ZOOM));
            return name;
        });
        document.setHtml(body);
        document.print(&writer);
    }
    return bytes.toStdString();
}

bool CProjectReport::Write(CProject& project, const std::string& title, const std::string& path, std::string& error)
{
    const FORMAT format = FormatOf(path);
    if (format == FORMAT_UNKNOWN) {
        error = COMMON_EX::TrArgs(CONTEXT,
                                  QT_TRANSLATE_NOOP("ProjectReport",
                                                    "不知道以何种格式写 %1：文件名应以 .pdf、.html 或 .htm 结尾"),
                                  {path});
        return false;
    }
    const std::string bytes = format == FORMAT_PDF ? Pdf(project, title) : Html(project, title);
    return COMMON_EX::WriteWholeFile(path, bytes.data(), bytes.size(), error);
}
