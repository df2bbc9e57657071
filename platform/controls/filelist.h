#pragma once

#include <QListWidget>

// The file list: the files of one folder that match a pattern in any letter
// case ("*.jpg;*.jpeg" for several), sorted by name, hidden files left out.
// Names that are not valid UTF-8 are listed too, so the count is true, but
// nothing can open them by the name shown. Every change of the current file
// (mouse, arrow keys, or the program setting ListIndex) raises Click; a double
// click raises DblClick after it. Several files can be selected together
// (Shift, Ctrl, Ctrl+A); Enter raises EnterPressed.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    void setPath(const QString& path);
    QString Pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    int ListCount() const { return count(); }
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    // The selected file's name, or empty.
    QString FileName() const;
    // Whether a file is selected and its shown name leads back to it.
    bool FileNameUsable() const;
    // Reads the folder again.
    void Refresh();
    // The selected files' names, in list order.
    QStringList SelectedFileNames() const;
    // Every file's name, in list order.
    QStringList FileNames() const;

signals:
    void Click();
    void DblClick();
    void EnterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int kUsableRole = Qt::UserRole + 1;
    bool m_focusing = false;
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};
