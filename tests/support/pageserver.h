#pragma once

#include <QByteArray>
#include <QMap>
#include <QTcpServer>
#include <QUrl>

// Serves fixed pages over HTTP on 127.0.0.1 for the web panel tests.
class PageServer : public QTcpServer {
    Q_OBJECT
public:
    PageServer();

    // The page at path answers with status and body.
    void setPage(const QByteArray& path, int status, const QByteArray& body);
    QUrl base() const;
    int requests(const QByteArray& path) const { return m_counts.value(path); }

private:
    void answer();

    struct Page {
        int status = 404;
        QByteArray body;
    };
    QMap<QByteArray, Page> m_pages;
    QMap<QByteArray, int> m_counts;
};

// A page titled title.
QByteArray pageTitled(const QByteArray& title);
