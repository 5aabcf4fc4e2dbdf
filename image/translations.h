#pragma once

#include <QLocale>

class QCoreApplication;

// Installs into the application the translations of the locale's language: Qt's own texts and
// Morvick2's, over English ones that give English plurals their forms (and stand in for a
// language without a translation).
void installTranslations(QCoreApplication *application, const QLocale &locale = QLocale());
