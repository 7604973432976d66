#pragma once
// The program keeps no settings between runs, but Qt's own dialogs keep
// theirs in the user's settings (the file dialog its history and last
// folder, the colour dialog its custom colours) and read them back in the
// next run. keepNoSettings() points every QSettings of the process, user and
// system scope, at a folder nobody can create: Qt's dialogs start each run
// from their defaults (the colour dialog keeps its custom colours in memory
// for the run), and nothing is written anywhere, even when the program is
// killed.

namespace kelmora {

// Call before the first QSettings is made (before the application object).
void keepNoSettings();

} // namespace kelmora
