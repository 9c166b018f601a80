#pragma once

#include "options/IFileChooser.h"

// The desktop's own file and folder dialogs.
class QtFileChooser final : public IFileChooser {
public:
    std::optional<QString> OpenFile(QWidget* parent, const QString& filter) override;
    std::optional<QString> Folder(QWidget* parent, const QString& title, const QString& start) override;
};
