#pragma once

#include <QLineEdit>

class QMimeData;

// A path field that takes a file dropped on it from the file manager: the first local
// file of the drop becomes the field's whole text; a drop without one gives its first URL
// whose scheme the desktop has a handler for (a game's steam: link from a web page).
// Other drops (plain text, URLs nothing opens) are refused.
class CDropEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CDropEdit(QWidget* parent = nullptr);

    // The path of the first local file among the drop's URLs, else its first URL (or text
    // that is one URL) that the desktop can open, or an empty string.
    static QString FirstProgram(const QMimeData* data);

Q_SIGNALS:
    // A drop has just replaced the text.
    void Dropped();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
