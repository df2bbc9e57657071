#include "platform/controls/webpanel.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTextDocument>

namespace {
// A server that never answers must not keep the window waiting for ever.
constexpr int kTransferTimeoutMs = 15000;
} // namespace

WebPanel::WebPanel(QWidget* parent)
    : QTextBrowser(parent), m_network(new QNetworkAccessManager(this)) {
    setOpenLinks(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void WebPanel::Navigate(const QUrl& url) {
    if (m_reply) {
        // A newer navigation replaces the one under way.
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(kTransferTimeoutMs);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &WebPanel::onFinished);
}

void WebPanel::onFinished() {
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && (status == 0 || status < 400);
    if (ok) {
        const QString html = QString::fromUtf8(reply->readAll());
        setHtml(html);
        m_title = htmlTitle(html);
        m_hasDocument = true;
    } else {
        clear();
        m_title.clear();
        m_hasDocument = false;
    }
    reply->deleteLater();
    ++m_finished;
    emit navigationFinished();
}

QString WebPanel::DocumentTitle() const {
    return m_title;
}

QString htmlTitle(const QString& html) {
    // Taken as written: the rich-text parser would fold blanks in the title,
    // and a title with a trailing blank is not the expected one.
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(html);
    if (!match.hasMatch())
        return {};
    QTextDocument decoder;
    decoder.setHtml(QStringLiteral("<pre>") + match.captured(1) + QStringLiteral("</pre>"));
    return decoder.toPlainText();
}
