#include "dialogs/CDropEdit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

CDropEdit::CDropEdit(QWidget* parent) : QLineEdit(parent) { setAcceptDrops(true); }

QString CDropEdit::FirstLocalFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

void CDropEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (FirstLocalFile(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CDropEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (FirstLocalFile(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CDropEdit::dropEvent(QDropEvent* event)
{
    QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    setText(path);
    event->acceptProposedAction();
}
