#pragma once

#include <QLineEdit>

class QMimeData;

// A path field that takes a file dropped on it from the file manager: the first local
// file of the drop becomes the field's whole text. Other drops (plain text, remote URLs)
// are refused.
class CDropEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CDropEdit(QWidget* parent = nullptr);

    // The path of the first local file among the drop's URLs, or an empty string.
    static QString FirstLocalFile(const QMimeData* data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
