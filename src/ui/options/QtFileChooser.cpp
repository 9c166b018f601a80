#include "options/QtFileChooser.h"

#include <QFileDialog>

std::optional<QString> QtFileChooser::OpenFile(QWidget* parent, const QString& filter)
{
    QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtFileChooser::Folder(QWidget* parent, const QString& title, const QString& start)
{
    QString path = QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
