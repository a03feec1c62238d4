// Qt's translation catalogues; see qt_catalogues.h.
#include "qt_catalogues.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <array>

namespace quorvin {

namespace {

// The Qt modules whose texts the program can show: qtbase holds the message boxes' buttons
// and the file dialog; qtmultimedia's texts only ever reach error output.
constexpr std::array CatalogueNames{"qtbase", "qtmultimedia"};

// The catalogues in use, owned by the application.
QList<QPointer<QTranslator>>& InUse() {
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

// Qt's default locale before the first language was put into use.
const QLocale& StartLocale() {
    static const QLocale locale;
    return locale;
}

} // namespace

QString QtCatalogueFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

int UseQtCatalogues(const QString& locale) {
    QLocale::setDefault(StartLocale());
    for (const QPointer<QTranslator>& translator : InUse()) {
        if (!translator) continue;
        QCoreApplication::removeTranslator(translator);
        translator->deleteLater();
    }
    InUse().clear();
    const QLocale language(locale);
    if (locale.trimmed().isEmpty() || language.language() == QLocale::C) return 0;
    for (const char* name : CatalogueNames) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        // Tries "qtbase_ru_RU.qm", then "qtbase_ru.qm", for the locale's language.
        if (translator->load(language, QLatin1String(name), QStringLiteral("_"),
                             QtCatalogueFolder())) {
            QCoreApplication::installTranslator(translator);
            InUse().append(translator);
        } else {
            translator->deleteLater();
        }
    }
    if (!InUse().isEmpty()) QLocale::setDefault(language);
    return int(InUse().size());
}

} // namespace quorvin
