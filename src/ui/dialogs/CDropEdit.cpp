#include "dialogs/CDropEdit.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/IUrlHandlers.h"
#include "platform/ProgramKind.h"

namespace {

bool Opens(const QString& url)
{
    const std::string scheme = Programs::UrlScheme(url.toStdString());
    return !scheme.empty() && scheme != "file" && UrlHandlers::Get().For(scheme).has_value();
}

}  // namespace

CDropEdit::CDropEdit(QWidget* parent) : QLineEdit(parent) { setAcceptDrops(true); }

QString CDropEdit::FirstProgram(const QMimeData* data)
{
    if (data == nullptr)
        return QString();
    const QList<QUrl> urls = data->hasUrls() ? data->urls() : QList<QUrl>();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    for (const QUrl& url : urls) {
        if (Opens(url.toString()))
            return url.toString();
    }
    const QString text = data->hasText() ? data->text().trimmed() : QString();
    const bool oneWord = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char(' '));
    return oneWord && Opens(text) ? text : QString();
}

void CDropEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (FirstProgram(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CDropEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (FirstProgram(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CDropEdit::dropEvent(QDropEvent* event)
{
    QString path = FirstProgram(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    setText(path);
    event->acceptProposedAction();
    Q_EMIT Dropped();
}
