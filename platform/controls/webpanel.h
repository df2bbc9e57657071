#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

// The text of a page's title element, blanks kept; empty without one.
QString htmlTitle(const QString& html);

// A small web view: fetches one page and shows it. It reports whether it is
// busy, and the loaded document's title.
class WebPanel : public QTextBrowser {
    Q_OBJECT
public:
    explicit WebPanel(QWidget* parent = nullptr);

    void Navigate(const QUrl& url);
    bool Busy() const { return m_reply != nullptr; }
    // False when the last navigation gave no document (network error, HTTP
    // error status).
    bool HasDocument() const { return m_hasDocument; }
    QString DocumentTitle() const;
    // How many navigations have finished, for whoever waits on them.
    int navigationsFinished() const { return m_finished; }

signals:
    void navigationFinished();

private:
    void onFinished();

    QNetworkAccessManager* m_network;
    QNetworkReply* m_reply = nullptr;
    QString m_title;
    bool m_hasDocument = false;
    int m_finished = 0;
};
