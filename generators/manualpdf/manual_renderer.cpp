// The user manual as a PDF: Markdown chapters on A4 pages with contents and page numbers.
#include "generators/manualpdf/manual_renderer.h"

#include "comkit/gui_ex_dc.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <memory>
#include <vector>

namespace {

const double MM = 96 / 25.4; // device units per millimetre (the writer draws at 96 dpi)
const double MARGIN_SIDE = 20 * MM;
const double MARGIN_TOP = 22 * MM;
const double MARGIN_BOTTOM = 24 * MM;
const QColor HEADING_COLOUR(0x1F, 0x3A, 0x56);
const QColor FRAME_COLOUR(0x70, 0x78, 0x80);

struct HEADING {
    int level;
    QString text;
    int page; // 0-based page of the body
};

// Chapter texts joined, each picture path made absolute from the chapter's folder.
bool ReadChapters(const QStringList& chapters, QString& markdown, QString& error)
{
    static const QRegularExpression picture(QStringLiteral("(!\\[[^\\]]*\\]\\()([^)\\s]+)"));
    for (const QString& path : chapters) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
            return false;
        }
        const QDir folder = QFileInfo(path).absoluteDir();
        QString text = QString::fromUtf8(file.readAll());
        QString resolved;
        qsizetype done = 0;
        for (auto it = picture.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            resolved += text.mid(done, m.capturedStart(2) - done);
            resolved += QDir::cleanPath(folder.absoluteFilePath(m.captured(2)));
            done = m.capturedEnd(2);
        }
        resolved += text.mid(done);
        markdown += resolved + QStringLiteral("\n\n");
    }
    return true;
}

QTextDocument* NewDocument(QPdfWriter& writer, const QSizeF& page, const QString& family)
{
    auto* doc = new QTextDocument;
    doc->documentLayout()->setPaintDevice(&writer);
    doc->setDefaultFont(QFont(family, 10));
    doc->setPageSize(page);
    return doc;
}

// The page margins (every page of a paginated document) and thin single-line tables; after the
// content is in, since loading Markdown resets the document's frames.
void FormatFrames(QTextDocument& doc)
{
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setLeftMargin(MARGIN_SIDE);
    root.setRightMargin(MARGIN_SIDE);
    root.setTopMargin(MARGIN_TOP);
    root.setBottomMargin(MARGIN_BOTTOM);
    doc.rootFrame()->setFrameFormat(root);
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table || table->format().borderStyle() == QTextFrameFormat::BorderStyle_None)
            continue;
        QTextTableFormat format = table->format();
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderBrush(FRAME_COLOUR);
        format.setCellSpacing(0);
        format.setCellPadding(3);
        format.setTopMargin(4);
        format.setBottomMargin(6);
        table->setFormat(format);
    }
}

// Loads every picture into the document (shrunk to the text width); false names the first that
// cannot be read.
bool EmbedPictures(QTextDocument& doc, double textWidth, QString& error)
{
    struct PICTURE {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<PICTURE> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                pictures.push_back(
                    {it.fragment().position(), it.fragment().length(), it.fragment().charFormat().toImageFormat()});
    for (PICTURE& picture : pictures) {
        const QImage image(picture.format.name());
        if (image.isNull()) {
            error = QStringLiteral("cannot read the picture %1").arg(picture.format.name());
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(picture.format.name()), image);
        const double scale = qMin(1.0, textWidth / image.width());
        picture.format.setWidth(image.width() * scale);
        picture.format.setHeight(image.height() * scale);
        QTextCursor cursor(&doc);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    return true;
}

// Headings coloured, each chapter on a new page, code set apart; returns the headings of
// levels 1 and 2 with their pages.
std::vector<HEADING> StyleBody(QTextDocument& doc)
{
    std::vector<HEADING> headings;
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(QColor(0xF2, 0xF4, 0xF6));
            format.setLeftMargin(format.leftMargin() + 6);
            cursor.setBlockFormat(format);
            continue;
        }
        const int level = format.headingLevel();
        if (level == 0)
            continue;
        if (level == 1 && !first) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.setBlockFormat(format);
        }
        first = false;
        QTextCharFormat colour;
        colour.setForeground(HEADING_COLOUR);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(colour);
        if (level <= 2)
            headings.push_back({level, block.text(), 0});
    }
    return headings;
}

void FindPages(QTextDocument& doc, std::vector<HEADING>& headings)
{
    const double pageHeight = doc.pageSize().height();
    size_t next = 0;
    for (QTextBlock block = doc.begin(); block.isValid() && next < headings.size(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.blockFormat().headingLevel() > 2)
            continue;
        const QRectF box = doc.documentLayout()->blockBoundingRect(block);
        headings[next++].page = int(box.top() / pageHeight);
    }
}

