#pragma once
// The program keeps no settings between runs, but Qt's own dialogs keep
// theirs in the user's settings (the file dialog its history and last
// folder, the colour dialog its custom colours), reading them back in the
// next run. For the life of a RunSettings object every QSettings of the
// process, user and system scope, lives in a folder of its own under the
// temporary folder, which goes with the object: Qt's dialogs start each run
// from their defaults, keep their state for the run, and nothing is written
// under the user's configuration folder.

#include <QTemporaryDir>

namespace kelmora {

class RunSettings {
public:
    // Create before the first QSettings (before the application object is
    // safest) and keep until after the last dialog is gone.
    RunSettings();
    RunSettings(const RunSettings &) = delete;
    RunSettings &operator=(const RunSettings &) = delete;

    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

} // namespace kelmora
