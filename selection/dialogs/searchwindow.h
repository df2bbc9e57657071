#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
struct SearchProgress;

// Shows how far a search for moved photos has come while it runs on the
// window thread; Esc or "Stop" ends it. It keeps the main window from input
// meanwhile.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    SearchWindow(QWidget* owner, int photos, const QString& root);

    // Called by the search; lets the window paint and take keys. False once
    // the user has stopped the search.
    bool advance(const SearchProgress& progress);
    bool stopped() const { return m_stopped; }

private:
    QLabel* m_label = nullptr;
    QString m_looking;
    QElapsedTimer m_sinceShown;
    bool m_stopped = false;
};
