// The editor's picture with its words in the UI's language and its version (drawn once): a
// borderless splash that closes itself after 1.5 s, or the About box that its OK button, Enter or
// Esc closes.
#pragma once

#include <QDialog>
#include <QImage>

class QPushButton;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { SPLASH, ABOUT };
    static constexpr int PICTURE_WIDTH = 500;
    static constexpr int PICTURE_HEIGHT = 400;
    static constexpr int SPLASH_MS = 1500;
    static const char* const VERSION_TEXT; // "1.2.0.0"

    explicit CAboutDlg(Mode mode, QWidget* parent = nullptr);
    Mode GetMode() const { return m_mode; }
    // The picture as shown: the product picture (resource ":/about.png", or one drawn here when
    // the resource is missing) with the words in the UI's language and the version text.
    static QImage Picture();
    // The About box's "确定" button (bottom right on the picture); null for the splash.
    QPushButton* GetOkButton() const { return m_okButton; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Mode m_mode;
    QImage m_picture;
    QPushButton* m_okButton = nullptr;
};
