#pragma once

// Qt's own texts (the file dialogs, the standard buttons) in Russian, as the rest of the program
// speaks, whatever the system's language. Without Qt's translations installed they stay English.
void loadQtTranslations();
