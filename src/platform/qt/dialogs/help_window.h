#pragma once
// The help window: our own pages about using the explorer, with links
// between them, back and forward.

#include <QTextBrowser>
#include <QWidget>

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // "index.html", "using-help.html", ...
    void ShowPage(const QString& page);
    QString CurrentPage() const;
    HelpBrowser* Browser() const { return m_browser; }

private:
    HelpBrowser* m_browser;
};

// The text of a help page, or an empty string.
QString HelpPage(const QString& name);
