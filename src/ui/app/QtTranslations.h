#pragma once

class QCoreApplication;

// Qt's own texts (the standard buttons of message boxes, the file chooser) in Japanese
// whatever the system's locale, like the rest of the interface: Qt's "qtbase_ja"
// catalogue from Qt's translations folder, or else from a "translations" folder beside
// the binary.
namespace QtTranslations {

// False when no catalogue was found (Qt's texts stay English then).
bool InstallJapanese(QCoreApplication& app);

}  // namespace QtTranslations
