#pragma once

// Qt's own texts (the standard buttons of a message box, the edit menu of a
// text box, the file dialogs) in the operator's language, Spanish; the
// program's own texts are written in Spanish already.
//
// Installs Qt's Spanish catalogue on the running application, once; true
// when it is installed. Without the catalogue on this machine (the Debian
// package qt6-translations-l10n) Qt's texts stay in English and the answer
// is false.
bool installQtSpanish();
