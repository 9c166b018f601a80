#pragma once

#include <QString>

#include <optional>

class QWidget;

// The file and folder choosers of the options sheet; tests put in a scripted one.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // An existing file, or nullopt when the user cancelled. `filter` in Qt's
    // "Name (*.ext);;Other (*)" form.
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter) = 0;
    // A folder, or nullopt when the user cancelled.
    virtual std::optional<QString> Folder(QWidget* parent, const QString& title, const QString& start) = 0;
};
