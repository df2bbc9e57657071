#include "selection/dialogs/searchwindow.h"

#include "platform/desktop/dialogs.h"
#include "selection/order/photosearch.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The label changes this often at most; painting costs more than reading.
constexpr qint64 kRelabelMs = 100;
} // namespace

SearchWindow::SearchWindow(QWidget* owner, int photos, const QString& root)
    : QDialog(owner), m_looking(QStringLiteral("Looking for %1 missing photo%2 in \"%3\"...")
                                    .arg(photos)
                                    .arg(photos == 1 ? QString() : QStringLiteral("s"), root)) {
    setObjectName(QStringLiteral("searchWindow"));
    setWindowTitle(programTitle());
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(m_looking, this);
    layout->addWidget(m_label);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0); // how much is left is not known beforehand
    bar->setTextVisible(false);
    layout->addWidget(bar);
    auto* stop = new QPushButton(QStringLiteral("Stop"), this);
    layout->addWidget(stop, 0, Qt::AlignRight);
    connect(stop, &QPushButton::clicked, this, &QDialog::reject);
    // Esc rejects the dialog as well.
    connect(this, &QDialog::rejected, this, [this] { m_stopped = true; });
    show();
    m_sinceShown.start();
}

bool SearchWindow::advance(const SearchProgress& progress) {
    if (m_sinceShown.elapsed() >= kRelabelMs) {
        m_sinceShown.restart();
        m_label->setText(m_looking + QStringLiteral("\n%1 files in %2 folders looked at")
                                         .arg(progress.files)
                                         .arg(progress.folders));
    }
    QCoreApplication::processEvents();
    return !m_stopped;
}
