#pragma once

#include <QLabel>

// A label that shows a path on one line: one too long for it is drawn cut in
// the middle with "...", so that its file name shows. Its text stays whole,
// and is never read as rich text.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(const QString& text, QWidget* parent = nullptr);

    // What the label shows.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
