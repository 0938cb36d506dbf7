// The user guide in a window of the program, for a desktop without a web
// browser: an HTML viewer with its pictures, back and forward. Help opens the
// guide in the user's browser when there is one and falls back to this.
#pragma once

#include <QMainWindow>

class QTextBrowser;

class GuideWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit GuideWindow(const QString& guideFile, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

  private:
    QTextBrowser* m_browser;
};

// Whether the desktop has a web browser to open the guide in.
bool browserFound();
// Opens the guide in the desktop's browser; without one, in a GuideWindow
// owned by `parent`.
void openGuide(const QString& guideFile, QWidget* parent);
