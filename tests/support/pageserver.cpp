#include "tests/support/pageserver.h"

#include <QTcpSocket>

PageServer::PageServer() {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, &PageServer::answer);
}

void PageServer::setPage(const QByteArray& path, int status, const QByteArray& body) {
    m_pages[path] = {status, body};
}

QUrl PageServer::base() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()));
}

void PageServer::answer() {
    while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->readAll();
            const QList<QByteArray> words = request.split(' ');
            const QByteArray path = words.size() > 1 ? words[1] : QByteArray("/");
            ++m_counts[path];
            const Page page = m_pages.value(path);
            QByteArray reply = "HTTP/1.1 " + QByteArray::number(page.status) + " X\r\n" +
                               "Content-Type: text/html\r\nContent-Length: " +
                               QByteArray::number(page.body.size()) +
                               "\r\nConnection: close\r\n\r\n" + page.body;
            socket->write(reply);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

QByteArray pageTitled(const QByteArray& title) {
    return "<html><head><title>" + title + "</title></head><body>Hello</body></html>";
}
