// The user manual as a PDF: Markdown chapters laid out on A4 pages with a title page, a table of
// contents, page numbers and the pictures the chapters show.
#pragma once

#include <QString>
#include <QStringList>

class CManualRenderer {
public:
    // The title (title page and every page's header) and the line under it on the title page.
    CManualRenderer(const QString& title, const QString& subtitle);

    // Reads the chapters (UTF-8 Markdown, in the order given; each level-1 heading starts a new
    // page) and writes the PDF to `output`, replacing it only when the whole file was written. A
    // picture is looked up beside the chapter that shows it; it is shrunk to the text width when
    // wider. False with `error` set (naming the file) when a chapter or a picture cannot be read,
    // when there are no chapters, or when the output cannot be written; then `output` is unchanged.
    bool Render(const QStringList& chapters, const QString& output, QString& error) const;

private:
    QString m_title;
    QString m_subtitle;
};