// Title, subtitle and the contents with the body's page numbers (counted from 1).
void FillFront(QTextDocument& front, const QString& title, const QString& subtitle,
               const std::vector<HEADING>& headings)
{
    QTextCursor cursor(&front);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(260); // (the first block of a page keeps no top margin)
    QTextCharFormat big;
    big.setFontPointSize(28);
    big.setFontWeight(QFont::Bold);
    big.setForeground(HEADING_COLOUR);
    cursor.insertBlock(centred);
    cursor.insertText(title, big);
    centred.setTopMargin(12);
    QTextCharFormat small;
    small.setFontPointSize(13);
    cursor.insertBlock(centred);
    cursor.insertText(subtitle, small);

    QTextBlockFormat contentsTitle;
    contentsTitle.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    contentsTitle.setBottomMargin(16);
    QTextCharFormat heading = big;
    heading.setFontPointSize(18);
    cursor.insertBlock(contentsTitle);
    cursor.insertText(QStringLiteral("Contents"), heading);

    QTextTableFormat table;
    table.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    table.setCellPadding(2);
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 90), QTextLength(QTextLength::PercentageLength, 10)});
    QTextTable* rows = cursor.insertTable(int(headings.size()), 2, table);
    for (int i = 0; i < int(headings.size()); ++i) {
        const HEADING& h = headings[size_t(i)];
        QTextCharFormat text;
        text.setFontWeight(h.level == 1 ? QFont::Bold : QFont::Normal);
        QTextBlockFormat indent;
        indent.setLeftMargin(h.level == 1 ? 0 : 18);
        indent.setTopMargin(h.level == 1 ? 8 : 0);
        QTextCursor cell = rows->cellAt(i, 0).firstCursorPosition();
        cell.setBlockFormat(indent);
        cell.insertText(h.text, text);
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        right.setTopMargin(indent.topMargin());
        cell = rows->cellAt(i, 1).firstCursorPosition();
        cell.setBlockFormat(right);
        cell.insertText(QString::number(h.page + 1), text);
    }
}

// One page of `doc`, with the running header and, when number > 0, the page number.
void DrawPage(QPainter& painter, QTextDocument& doc, int page, const QString& header, int number)
{
    const QSizeF size = doc.pageSize();
    painter.save();
    painter.translate(0, -page * size.height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * size.height(), size.width(), size.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setClipRect(context.clip);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
    if (number <= 0)
        return;
    painter.save();
    painter.setPen(QPen(FRAME_COLOUR, 0.6));
    const double left = MARGIN_SIDE, right = size.width() - MARGIN_SIDE;
    painter.drawLine(QPointF(left, MARGIN_TOP - 10), QPointF(right, MARGIN_TOP - 10));
    QFont font = doc.defaultFont();
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.drawText(QRectF(left, MARGIN_TOP - 30, right - left, 18), Qt::AlignRight | Qt::AlignBottom, header);
    painter.drawText(QRectF(left, size.height() - MARGIN_BOTTOM + 18, right - left, 18),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(number));
    painter.restore();
}

} // namespace

CManualRenderer::CManualRenderer(const QString& title, const QString& subtitle) : m_title(title), m_subtitle(subtitle)
{
}

bool CManualRenderer::Render(const QStringList& chapters, const QString& output, QString& error) const
{
    if (chapters.isEmpty()) {
        error = QStringLiteral("no chapters");
        return false;
    }
    QString markdown;
    if (!ReadChapters(chapters, markdown, error))
        return false;

    COM_GUI_EX::CGUI_EX_Global::Start(); // fonts without a window system
    const QString family = COM_GUI_EX::CGUI_EX_Global::ResolveFontFamily("");
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(output, file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("manualpdf"));
    const QSizeF page = writer.pageLayout().fullRectPixels(writer.resolution()).size();

    std::unique_ptr<QTextDocument> body(NewDocument(writer, page, family));
    body->setMarkdown(markdown);
    if (!EmbedPictures(*body, page.width() - 2 * MARGIN_SIDE, error)) {
        file.cancelWriting();
        return false;
    }
    FormatFrames(*body);
    std::vector<HEADING> headings = StyleBody(*body);
    FindPages(*body, headings);
    std::unique_ptr<QTextDocument> front(NewDocument(writer, page, family));
    FillFront(*front, m_title, m_subtitle, headings);
    FormatFrames(*front);

    QPainter painter(&writer);
    const QString header = m_title;
    bool first = true;
    auto draw = [&](QTextDocument& doc, bool numbered) {
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (!first)
                writer.newPage();
            first = false;
            DrawPage(painter, doc, i, header, numbered ? i + 1 : 0);
        }
    };
    draw(*front, false);
    draw(*body, true);
    painter.end();
    if (!file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(output, file.errorString());
        return false;
    }
    return true;
}
